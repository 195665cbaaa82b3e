#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include "form/SolicitudJson.h"

using namespace velantor;

namespace {

SolicitudDatos sample() {
    SolicitudDatos datos;
    datos.setText(QStringLiteral("txtNombre"), QStringLiteral("Ana María"));
    datos.setText(QStringLiteral("txtApellido1"), QStringLiteral("Núñez \"la Ñ\""));
    datos.setText(QStringLiteral("cboSituaciones"), QStringLiteral("08"));
    datos.setOption(QStringLiteral("optForzoso"), true);
    datos.setOption(QStringLiteral("OptNo"), true);

    Table& vacantes = *datos.vacantes;
    for (int i = 1; i <= 2; ++i) {
        vacantes.addRow();
        vacantes.setNumber(u"IdSolicitud", i - 1);
        vacantes.setNumber(u"Orden", i);
        vacantes.setText(u"CodConvocatoria", QStringLiteral("1234%1").arg(i));
        vacantes.setText(u"Localidad", QStringLiteral("Mérida (Badajoz)"));
    }
    datos.cursos->addRow();
    datos.cursos->setText(u"Curso", QStringLiteral("Soporte vital"));
    datos.cursos->setNumber(u"NHoras", 20);
    datos.cursos->setNumber(u"Ano", 2010);
    datos.cursos->setNumber(u"IdCurso", 7);
    datos.documentos->addRow();
    datos.documentos->setText(u"Documento", QStringLiteral("Título"));
    datos.documentos->setText(u"Horas", QStringLiteral("12,5"));
    return datos;
}

QJsonObject parse(const QByteArray& json) {
    return QJsonDocument::fromJson(json).object();
}

QByteArray withControls(const char* controls) {
    return QByteArray(R"({"controls": )") + controls + "}";
}

Error errorOf(const QByteArray& json) {
    SolicitudDatos datos;
    const Result<void> result = solicitudFromJson(json, datos);
    EXPECT_FALSE(result.has_value()) << json.toStdString();
    return result.has_value() ? Error{} : result.error();
}

} // namespace

TEST(SolicitudJson, WritesControlsByNameAndRowsByField) {
    const QJsonObject root = parse(solicitudToJson(sample()));
    const QJsonObject controls = root.value(u"controls").toObject();
    EXPECT_EQ(controls.value(u"txtNombre").toString(), u"Ana María");
    EXPECT_TRUE(controls.value(u"optForzoso").isBool());
    EXPECT_TRUE(controls.value(u"optForzoso").toBool());
    EXPECT_FALSE(controls.value(u"optVoluntario").toBool());
    EXPECT_TRUE(controls.value(u"OptNo").toBool());
    EXPECT_EQ(controls.value(u"cboSituaciones").toString(), u"08");
    EXPECT_EQ(controls.value(u"txtSitAdm").toString(), u""); // every data control is present

    const QJsonArray vacantes = root.value(u"Vacantes").toArray();
    ASSERT_EQ(vacantes.size(), 2);
    EXPECT_TRUE(vacantes[1].toObject().value(u"Orden").isDouble());
    EXPECT_EQ(vacantes[1].toObject().value(u"Orden").toInteger(), 2);
    EXPECT_EQ(vacantes[1].toObject().value(u"CodConvocatoria").toString(), u"12342");
    EXPECT_EQ(root.value(u"Resultas").toArray().size(), 0);
    EXPECT_EQ(root.value(u"Cursos").toArray()[0].toObject().value(u"IdCurso").toInteger(), 7);
    EXPECT_EQ(root.value(u"Documentos").toArray()[0].toObject().value(u"Horas").toString(), u"12,5");
}

