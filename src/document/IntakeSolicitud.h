#pragma once

#include <functional>

#include "document/IntakeBatch.h"
#include "form/SolicitudDatos.h"

namespace velantor {

// Fills the row just added to a requested positions table (its Orden and CodConvocatoria
// set) with the position's names; `letter` is V or R.
using PositionNames = std::function<void(QChar letter, Table& list)>;

// An application of a scanned batch back as the form's values: every field of the first
// page's record in its control (options from their letters, dates back to DD/MM/YYYY,
// texts unfolded where that is unambiguous) and the requested positions with their Orden
// and CodConvocatoria. The field that holds either the typed situation or the chosen
// situation's name goes to txtSitAdm, the only control that can hold either.
SolicitudDatos intakeSolicitud(const IntakeApplication& application, const PositionNames& names = {});

} // namespace velantor
