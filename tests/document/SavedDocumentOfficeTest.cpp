#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "document/ApplicationSample.h"
#include "document/DocumentLoader.h"
#include "document/OfficeTools.h"
#include "form/HeadlessForm.h"
#include "docengine/DocxLegacyConverter.h"
#include "platform/MessageService.h"

using namespace velantor;
using namespace velantor::test;

// A saved application as another word processor sees it, and as it comes back from one
// that saved it again in the older binary format.

namespace {

GenerationRequest saveSample(const QString& folder) {
    RecordingMessageService messages;
    SolicitudDatos datos = sampleDatos();
    const GenerationRequest request = sampleRequest(folder);
    EXPECT_TRUE(DocumentGenerator(datos, messages).run(request));
    return request;
}

} // namespace

TEST(SavedDocumentOffice, LibreOfficeShowsTheTypedValues) {
    ASSERT_FALSE(officeProgram().isEmpty()) << "LibreOffice (soffice) hace falta; scripts/setup lo instala";
    QTemporaryDir dir;
    const GenerationRequest request = saveSample(dir.path());

    const QString pdf = convertWithOffice(request.documentPath(), QStringLiteral("pdf"), dir.path());
    ASSERT_FALSE(pdf.isEmpty());
    const QString text = pdfText(pdf);
    for (const char* value : {"María José", "Núñez", "Peña", "00000001R", "07/12/2026 10:15:00",
                              "Calle Ancha & Estrecha, 3 <bajo>", "Rampa de acceso", "Hospital de León",
                              "Soporte vital & avanzado", "Cuidados paliativos", "Escuela <regional>"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(value))) << value;
    // A plain save is no draft.
    EXPECT_FALSE(text.contains(QStringLiteral("BORRADOR")));
}

TEST(SavedDocumentOffice, ADocumentSavedAgainInTheBinaryFormatLoadsWithItsCheckBoxes) {
    ASSERT_FALSE(officeProgram().isEmpty()) << "LibreOffice (soffice) hace falta; scripts/setup lo instala";
    QTemporaryDir dir;
    RecordingMessageService messages;
    const GenerationRequest request = saveSample(dir.path());

    // The word processor's copy replaces the document; the XML beside it stays.
    const QString work = dir.filePath(QStringLiteral("conversion"));
    ASSERT_TRUE(QDir().mkpath(work));
    const QString legacy = convertWithOffice(request.documentPath(), QStringLiteral("doc"), work);
    ASSERT_FALSE(legacy.isEmpty());
    ASSERT_TRUE(DocxLegacyConverter::isLegacy(fileBytes(legacy)));
    QFile::remove(request.documentPath());
    ASSERT_TRUE(QFile::copy(legacy, request.documentPath()));
    const QByteArray before = fileBytes(request.documentPath());

    HeadlessForm form;
    SolicitudDatos back;
    DocumentLoader loader(form, ApplicationTables{back.vacantes, back.resultas, back.cursos, back.documentos});
    const auto loaded =
        loader.load(LoadRequest{request.fileName, request.applicationsFolder, request.templatePath});
    ASSERT_TRUE(loaded) << loaded.error().description.toStdString();
    EXPECT_EQ(form.text(u"txtNombre"), QString::fromUtf8("María José"));
    EXPECT_EQ(form.text(u"txtDomicilio"), QStringLiteral("Calle Ancha & Estrecha, 3 <bajo>"));
    EXPECT_EQ(form.text(u"cboCuerpo"), QStringLiteral("00101"));
    // Check boxes whose names the binary copy lost are named after the template again.
    EXPECT_TRUE(form.isChecked(u"optDiscSi"));
    EXPECT_TRUE(form.isChecked(u"optPetConyugeSi"));
    EXPECT_TRUE(form.isChecked(u"optSSOndex"));
    EXPECT_TRUE(form.isChecked(u"OptSi"));
    EXPECT_FALSE(form.isChecked(u"optForzoso"));
    EXPECT_EQ(back.vacantes->rowCount(), 2);
    EXPECT_EQ(back.cursos->rowCount(), 2);
    EXPECT_EQ(fileBytes(request.documentPath()), before);
}
