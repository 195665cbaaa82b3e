#include "document/BarcodeRecord.h"

#include <QDate>
#include <QStringList>

#include "document/BarcodeErrors.h"

using namespace Qt::Literals::StringLiterals;

namespace velantor::barcode {
namespace {

QString flag(bool selected, QChar yes, QChar no) {
    return QString(selected ? yes : no);
}

// A "|" inside a typed value would split it into two fields for whoever reads the record.
QString field(const QString& text) {
    QString value = text;
    value.replace(u'|', u' ');
    return value;
}

} // namespace

QString buildBarcodeHeader(const BarcodeRecordInput& input) {
    return input.txtDNI.leftJustified(9, u' ') + input.cuerpoGrupo.trimmed() +
           input.cboCuerpo.rightJustified(5, u'0') + input.cboGrupo.leftJustified(1, u' ');
}

Result<QString> barcodeDate(const QString& text, const QString& label) {
    if (text.isEmpty())
        return u"00000000"_s;
    const QDate date = QDate::fromString(text, u"dd/MM/yyyy"_s);
    if (!date.isValid() || text.size() != 10) {
        return std::unexpected(makeError(errors::kBarcodeInvalidDate,
                                         u"El campo %1 no contiene una fecha válida (DD/MM/AAAA): «%2». "
                                         u"Corríjalo antes de imprimir la solicitud."_s.arg(label, text)));
    }
    return date.toString(u"yyyyMMdd"_s);
}

Result<QString> buildApplicationRecord(const BarcodeRecordInput& in) {
    const auto birth = barcodeDate(in.txtFecNacimiento, u"Fecha de nacimiento"_s);
    if (!birth)
        return std::unexpected(birth.error());
    const auto entry = barcodeDate(in.txtFechaIngreso, u"Fecha Ingreso en la categoría como fijo"_s);
    if (!entry)
        return std::unexpected(entry.error());
    const auto situationDate = barcodeDate(in.txtFechaSit, u"Fecha de la situación administrativa"_s);
    if (!situationDate)
        return std::unexpected(situationDate.error());
    const auto possession = barcodeDate(in.txtFecPosesion, u"Fecha toma posesión"_s);
    if (!possession)
        return std::unexpected(possession.error());

    const QString situation = in.situacionEsOtras == u"1"_s ? in.txtSitAdm : in.situacionNombre;
    const QStringList fields{
        flag(in.optForzoso, u'S', u'N'),                           // 1
        field(in.txtApellido1),                                    // 2
        field(in.txtApellido2),                                    // 3
        field(in.txtNombre),                                       // 4
        field(in.txtDNI),                                          // 5
        *birth,                                                    // 6
        field(in.txtTelefono),                                     // 7
        flag(in.optPetConyugeSi, u'S', u'N'),                      // 8
        field(in.txtDNIConyuge),                                   // 9
        field(in.txtConyuApellido1),                               // 10
        field(in.txtCOnyuApellido2),                               // 11
        field(in.txtConyuNombre),                                  // 12
        flag(in.optDiscSi, u'S', u'N'),                            // 13
        field(in.txtTipoDisc),                                     // 14
        field(in.txtAdaptaciones),                                 // 15
        field(in.txtDomicilio),                                    // 16
        field(in.txtLocalidad),                                    // 17
        field(in.cboProvincia),                                    // 18
        field(in.txtCP),                                           // 19
        field(in.cboGrupo + in.cboCuerpo),                         // 20
        field(in.cboGrupo),                                        // 21
        field(in.txtNRP),                                          // 22
        *entry,                                                    // 23
        flag(in.optActivo, u'A', u'O'),                            // 24
        field(situation),                                          // 25
        *situationDate,                                            // 26
        in.OptNo ? QString() : flag(in.optSSOndex, u'S', u'O'),    // 27
        field(in.txtSS),                                           // 28
        in.OptNo ? QString() : flag(in.optDefinitivo, u'D', u'P'), // 29
        field(in.txtPuesto),                                       // 30
        field(in.txtLocalidadPuesto),                              // 31
        field(in.txtProvinciaPuesto),                              // 32
        flag(in.optReingesoSi, u'S', u'N'),                        // 33
        *possession,                                               // 34
        field(in.txtInstiAct),                                     // 35
        field(in.txtZBSAct),                                       // 36
        field(in.txtProvAct),                                      // 37
    };
    Q_ASSERT(fields.size() == kApplicationRecordFields);

    QString record;
    for (const QString& value : fields) {
        record += value;
        record += u'|';
    }
    record.replace(u'Ð', u'Ñ');
    return record;
}

} // namespace velantor::barcode
