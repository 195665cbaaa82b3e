#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "document/ApplicationSample.h"
#include "document/DocumentGenerator.h"
#include "document/PositionsXml.h"
#include "document/ProgressIndicator.h"
#include "platform/MessageService.h"
#include "platform/SafeFile.h"

using namespace velantor;
using namespace velantor::test;

namespace {

struct Generated {
    std::optional<GeneratedDocument> document;
    Error error;
};

Generated generateFrom(const SolicitudDatos& datos, const GenerationRequest& request,
                       RecordingMessageService& messages, ProgressIndicator* progress = nullptr) {
    DocumentGenerator generator(datos, messages, progress);
    Result<GeneratedDocument> generated = generator.generate(request);
    if (!generated)
        return {std::nullopt, generated.error()};
    return {std::move(*generated), {}};
}

QString field(const WordDocument& doc, const char* name) {
    return doc.fieldText(QString::fromUtf8(name)).value_or(QStringLiteral("<sin campo>"));
}

bool checked(const WordDocument& doc, const char* name) {
    return doc.isChecked(QString::fromUtf8(name)).value_or(false);
}

// Restores the write hook however a test ends.
struct FaultGuard {
    ~FaultGuard() { setWriteFaultHook({}); }
};

} // namespace

TEST(DocumentGenerator, FillsHeaderAndEveryFieldByTagInControlOrder) {
    QTemporaryDir dir;
    RecordingMessageService messages;
    SolicitudDatos datos = sampleDatos();
    GenerationRequest request = sampleRequest(dir.path());
    request.draft = true;
    Generated g = generateFrom(datos, request, messages);
    ASSERT_TRUE(g.document) << g.error.description.toStdString();
    const WordDocument& doc = g.document->document;

    EXPECT_EQ(doc.bookmarkText(QStringLiteral("DNICAB")).value(), QStringLiteral("00000001R"));
    EXPECT_EQ(doc.bookmarkText(QStringLiteral("FECHAIMPR")).value(), QStringLiteral("07/12/2026 10:15:00"));
    // A draft is marked on the printed copy only, after the save.
    EXPECT_EQ(doc.bookmarkText(QStringLiteral("BORRADOR")).value(), QString());
    EXPECT_EQ(g.document->date, QStringLiteral("07/12/2026"));
    EXPECT_EQ(g.document->time, QStringLiteral("10:15:00"));

    EXPECT_EQ(field(doc, "NOMBRE"), QString::fromUtf8("María José"));
    EXPECT_EQ(field(doc, "DOMICILIO"), QStringLiteral("Calle Ancha & Estrecha, 3 <bajo>"));
    EXPECT_EQ(field(doc, "CUALOTRAS"), QStringLiteral("05"));
    // Lists fill their field and the second one.
    EXPECT_EQ(field(doc, "CUERPOOESCALA"), QStringLiteral("00101"));
    EXPECT_EQ(field(doc, "CUERPOOESCALA1"), QStringLiteral("00101"));
    EXPECT_EQ(field(doc, "AREAPREFERENCIA1"), QStringLiteral("02"));
    // The zone field is written twice; cboZBSVrk comes after SSOleDBCombo1 and wins.
    EXPECT_EQ(field(doc, "ZBSVrk"), QStringLiteral("01"));
    EXPECT_EQ(field(doc, "ZBSVrk1"), QStringLiteral("01"));

    EXPECT_TRUE(checked(doc, "DISCAPACIDADSI"));
    EXPECT_FALSE(checked(doc, "DISCAPACIDADNO"));
    EXPECT_TRUE(checked(doc, "ONDEX"));
    EXPECT_TRUE(checked(doc, "DEFINITIVO"));
    EXPECT_TRUE(checked(doc, "OTRAS"));
    EXPECT_TRUE(checked(doc, "SEACOMPAÑAPETICIONSI"));
    EXPECT_FALSE(checked(doc, "FORZOSO"));
}

