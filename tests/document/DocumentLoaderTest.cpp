#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "document/ApplicationSample.h"
#include "document/DocumentLoader.h"
#include "document/ProgressIndicator.h"
#include "form/ControlNames.h"
#include "form/SolicitudJson.h"
#include "docengine/OoxmlPackage.h"
#include "platform/SafeFile.h"
#include "support/SearchTestForm.h"

using namespace velantor;
using namespace velantor::test;

namespace {

// The form as the window opens it empty: the dependent controls hidden, the document
// commands disabled, with the situations list offering "05" and "08" (Otra).
struct LoadFixture : ::testing::Test {
    LoadFixture() {
        Table& situations = *t.tables.rsSituaciones;
        for (const auto& [code, others, name] :
             {std::tuple{"05", "0", "Excedencia voluntaria"}, std::tuple{"08", "1", "Otra"}}) {
            situations.addRow();
            situations.setText(u"CodSituacion", QString::fromLatin1(code));
            situations.setText(u"esOtras", QString::fromLatin1(others));
            situations.setText(u"Situacion", QString::fromLatin1(name));
        }
        for (const char* name : {"fraDNIConyuge", "lblTipoDis", "txtTipoDisc", "lblAdap", "txtAdaptaciones",
                                 "txtSS", "Frame7", "Frame3", "fraDefTemp", "txtFecPosesion", "lblPosesion",
                                 "cboSituaciones", "lblSituacion", "txtSitAdm", "txtFechaSit", "lblFechaSit"})
            t.form.setVisible(QString::fromLatin1(name), false);
        for (const char* command : {"mnuP1000", "mnuP2000", "mnuP2500"})
            t.form.setEnabled(QString::fromLatin1(command), false);
    }

    // Saves `datos` under the sample name in the temporary folder.
    GenerationRequest save(const SolicitudDatos& datos) {
        const GenerationRequest request = sampleRequest(dir.path());
        RecordingMessageService quiet;
        EXPECT_TRUE(DocumentGenerator(datos, quiet).run(request));
        return request;
    }

    Result<LoadedApplication> load(const QString& fileName = QStringLiteral("00000001R_001010A.doc"),
                                   const QString& folder = {}) {
        DocumentLoader loader(t.form, lists(), &progress);
        loader.setPositionSearch(t.search);
        const Result<LoadedApplication> loaded =
            loader.load(LoadRequest{fileName, folder.isEmpty() ? dir.path() : folder, sampleTemplate()});
        serviceCounter = loader.serviceCounter();
        formTouched = loader.formTouched();
        return loaded;
    }

    ApplicationTables lists() { return {loaded.vacantes, loaded.resultas, loaded.cursos, loaded.documentos}; }

    bool commandsEnabled() const {
        return t.form.isEnabled(u"mnuP1000") && t.form.isEnabled(u"mnuP2000") &&
               t.form.isEnabled(u"mnuP2500");
    }

    QTemporaryDir dir;
    SearchTestForm t;
    SolicitudDatos loaded;
    PlainProgress progress;
    int serviceCounter = -1;
    bool formTouched = false;
};

SolicitudDatos roundTripDatos() {
    SolicitudDatos datos = sampleDatos();
    // The document holds one zone field; both zone lists come back with it.
    datos.setText(QStringLiteral("SSOleDBCombo1"), QStringLiteral("01"));
    return datos;
}

// Rewrites one part of a saved document.
void editPart(const QString& path, const QString& part, const std::function<void(QByteArray&)>& edit) {
    OoxmlPackage package = OoxmlPackage::fromZip(fileBytes(path), path).value();
    QByteArray bytes = package.part(part);
    edit(bytes);
    package.setPart(part, bytes);
    ASSERT_TRUE(writeFileAtomically(path, package.toZip().value()));
}

} // namespace

TEST_F(LoadFixture, EveryFieldOptionAndListRowComesBackWithTheDependentControls) {
    const SolicitudDatos datos = roundTripDatos();
    save(datos);
    const Result<LoadedApplication> whole = load();
    ASSERT_TRUE(whole);
    EXPECT_FALSE(whole->damagedPositions);
    EXPECT_TRUE(t.messages.empty());

    SolicitudDatos back;
    back.readFrom(t.form);
    back.vacantes = loaded.vacantes;
    back.resultas = loaded.resultas;
    back.cursos = loaded.cursos;
    back.documentos = loaded.documentos;
    // The positions XML stores "&" of a course name as a blank.
    const QByteArray expected =
        solicitudToJson(datos).replace("Soporte vital & avanzado", "Soporte vital   avanzado");
    EXPECT_EQ(solicitudToJson(back).toStdString(), expected.toStdString());
    EXPECT_EQ(back.situationName, QStringLiteral("Excedencia voluntaria"));

    // The body's label, the lists on their first rows, the progress at its end.
    EXPECT_EQ(t.form.text(u"lblCat"), QStringLiteral("00101"));
    EXPECT_EQ(loaded.vacantes->position(), 0);
    EXPECT_EQ(loaded.cursos->position(), 0);
    EXPECT_EQ(progress.value(), 324);
    EXPECT_EQ(progress.text(), QString::fromUtf8("Recuperando información de la solicitud ..."));
    EXPECT_EQ(serviceCounter, 1);

    for (const char* shown :
         {"fraDNIConyuge", "lblAdap", "lblTipoDis", "txtAdaptaciones", "txtTipoDisc", "Frame7", "Frame3",
          "fraDefTemp", "txtFecPosesion", "lblPosesion", "cboSituaciones", "txtFechaSit"})
        EXPECT_TRUE(t.form.isVisible(QString::fromLatin1(shown))) << shown;
    // A situation of the list does not need the free text box.
    EXPECT_FALSE(t.form.isVisible(u"txtSitAdm"));
    EXPECT_FALSE(t.form.isVisible(u"txtSS"));
}

