#pragma once

#include <QString>

#include "platform/Error.h"

namespace velantor::barcode {

// What the first-page barcode needs from an application, one member per control of the
// application form (texts as typed, option states, and the columns of the chosen body and
// situation). The form fills it from its application values.
struct BarcodeRecordInput {
    // Competition data
    bool optForzoso = false;
    bool optPetConyugeSi = false;
    QString txtDNIConyuge;
    QString txtConyuApellido1;
    QString txtCOnyuApellido2;
    QString txtConyuNombre;
    bool optReingesoSi = false;

    // Personal data
    QString txtApellido1;
    QString txtApellido2;
    QString txtNombre;
    QString txtDNI;
    QString txtFecNacimiento; // "DD/MM/YYYY" or empty
    QString txtTelefono;
    bool optDiscSi = false;
    QString txtTipoDisc;
    QString txtAdaptaciones;
    QString txtDomicilio;
    QString txtLocalidad;
    QString cboProvincia;
    QString txtCP;

    // Professional data
    QString cboCuerpo;   // the body code
    QString cuerpoGrupo; // the group column of the chosen body
    QString cboGrupo;
    QString txtNRP;
    QString txtFechaIngreso;
    bool optActivo = false;
    QString situacionEsOtras; // the esOtras column of the chosen situation ("1" or "0"; empty when none)
    QString situacionNombre;  // the name column of the chosen situation
    QString txtSitAdm;
    QString txtFechaSit;
    bool OptNo = false;
    bool optSSOndex = false;
    QString txtSS;
    bool optDefinitivo = false;
    QString txtPuesto;
    QString txtLocalidadPuesto;
    QString txtProvinciaPuesto;
    QString txtFecPosesion;
    QString txtInstiAct;
    QString txtZBSAct;
    QString txtProvAct;
};

inline constexpr int kApplicationRecordFields = 37;

// Identity number (9, blank-padded on the right) + the chosen body's group (trimmed) + body
// code (5, "0"-padded on the left) + group (1, blank-padded on the right). Nothing is cut.
QString buildBarcodeHeader(const BarcodeRecordInput& input);

// The 37 "|"-terminated fields of the first-page barcode, with every "Ð" made "Ñ". Dates go
// from "DD/MM/YYYY" to "YYYYMMDD", empty ones to "00000000"; a date that is not a real
// "DD/MM/YYYY" date is refused with a message naming the field, so that no field of the
// record ever changes width. A "|" typed inside a field becomes a blank, so that the
// record always splits back into exactly 37 fields.
Result<QString> buildApplicationRecord(const BarcodeRecordInput& input);

// "DD/MM/YYYY" → "YYYYMMDD"; empty → "00000000"; anything else is refused naming `label`.
Result<QString> barcodeDate(const QString& text, const QString& label);

} // namespace velantor::barcode
