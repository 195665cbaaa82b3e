#pragma once

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QString>

#include "document/DocumentGenerator.h"
#include "form/SolicitudDatos.h"

// An application as the form would hold it, and the request that saves it into a folder,
// for the generator and loader tests.
namespace velantor::test {

inline QString sampleTemplate() {
    return QDir(QStringLiteral(VELANTOR_SAMPLE_PROGRAM_DIR))
        .filePath(QStringLiteral("ficheros/DOT_11111/PlantillaWXP.dot"));
}

inline GenerationRequest sampleRequest(const QString& folder,
                                       const QString& fileName = QStringLiteral("00000001R_001010A.doc")) {
    GenerationRequest request;
    request.fileName = fileName;
    request.applicationsFolder = folder;
    request.templatePath = sampleTemplate();
    request.tracePath = QDir(folder).filePath(QStringLiteral("traza.txt"));
    request.at = QDateTime(QDate(2026, 12, 7), QTime(10, 15, 0));
    return request;
}

inline void addCourse(Table& cursos, const QString& name, int hours, int year, const QString& centre) {
    cursos.addRow();
    cursos.setText(u"Curso", name);
    cursos.setNumber(u"NHoras", hours);
    cursos.setNumber(u"Ano", year);
    cursos.setText(u"Centro", centre);
    cursos.setNumber(u"IdCurso", cursos.totalRowCount());
}

inline void addPosition(Table& list, int order, const QString& code, const QString& name) {
    list.addRow();
    list.setNumber(u"IdSolicitud", order);
    list.setNumber(u"Orden", order);
    list.setText(u"CodConvocatoria", code);
    list.setText(u"NomConvocatoria", name);
    list.setText(u"Consejeria", QStringLiteral("Complejo Asistencial Universitario de León"));
    list.setText(u"Localidad", QStringLiteral("León (León)"));
    list.setText(u"CodArea", QStringLiteral("01"));
    list.setText(u"CodZona", QStringLiteral("01"));
    list.setText(u"Area", QStringLiteral("Área de Salud de León"));
    list.setText(u"Zona", QStringLiteral("León I"));
}

inline void addDocument(Table& documentos, const QString& name) {
    documentos.addRow();
    documentos.setNumber(u"IdDocumento", documentos.totalRowCount());
    documentos.setText(u"Documento", name);
    documentos.setText(u"Horas", QStringLiteral("20"));
    documentos.setText(u"Fecha", QStringLiteral("01/02/2020"));
    documentos.setText(u"Centro", QStringLiteral("Escuela & Centro"));
}

// A voluntary application with a definitive current post in the regional health service,
// a disability, a conditioned spouse application and a situation other than active.
inline SolicitudDatos sampleDatos() {
    SolicitudDatos d;
    const auto text = [&d](const char* control, const char* value) {
        d.setText(QString::fromLatin1(control), QString::fromUtf8(value));
    };
    text("txtNombre", "María José");
    text("txtApellido1", "Núñez");
    text("txtApellido2", "Peña");
    text("txtDNI", "00000001R");
    text("txtFecNacimiento", "03/04/1980");
    text("txtTelefono", "987000111");
    text("txtDomicilio", "Calle Ancha & Estrecha, 3 <bajo>");
    text("txtLocalidad", "León");
    text("cboProvincia", "24");
    text("txtCP", "24001");
    text("txtTipoDisc", "Motora");
    text("txtAdaptaciones", "Rampa de acceso");
    text("cboCuerpo", "00101");
    text("cboGrupo", "A");
    text("txtNRP", "1234567890");
    text("txtFechaIngreso", "01/09/2005");
    text("txtFecPosesion", "15/10/2010");
    text("txtPuesto", "Hospital de León");
    text("txtLocalidadPuesto", "León");
    text("txtProvinciaPuesto", "León");
    text("cboProvinciasVrk", "24");
    text("cboAreaVrk", "01");
    text("SSOleDBCombo1", "02");
    text("cboZBSVrk", "01");
    text("cboLocalidadesVrk", "24-089");
    text("txtSitAdm", "05");
    text("cboSituaciones", "05");
    text("txtFechaSit", "01/01/2020");
    text("txtDNIConyuge", "00000002W");
    text("txtConyuNombre", "Pedro");
    text("txtConyuApellido1", "Gil");
    text("txtCOnyuApellido2", "Sanz");
    text("cboPrefLocalidad", "24-115");
    text("cboPrefProvincia", "03");
    text("cboPrefArea", "02");
    for (const char* option : {"optDiscSi", "optSSOndex", "optDefinitivo", "optOtras", "optVoluntario",
                               "optReingresoNo", "optPetConyugeSi", "OptSi"})
        d.setOption(QString::fromLatin1(option), true);
    addCourse(*d.cursos, QStringLiteral("Soporte vital & avanzado"), 40, 2019,
              QStringLiteral("Hospital de León"));
    addCourse(*d.cursos, QStringLiteral("Cuidados paliativos"), 20, 2021,
              QStringLiteral("Escuela <regional>"));
    addPosition(*d.vacantes, 1, QStringLiteral("10001"), QStringLiteral("F.E.A. Alergología"));
    addPosition(*d.vacantes, 2, QStringLiteral("10003"), QStringLiteral("F.E.A. Alergología & otros"));
    addPosition(*d.resultas, 1, QStringLiteral("60003"), QStringLiteral("F.E.A. Alergología"));
    addDocument(*d.documentos, QStringLiteral("Título de especialista"));
    return d;
}

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace velantor::test
