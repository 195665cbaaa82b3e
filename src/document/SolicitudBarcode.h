#pragma once

#include "document/BarcodeRecord.h"

namespace velantor {

class SolicitudDatos;

// The first-page barcode's input taken from an application's values: the typed texts,
// the option states and the chosen body's and situation's columns.
barcode::BarcodeRecordInput barcodeRecordInput(const SolicitudDatos& datos);

} // namespace velantor