TEST(SolicitudJson, RoundTrip) {
    const SolicitudDatos original = sample();
    const QByteArray json = solicitudToJson(original);
    SolicitudDatos read;
    ASSERT_TRUE(solicitudFromJson(json, read).has_value());
    EXPECT_EQ(solicitudToJson(read), json);
    EXPECT_EQ(read.text(u"txtApellido1"), u"Núñez \"la Ñ\"");
    EXPECT_TRUE(read.option(u"optForzoso"));
    EXPECT_EQ(read.vacantes->totalRowCount(), 2);
    EXPECT_NE(read.vacantes.get(), original.vacantes.get());
}

TEST(SolicitudJson, ReadingReplacesWhatTheObjectHeld) {
    SolicitudDatos datos = sample();
    ASSERT_TRUE(solicitudFromJson(R"({"controls": {"txtNombre": "Luis"}, "Cursos": []})", datos).has_value());
    EXPECT_EQ(datos.text(u"txtNombre"), u"Luis");
    EXPECT_TRUE(datos.text(u"txtApellido1").isEmpty());
    EXPECT_FALSE(datos.option(u"optForzoso"));
    EXPECT_EQ(datos.cursos->totalRowCount(), 0);
    EXPECT_EQ(datos.vacantes->totalRowCount(), 0);
}

TEST(SolicitudJson, MissingFieldsOfARowStayEmpty) {
    SolicitudDatos datos;
    ASSERT_TRUE(solicitudFromJson(R"({"Cursos": [{"Curso": "Triaje"}]})", datos).has_value());
    datos.cursos->moveFirst();
    EXPECT_EQ(datos.cursos->text(u"Curso"), u"Triaje");
    EXPECT_EQ(datos.cursos->number(u"NHoras"), 0);
}

TEST(SolicitudJson, BadInputIsNamed) {
    const std::pair<QByteArray, const char16_t*> cases[] = {
        {"{\"controls\": {\n  \"txtNombre\": \"Ana\",\n}", u"línea 3"},
        {"[1, 2]", u"debe ser un objeto"},
        {R"({"Vacante": []})", u"Clave desconocida «Vacante»"},
        {withControls(R"({"txtNombres": "Ana"})"), u"Control desconocido «txtNombres»"},
        {withControls(R"({"optForzoso": "true"})"), u"«optForzoso» es una opción"},
        {withControls(R"({"txtCP": 6800})"), u"«txtCP» debe ser un texto"},
        {withControls(R"(["txtNombre"])"), u"«controls» debe ser un objeto"},
        {R"({"Cursos": {"Curso": "x"}})", u"«Cursos» debe ser una lista"},
        {R"({"Cursos": ["x"]})", u"la fila 1 de «Cursos» debe ser un objeto"},
        {R"({"Cursos": [{}, {"Horas": 3}]})", u"Campo desconocido «Horas» en la fila 2 de «Cursos»"},
        {R"({"Cursos": [{"NHoras": 1.5}]})", u"«NHoras» de la fila 1 de «Cursos» debe ser un número entero"},
        {R"({"Cursos": [{"NHoras": "20"}]})", u"«NHoras» de la fila 1 de «Cursos» debe ser un número entero"},
        {R"({"Documentos": [{"Horas": 12}]})", u"«Horas» de la fila 1 de «Documentos» debe ser un texto"},
        {R"({"Documentos": [{"Horas": "1234567"}]})", u"admite como máximo 6 caracteres"},
    };
    for (const auto& [json, expected] : cases) {
        const Error error = errorOf(json);
        EXPECT_EQ(error.number, errors::kBadSolicitudJson) << json.toStdString();
        EXPECT_TRUE(error.description.contains(QStringView(expected)))
            << json.toStdString() << " -> " << error.description.toStdString();
    }
}

TEST(SolicitudJson, AFailedReadLeavesTheObjectAsItWas) {
    SolicitudDatos datos = sample();
    const QByteArray before = solicitudToJson(datos);
    EXPECT_FALSE(
        solicitudFromJson(R"({"controls": {"txtNombre": "Luis"}, "Cursos": [{"NHoras": 0.5}]})", datos)
            .has_value());
    EXPECT_EQ(solicitudToJson(datos), before);
}