TEST(DocumentGenerator, WithoutCurrentPostTheFourPostCheckBoxesAreCleared) {
    QTemporaryDir dir;
    RecordingMessageService messages;
    SolicitudDatos datos = sampleDatos();
    // Options left selected from before the user answered "no current post".
    datos.setOption(QStringLiteral("OptSi"), false);
    datos.setOption(QStringLiteral("OptNo"), true);
    datos.setOption(QStringLiteral("optSSOtros"), true);
    datos.setOption(QStringLiteral("optTemporal"), true);
    Generated g = generateFrom(datos, sampleRequest(dir.path()), messages);
    ASSERT_TRUE(g.document);
    const WordDocument& doc = g.document->document;
    for (const char* box : {"ONDEX", "SSOTROS", "DEFINITIVO", "TEMPORAL"})
        EXPECT_FALSE(checked(doc, box)) << box;
    // Every other option still follows its control.
    EXPECT_TRUE(checked(doc, "DISCAPACIDADSI"));
    EXPECT_TRUE(checked(doc, "OTRAS"));
    EXPECT_TRUE(checked(doc, "VOLUNTARIO"));
    EXPECT_EQ(doc.bookmarkText(QStringLiteral("BORRADOR")).value(), QString());

    datos.setOption(QStringLiteral("OptNo"), false);
    datos.setOption(QStringLiteral("OptSi"), true);
    g = generateFrom(datos, sampleRequest(dir.path()), messages);
    ASSERT_TRUE(g.document);
    for (const char* box : {"ONDEX", "SSOTROS", "DEFINITIVO", "TEMPORAL"})
        EXPECT_TRUE(checked(g.document->document, box)) << box;
}

TEST(DocumentGenerator, ThirtySixCoursesMakeTwoCoursesPagesTheSecondWithItsHeader) {
    QTemporaryDir dir;
    RecordingMessageService messages;
    SolicitudDatos datos;
    datos.setText(QStringLiteral("txtDNI"), QStringLiteral("00000001R"));
    for (int i = 1; i <= 36; ++i)
        addCourse(*datos.cursos, QStringLiteral("Curso %1").arg(i), i, 2000 + i % 20,
                  QStringLiteral("Centro %1").arg(i));
    const int templateTables = WordDocument::openTemplate(sampleTemplate())->tableCount();

    Generated g = generateFrom(datos, sampleRequest(dir.path()), messages);
    ASSERT_TRUE(g.document);
    const WordDocument& doc = g.document->document;
    EXPECT_EQ(doc.tableCount(), templateTables + 1);
    EXPECT_EQ(g.document->courseTables, 2);
    EXPECT_EQ(g.document->pageCounter, 3);
    // Table 3: its header and the first 35 courses in list order.
    EXPECT_EQ(doc.rowCount(3).value(), 36);
    EXPECT_EQ(doc.cellText(3, 2, 1).value(), QStringLiteral("Curso 1"));
    EXPECT_EQ(doc.cellText(3, 2, 2).value(), QStringLiteral("1"));
    EXPECT_EQ(doc.cellText(3, 36, 1).value(), QStringLiteral("Curso 35"));
    EXPECT_EQ(doc.cellText(3, 36, 4).value(), QStringLiteral("Centro 35"));
    // Table 4: a header of its own, the 36th course, the widths of table 3, no bold.
    EXPECT_EQ(doc.rowCount(4).value(), 2);
    EXPECT_EQ(doc.columnCount(4).value(), 4);
    EXPECT_EQ(doc.cellText(4, 1, 1).value(), QStringLiteral("Curso"));
    EXPECT_EQ(doc.cellText(4, 1, 2).value(), QStringLiteral("N Horas"));
    EXPECT_EQ(doc.cellText(4, 1, 3).value(), QString::fromUtf8("Año"));
    EXPECT_EQ(doc.cellText(4, 1, 4).value(), QStringLiteral("Centro"));
    EXPECT_EQ(doc.cellText(4, 2, 1).value(), QStringLiteral("Curso 36"));
    EXPECT_EQ(doc.cellText(4, 2, 3).value(), QStringLiteral("2016"));
    EXPECT_EQ(doc.columnWidths(4).value(), doc.columnWidths(3).value());
    // The page break sits between the two tables.
    const QString xml = QString::fromUtf8(doc.part(QStringLiteral("word/document.xml")));
    const qsizetype second = xml.indexOf(QStringLiteral("Curso 36"));
    const qsizetype breakAt =
        xml.indexOf(QStringLiteral("w:pageBreakBefore"), xml.indexOf(QStringLiteral("Curso 35")));
    EXPECT_GT(breakAt, 0);
    EXPECT_LT(breakAt, second);

    // Exactly 35 courses stay on one table.
    datos.cursos->moveLast();
    datos.cursos->deleteCurrent();
    g = generateFrom(datos, sampleRequest(dir.path()), messages);
    ASSERT_TRUE(g.document);
    EXPECT_EQ(g.document->document.tableCount(), templateTables);
    EXPECT_EQ(g.document->pageCounter, 2);
}

