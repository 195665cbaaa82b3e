#include "document/IntakeSolicitud.h"

#include "document/BarcodeRecord.h"
#include "form/ControlNames.h"

namespace velantor {
namespace {

QString dateFromBarcode(const QString& yyyymmdd) {
    if (yyyymmdd.size() != 8 || yyyymmdd == u"00000000")
        return {};
    return yyyymmdd.mid(6, 2) + u'/' + yyyymmdd.mid(4, 2) + u'/' + yyyymmdd.left(4);
}

void setPair(SolicitudDatos& d, const QString& yes, const QString& no, bool selected) {
    d.setOption(yes, selected);
    d.setOption(no, !selected);
}

void addPositions(Table& list, QChar letter, const QList<barcode::BarcodePosition>& positions,
                  const PositionNames& names) {
    for (const barcode::BarcodePosition& position : positions) {
        list.addRow();
        list.setNumber(u"IdSolicitud", position.orden);
        list.setNumber(u"Orden", position.orden);
        list.setText(u"CodConvocatoria", position.codConvocatoria);
        if (names)
            names(letter, list);
    }
}

} // namespace

SolicitudDatos intakeSolicitud(const IntakeApplication& application, const PositionNames& names) {
    SolicitudDatos d;
    d.setText(ctl::name(ctl::txtDNI), application.nif);
    d.setText(ctl::name(ctl::cboCuerpo), application.cuerpo);
    d.setText(ctl::name(ctl::cboGrupo), application.grupo);
    const QStringList& f = application.record;
    if (f.size() == barcode::kApplicationRecordFields) {
        // Record fields by their 1-based number.
        const auto at = [&f](int number) { return f[number - 1]; };
        const auto text = [&](const char* control, int number) {
            d.setText(QString::fromLatin1(control), unfoldBarcodeText(at(number)));
        };
        const auto date = [&](const char* control, int number) {
            d.setText(QString::fromLatin1(control), dateFromBarcode(at(number)));
        };
        setPair(d, ctl::name(ctl::optForzoso), ctl::name(ctl::optVoluntario), at(1) == u"S");
        text("txtApellido1", 2);
        text("txtApellido2", 3);
        text("txtNombre", 4);
        text("txtDNI", 5);
        date("txtFecNacimiento", 6);
        text("txtTelefono", 7);
        setPair(d, ctl::name(ctl::optPetConyugeSi), ctl::name(ctl::optPetConyugeNo), at(8) == u"S");
        text("txtDNIConyuge", 9);
        text("txtConyuApellido1", 10);
        text("txtCOnyuApellido2", 11);
        text("txtConyuNombre", 12);
        setPair(d, ctl::name(ctl::optDiscSi), ctl::name(ctl::optDiscNo), at(13) == u"S");
        text("txtTipoDisc", 14);
        text("txtAdaptaciones", 15);
        text("txtDomicilio", 16);
        text("txtLocalidad", 17);
        text("cboProvincia", 18);
        text("txtCP", 19);
        text("cboGrupo", 21);
        text("txtNRP", 22);
        date("txtFechaIngreso", 23);
        setPair(d, ctl::name(ctl::optActivo), ctl::name(ctl::optOtras), at(24) == u"A");
        text("txtSitAdm", 25);
        date("txtFechaSit", 26);
        // Both letters are left out only for an application outside the health service.
        const bool outside = at(27).isEmpty() && at(29).isEmpty();
        setPair(d, ctl::name(ctl::OptNo), ctl::name(ctl::OptSi), outside);
        if (!outside) {
            setPair(d, ctl::name(ctl::optSSOndex), ctl::name(ctl::optSSOtros), at(27) == u"S");
            setPair(d, ctl::name(ctl::optDefinitivo), ctl::name(ctl::optTemporal), at(29) == u"D");
        }
        text("txtSS", 28);
        text("txtPuesto", 30);
        text("txtLocalidadPuesto", 31);
        text("txtProvinciaPuesto", 32);
        setPair(d, ctl::name(ctl::optReingesoSi), ctl::name(ctl::optReingresoNo), at(33) == u"S");
        date("txtFecPosesion", 34);
        text("txtInstiAct", 35);
        text("txtZBSAct", 36);
        text("txtProvAct", 37);
    }
    addPositions(*d.vacantes, barcode::kVacanciesLetter, application.vacantes, names);
    addPositions(*d.resultas, barcode::kResultasLetter, application.resultas, names);
    return d;
}

} // namespace velantor