TEST_F(LoadFixture, IdentityBodyAndGroupAreLockedAndTheCommandsEnabled) {
    save(roundTripDatos());
    ASSERT_FALSE(commandsEnabled());
    ASSERT_TRUE(load());
    for (const char* locked : {"txtDNI", "cboCuerpo", "cboGrupo"})
        EXPECT_FALSE(t.form.isEnabled(QString::fromLatin1(locked))) << locked;
    EXPECT_TRUE(commandsEnabled());
    // The body's positions are the form's again.
    ASSERT_TRUE(t.tables.rsPlazasVacantes);
    EXPECT_EQ(t.visibleCodes(catalogues::SearchTab::Vacantes).size(), 6);
}

TEST_F(LoadFixture, ADocumentSavedWithoutCurrentPostSelectsOptNoAgain) {
    SolicitudDatos datos = roundTripDatos();
    datos.setOption(QStringLiteral("OptSi"), false);
    datos.setOption(QStringLiteral("OptNo"), true);
    for (const char* emptied : {"txtFecPosesion", "txtPuesto", "txtLocalidadPuesto", "txtProvinciaPuesto"})
        datos.setText(QString::fromLatin1(emptied), QString());
    save(datos);
    ASSERT_TRUE(load());
    EXPECT_EQ(serviceCounter, 0);
    EXPECT_TRUE(t.form.isChecked(u"OptNo"));
    EXPECT_FALSE(t.form.isChecked(u"OptSi"));
    for (const char* post : {"optSSOndex", "optSSOtros", "optDefinitivo", "optTemporal"})
        EXPECT_FALSE(t.form.isChecked(QString::fromLatin1(post))) << post;
    EXPECT_FALSE(t.form.isVisible(u"Frame7"));
    EXPECT_FALSE(t.form.isVisible(u"txtFecPosesion"));
}

TEST_F(LoadFixture, ASituationNamedByTheUserShowsOtraWithItsTextBox) {
    SolicitudDatos datos = roundTripDatos();
    datos.setText(QStringLiteral("txtSitAdm"), QString::fromUtf8("Comisión de servicios"));
    datos.setText(QStringLiteral("cboSituaciones"), QStringLiteral("08"));
    save(datos);
    ASSERT_TRUE(load());
    EXPECT_EQ(t.form.text(u"cboSituaciones"), QStringLiteral("08"));
    EXPECT_EQ(t.form.text(u"txtSitAdm"), QString::fromUtf8("Comisión de servicios"));
    EXPECT_TRUE(t.form.isVisible(u"txtSitAdm"));
}

TEST_F(LoadFixture, AnActiveSituationLeavesTheSituationListEmpty) {
    SolicitudDatos datos = roundTripDatos();
    datos.setOption(QStringLiteral("optOtras"), false);
    datos.setOption(QStringLiteral("optActivo"), true);
    datos.setText(QStringLiteral("txtSitAdm"), QString());
    datos.setText(QStringLiteral("txtFechaSit"), QString());
    save(datos);
    ASSERT_TRUE(load());
    EXPECT_TRUE(t.form.isChecked(u"optActivo"));
    EXPECT_EQ(t.form.text(u"cboSituaciones"), QString());
    EXPECT_FALSE(t.form.isVisible(u"txtSitAdm"));
    EXPECT_FALSE(t.form.isVisible(u"cboSituaciones"));
}

TEST_F(LoadFixture, AFieldTheDocumentLacksIsPassedOver) {
    const GenerationRequest request = save(roundTripDatos());
    editPart(request.documentPath(), QStringLiteral("word/document.xml"), [](QByteArray& xml) {
        xml.replace("w:val=\"NOMBRE\"", "w:val=\"NOMBRE_X\"");
        xml.replace("w:val=\"DISCAPACIDADSI\"", "w:val=\"DISCAPACIDAD_X\"");
    });
    t.form.setText(u"txtNombre", QStringLiteral("Escrito antes"));
    ASSERT_TRUE(load());
    EXPECT_EQ(t.form.text(u"txtNombre"), QStringLiteral("Escrito antes"));
    EXPECT_FALSE(t.form.isChecked(u"optDiscSi"));
    EXPECT_EQ(t.form.text(u"txtApellido1"), QString::fromUtf8("Núñez"));
    EXPECT_TRUE(commandsEnabled());
}