TEST(DocumentGenerator, ProgressCountsTheControlsAndTheListRows) {
    QTemporaryDir dir;
    RecordingMessageService messages;
    SolicitudDatos datos = sampleDatos();
    PlainProgress progress;
    DocumentGenerator generator(datos, messages, &progress);
    EXPECT_EQ(generator.progressMaximum(), 162 + 2 + 1 + 2 + 1);
    ASSERT_TRUE(generator.generate(sampleRequest(dir.path())));
    EXPECT_EQ(progress.maximum(), 168);
    // Every control and both courses: only the print's lists remain.
    EXPECT_EQ(progress.value(), 164);
}

TEST(DocumentGenerator, VersionEightPrintsTheNewDocumentRightAfterCreatingIt) {
    QTemporaryDir dir;
    RecordingMessageService messages;
    SolicitudDatos datos = sampleDatos();
    DocumentGenerator generator(datos, messages);
    int prints = 0;
    QString nameWhenPrinted;
    generator.setEarlyPrint([&](const WordDocument& doc) -> Result<void> {
        ++prints;
        nameWhenPrinted = doc.fieldText(QStringLiteral("NOMBRE")).value_or(QStringLiteral("?"));
        return {};
    });
    GenerationRequest request = sampleRequest(dir.path());
    ASSERT_TRUE(generator.generate(request));
    EXPECT_EQ(prints, 0);
    request.wordMajorVersion = 8;
    ASSERT_TRUE(generator.generate(request));
    EXPECT_EQ(prints, 1);
    // What was printed is the template as it came, before any field was filled.
    EXPECT_EQ(nameWhenPrinted,
              WordDocument::openTemplate(sampleTemplate())->fieldText(QStringLiteral("NOMBRE")).value());

    generator.setEarlyPrint([](const WordDocument&) -> Result<void> {
        return std::unexpected(makeError(errors::kExternalProgram, QStringLiteral("sin impresora")));
    });
    const Result<void> failed = generator.run(request);
    ASSERT_FALSE(failed);
    EXPECT_EQ(failed.error().description, QStringLiteral("sin impresora"));
    EXPECT_FALSE(QFile::exists(request.documentPath()));
}

TEST(DocumentGenerator, SavesTheXmlAndTheDocumentCreatingTheFolder) {
    QTemporaryDir dir;
    RecordingMessageService messages;
    SolicitudDatos datos = sampleDatos();
    const QString folder = QDir(dir.path()).filePath(QStringLiteral("ficheros/temp"));
    const GenerationRequest request = sampleRequest(folder);
    DocumentGenerator generator(datos, messages);

    Result<GeneratedDocument> generated = generator.generate(request);
    ASSERT_TRUE(generated);
    // Nothing is written before the document is complete.
    EXPECT_TRUE(QDir(folder).exists());
    EXPECT_FALSE(QFile::exists(request.documentPath()));
    ASSERT_TRUE(generator.save(*generated, request));

    EXPECT_EQ(request.xmlPath(), QDir(folder).filePath(QStringLiteral("00000001R_001010A.xml")));
    const QByteArray xml = fileBytes(request.xmlPath());
    EXPECT_TRUE(xml.startsWith("<?xml version=\"1.0\" encoding=\"iso-8859-1\"?><Plazas><Vacantes><Plaza>"));
    EXPECT_TRUE(xml.contains("<Curso>Soporte vital   avanzado</Curso>"));
    EXPECT_TRUE(xml.contains("<NomConvocatoria>F.E.A. Alergolog\xed"
                             "a &amp; otros</NomConvocatoria>"));
    Result<WordDocument> saved = WordDocument::open(request.documentPath());
    ASSERT_TRUE(saved);
    EXPECT_EQ(field(*saved, "PRIMERAPELLIDO"), QString::fromUtf8("Núñez"));
    EXPECT_EQ(saved->cellText(3, 3, 4).value(), QStringLiteral("Escuela <regional>"));
    EXPECT_TRUE(messages.empty());
    // A plain save leaves the positions off the document.
    EXPECT_FALSE(saved->text().contains(QStringLiteral("10003")));
}

