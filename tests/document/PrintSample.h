#pragma once

#include <QDir>
#include <QString>

#include "ApplicationSample.h"
#include "form/SolicitudDatos.h"
#include "tables/Table.h"

// A complete application with lists of the sizes asked for, for the printing tests
// (the template is ApplicationSample.h's).
namespace velantor::test {

// Position codes of five digits, and every fourth of four, as the catalogues have them.
inline QString samplePositionCode(int orden) {
    return orden % 4 ? QString::number(10000 + orden * 7) : QString::number(1000 + orden);
}

inline void addPositions(Table& table, int count) {
    for (int orden = 1; orden <= count; ++orden) {
        table.addRow();
        table.setNumber(u"IdSolicitud", orden);
        table.setNumber(u"Orden", orden);
        table.setText(u"CodConvocatoria", samplePositionCode(orden));
        table.setText(u"NomConvocatoria", QStringLiteral("Enfermero/a de AP %1").arg(orden));
        table.setText(u"Consejeria", QStringLiteral("Centro de Salud San Roque"));
        table.setText(u"Localidad", QStringLiteral("Badajoz (Badajoz)"));
        table.setText(u"Area", QStringLiteral("Badajoz"));
    }
}

inline SolicitudDatos sampleSolicitud(int vacancies, int resultas, int courses, int documents) {
    SolicitudDatos d;
    const auto text = [&](const char* control, const char* value) {
        d.setText(QString::fromLatin1(control), QString::fromUtf8(value));
    };
    text("txtDNI", "12345678Z");
    text("txtNombre", "María José");
    text("txtApellido1", "Núñez");
    text("txtApellido2", "Peña & Sáez");
    text("txtFecNacimiento", "05/03/1980");
    text("txtTelefono", "924000000");
    text("txtDomicilio", "Calle Ancha, 3");
    text("txtLocalidad", "Mérida");
    text("cboProvincia", "BADAJOZ");
    text("txtCP", "06800");
    text("cboCuerpo", "101");
    text("cboGrupo", "A");
    text("txtNRP", "1234567890");
    text("txtFechaIngreso", "01/09/2005");
    text("txtFechaSit", "15/06/2020");
    text("txtFecPosesion", "02/01/2010");
    text("txtPuesto", "HOSPITAL DE MÉRIDA");
    text("txtLocalidadPuesto", "MÉRIDA");
    text("txtProvinciaPuesto", "BADAJOZ");
    text("cboSituaciones", "Servicio activo");
    d.setOption(QStringLiteral("optVoluntario"), true);
    d.setOption(QStringLiteral("optPetConyugeNo"), true);
    d.setOption(QStringLiteral("optDiscNo"), true);
    d.setOption(QStringLiteral("optReingresoNo"), true);
    d.setOption(QStringLiteral("optActivo"), true);
    d.setOption(QStringLiteral("OptSi"), true);
    d.setOption(QStringLiteral("optSSOndex"), true);
    d.setOption(QStringLiteral("optDefinitivo"), true);
    d.bodyGroup = QStringLiteral("A1");
    d.situationName = QStringLiteral("Servicio activo");
    d.situationEsOtras = QStringLiteral("0");

    addPositions(*d.vacantes, vacancies);
    addPositions(*d.resultas, resultas);
    for (int i = 1; i <= courses; ++i) {
        d.cursos->addRow();
        d.cursos->setText(u"Curso", QStringLiteral("Curso de formación %1").arg(i));
        d.cursos->setNumber(u"NHoras", 20 + i);
        d.cursos->setNumber(u"Ano", 2010 + i % 10);
        d.cursos->setText(u"Centro", QStringLiteral("Escuela de Ciencias de la Salud"));
        d.cursos->setNumber(u"IdCurso", i);
    }
    for (int i = 1; i <= documents; ++i) {
        d.documentos->addRow();
        d.documentos->setNumber(u"IdDocumento", i);
        d.documentos->setText(u"Documento", QStringLiteral("Certificado de servicios prestados %1").arg(i));
    }
    return d;
}

} // namespace velantor::test