TEST_F(LoadFixture, AnyOtherErrorEndsTheLoadingWhereItHappened) {
    // No document at all.
    Result<LoadedApplication> loaded = load(QStringLiteral("00000009Z_001010A.doc"));
    ASSERT_FALSE(loaded);
    EXPECT_EQ(loaded.error().number, errors::kFileNotFound);
    EXPECT_FALSE(commandsEnabled());

    // A list row without one of its columns: the fields are in, nothing after the lists is done.
    const GenerationRequest request = save(roundTripDatos());
    QByteArray xml = fileBytes(request.xmlPath());
    ASSERT_TRUE(writeFileAtomically(request.xmlPath(), xml.replace("<Zona>Le\xf3n I</Zona>", "")));
    loaded = load();
    ASSERT_FALSE(loaded);
    EXPECT_EQ(loaded.error().number, errors::kMissingXmlItem);
    EXPECT_EQ(t.form.text(u"txtNombre"), QString::fromUtf8("María José"));
    EXPECT_TRUE(t.form.isEnabled(u"txtDNI"));
    EXPECT_FALSE(commandsEnabled());
}

TEST_F(LoadFixture, ADamagedPositionsXmlIsToldAndTheListsStayEmpty) {
    const GenerationRequest request = save(roundTripDatos());
    ASSERT_TRUE(
        writeFileAtomically(request.xmlPath(), QByteArray("<?xml version=\"1.0\"?><Plazas><Vacantes><Pla")));
    const Result<LoadedApplication> damaged = load();
    ASSERT_TRUE(damaged);
    ASSERT_TRUE(damaged->damagedPositions);
    EXPECT_EQ(damaged->damagedPositions->number, errors::kMalformedXml);
    EXPECT_TRUE(damaged->damagedPositions->description.contains(QDir::toNativeSeparators(request.xmlPath())));
    EXPECT_TRUE(t.messages.empty()); // the caller shows it
    EXPECT_EQ(loaded.vacantes->rowCount(), 0);
    EXPECT_EQ(loaded.cursos->rowCount(), 0);
    EXPECT_EQ(t.form.text(u"txtNombre"), QString::fromUtf8("María José"));
    EXPECT_TRUE(commandsEnabled());

    // A missing XML is no damage: the lists are simply empty.
    QFile::remove(request.xmlPath());
    const Result<LoadedApplication> missing = load();
    ASSERT_TRUE(missing);
    EXPECT_FALSE(missing->damagedPositions);
}

// Documents that are not this application: whatever a word processor made of a damaged
// file, another document, one saved for another person or without the identity number.
TEST_F(LoadFixture, ADocumentThatIsNotTheApplicationOfItsNameIsRefusedBeforeAnythingIsFilled) {
    const auto saveWithDni = [this](const char* dni) {
        SolicitudDatos datos = roundTripDatos();
        datos.setText(QString::fromUtf16(ctl::txtDNI), QString::fromLatin1(dni));
        return save(datos).documentPath();
    };
    const struct {
        const char* name;
        std::function<void()> make;
        const char* reason;
    } cases[] = {
        {"binary signature and garbage",
         [this] {
             ASSERT_TRUE(writeFileAtomically(QDir(dir.path()).filePath(QStringLiteral("00000001R_001010A.doc")),
                                             QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) +
                                                 QByteArray(3000, '\x5A')));
         },
         "campos del formulario"},
        {"a document without the form",
         [this, saveWithDni] {
             editPart(saveWithDni("00000001R"), QStringLiteral("word/document.xml"), [](QByteArray& xml) {
                 xml = "<?xml version=\"1.0\"?><w:document xmlns:w=\"http://schemas.openxmlformats.org/"
                       "wordprocessingml/2006/main\"><w:body><w:p/></w:body></w:document>";
             });
         },
         "campos del formulario"},
        {"no identity number", [saveWithDni] { saveWithDni(""); }, "no lleva el DNI"},
        {"another person's number", [saveWithDni] { saveWithDni("00000002W"); }, "00000002W"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.make();
        t.form.setText(ctl::txtNombre, QStringLiteral("sin tocar"));
        const Result<LoadedApplication> refused = load();
        ASSERT_FALSE(refused);
        EXPECT_EQ(refused.error().number, errors::kNotAnApplication) << refused.error().description.toStdString();
        EXPECT_TRUE(refused.error().description.contains(QStringLiteral("«00000001R_001010A.doc»")));
        EXPECT_TRUE(refused.error().description.contains(QString::fromUtf8(c.reason)))
            << refused.error().description.toStdString();
        EXPECT_FALSE(formTouched);
        EXPECT_EQ(t.form.text(ctl::txtNombre), QStringLiteral("sin tocar"));
        EXPECT_EQ(loaded.vacantes->rowCount(), 0);
        EXPECT_FALSE(commandsEnabled());
    }
}