TEST(DocumentGenerator, AFailedSaveKeepsThePreviousDocumentAndXml) {
    QTemporaryDir dir;
    RecordingMessageService messages;
    const GenerationRequest request = sampleRequest(dir.path());
    SolicitudDatos first = sampleDatos();
    ASSERT_TRUE(DocumentGenerator(first, messages).run(request));
    const QByteArray documentBefore = fileBytes(request.documentPath());
    const QByteArray xmlBefore = fileBytes(request.xmlPath());

    SolicitudDatos second = sampleDatos();
    second.setText(QStringLiteral("txtNombre"), QStringLiteral("Otro nombre"));
    addPosition(*second.vacantes, 3, QStringLiteral("10005"), QStringLiteral("Nueva"));
    FaultGuard guard;
    for (const char* failing : {".doc", ".xml"}) {
        for (WriteStage stage : {WriteStage::Open, WriteStage::Write, WriteStage::Commit}) {
            setWriteFaultHook([&](const QString& path, WriteStage at) {
                return path.endsWith(QString::fromLatin1(failing)) && at == stage;
            });
            const Result<void> saved = DocumentGenerator(second, messages).run(request);
            ASSERT_FALSE(saved) << failing;
            EXPECT_TRUE(
                saved.error().description.startsWith(QStringLiteral("La solicitud no se ha guardado.")));
            EXPECT_EQ(fileBytes(request.documentPath()), documentBefore) << failing << int(stage);
            EXPECT_EQ(fileBytes(request.xmlPath()), xmlBefore) << failing << int(stage);
        }
    }
    // A first save that fails leaves no XML without its document.
    const GenerationRequest fresh = sampleRequest(dir.path(), QStringLiteral("00000002W_001010A.doc"));
    setWriteFaultHook([](const QString& path, WriteStage) { return path.endsWith(QStringLiteral(".doc")); });
    ASSERT_FALSE(DocumentGenerator(second, messages).run(fresh));
    EXPECT_FALSE(QFile::exists(fresh.xmlPath()));
    EXPECT_FALSE(QFile::exists(fresh.documentPath()));
    EXPECT_TRUE(messages.empty());
}

TEST(DocumentGenerator, AMissingTemplateOrUnwritableFolderWritesNothing) {
    QTemporaryDir dir;
    RecordingMessageService messages;
    SolicitudDatos datos = sampleDatos();
    GenerationRequest request = sampleRequest(dir.path());
    request.templatePath = QDir(dir.path()).filePath(QStringLiteral("DOT_10111/PlantillaWXP.dot"));
    Result<void> saved = DocumentGenerator(datos, messages).run(request);
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.error().number, errors::kPathNotFound);
    EXPECT_TRUE(saved.error().description.contains(QStringLiteral("DOT_10111")));
    EXPECT_FALSE(QFile::exists(request.documentPath()));

    // A file where the applications folder should be.
    QFile blocker(QDir(dir.path()).filePath(QStringLiteral("temp")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    request = sampleRequest(blocker.fileName());
    saved = DocumentGenerator(datos, messages).run(request);
    ASSERT_FALSE(saved);
    EXPECT_TRUE(saved.error().description.contains(QStringLiteral("carpeta de solicitudes")));
}

TEST(DocumentGenerator, APrintHandsTheSavedDocumentToThePrintCompletion) {
    QTemporaryDir dir;
    RecordingMessageService messages;
    SolicitudDatos datos = sampleDatos();
    GenerationRequest request = sampleRequest(dir.path());
    request.print = true;

    // Without a print completion the application is still saved and the print refused.
    Result<void> run = DocumentGenerator(datos, messages).run(request);
    ASSERT_FALSE(run);
    EXPECT_TRUE(run.error().description.contains(QStringLiteral("no se ha podido imprimir")));
    EXPECT_TRUE(QFile::exists(request.documentPath()));

    DocumentGenerator generator(datos, messages);
    bool savedBefore = false;
    generator.setPrintCompletion(
        [&](GeneratedDocument& generated, const GenerationRequest& asked) -> Result<void> {
            savedBefore = QFile::exists(asked.documentPath()) && QFile::exists(asked.xmlPath());
            EXPECT_EQ(generated.pageCounter, 2);
            EXPECT_EQ(generated.document.path(), asked.documentPath());
            return {};
        });
    QFile::remove(request.documentPath());
    QFile::remove(request.xmlPath());
    ASSERT_TRUE(generator.run(request));
    EXPECT_TRUE(savedBefore);
}
