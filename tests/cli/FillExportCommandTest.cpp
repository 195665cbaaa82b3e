#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "form/SolicitudJson.h"
#include "support/CliRun.h"

using namespace velantor;

namespace {

using test::CliRun;
using test::runCli;

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QString kExample =
    QDir::cleanPath(QStringLiteral(VELANTOR_TEST_DATA_DIR "/../../examples/solicitud.json"));
const QString kDocument = QStringLiteral("00000001R_001010A.doc");

// A program folder of its own: the sample's configuration, catalogues and template.
class FillExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QDir sample(QStringLiteral(VELANTOR_SAMPLE_PROGRAM_DIR));
        QDir out(m_dir.path());
        ASSERT_TRUE(out.mkpath(QStringLiteral("ficheros/DOT_11111")));
        ASSERT_TRUE(QFile::copy(sample.filePath(QStringLiteral("conf.xml")),
                                out.filePath(QStringLiteral("conf.xml"))));
        const QDir data(sample.filePath(QStringLiteral("ficheros")));
        for (const QString& f :
             data.entryList({QStringLiteral("*.enc"), QStringLiteral("FicheroTexto.txt")}, QDir::Files))
            ASSERT_TRUE(QFile::copy(data.filePath(f), out.filePath(QStringLiteral("ficheros/") + f)));
        ASSERT_TRUE(QFile::copy(data.filePath(QStringLiteral("DOT_11111/PlantillaWXP.dot")),
                                out.filePath(QStringLiteral("ficheros/DOT_11111/PlantillaWXP.dot"))));
    }

    QString folder() const { return m_dir.path(); }
    QString applications() const { return QDir(m_dir.path()).filePath(QStringLiteral("ficheros/temp")); }
    QStringList written() const { return QDir(applications()).entryList(QDir::Files); }

    // Writes a JSON file beside the program folder and fills it.
    CliRun fill(const QByteArray& json, QStringList extra = {}) {
        const QString path = QDir(m_dir.path()).filePath(QStringLiteral("entrada.json"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(json);
        file.close();
        return runCli(QStringList{QStringLiteral("fill"), folder(), path} + extra);
    }

    // The example with one control replaced.
    static QByteArray exampleWith(const QString& control, const QJsonValue& value) {
        QJsonObject root = QJsonDocument::fromJson(readAll(kExample)).object();
        QJsonObject controls = root.value(QStringLiteral("controls")).toObject();
        controls.insert(control, value);
        root.insert(QStringLiteral("controls"), controls);
        return QJsonDocument(root).toJson();
    }

    QTemporaryDir m_dir;
};

// The JSON of an application as the program writes it, for comparing two texts.
QString normalised(const QByteArray& json) {
    SolicitudDatos datos;
    const Result<void> read = solicitudFromJson(json, datos);
    EXPECT_TRUE(read) << (read ? std::string() : read.error().description.toStdString());
    return QString::fromUtf8(solicitudToJson(datos));
}

} // namespace

TEST_F(FillExportTest, FillThenExportGivesBackTheSameApplication) {
    const QByteArray example = readAll(kExample);
    ASSERT_FALSE(example.isEmpty()) << kExample.toStdString();
    CliRun run = fill(example, {QStringLiteral("--at"), QStringLiteral("07/12/2026 10:15:00")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, kDocument + u'\n');
    EXPECT_EQ(written(), (QStringList{kDocument, QStringLiteral("00000001R_001010A.xml")}));

    run = runCli({QStringLiteral("export"), folder(), kDocument});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, normalised(example));

    // A path to the document works as well as its bare name.
    const CliRun byPath =
        runCli({QStringLiteral("export"), folder(), QDir(applications()).filePath(kDocument)});
    EXPECT_EQ(byPath.out, run.out);
}

TEST_F(FillExportTest, BadInputIsRefusedWithExitTwoAndNothingWritten) {
    const struct {
        const char* what;
        QByteArray json;
        QStringList extra;
        const char* message;
    } cases[] = {
        {"not JSON", QByteArray("{\"controls\": {"), {}, "no es un texto JSON"},
        {"unknown control",
         exampleWith(QStringLiteral("txtNoExiste"), QStringLiteral("x")),
         {},
         "txtNoExiste"},
        {"unknown province", exampleWith(QStringLiteral("cboProvincia"), QStringLiteral("99")), {}, "«99»"},
        {"unknown body", exampleWith(QStringLiteral("cboCuerpo"), QStringLiteral("99999")), {}, "«99999»"},
        {"unknown situation",
         exampleWith(QStringLiteral("cboSituaciones"), QStringLiteral("77")),
         {},
         "«77»"},
        {"group of another body", exampleWith(QStringLiteral("cboGrupo"), QStringLiteral("B")), {}, "grupo"},
        {"invalid identity", exampleWith(QStringLiteral("txtDNI"), QStringLiteral("00000001A")), {}, "DNI"},
        {"unsafe identity", exampleWith(QStringLiteral("txtDNI"), QStringLiteral("../../x")), {}, "DNI"},
        {"no body", exampleWith(QStringLiteral("cboCuerpo"), QString()), {}, ""},
        {"control character",
         exampleWith(QStringLiteral("txtDomicilio"), QStringLiteral("Calle\u0001Mayor")),
         {},
         "txtDomicilio"},
        {"bad clock",
         readAll(kExample),
         {QStringLiteral("--at"), QStringLiteral("31/02/2026 10:00:00")},
         "--at"},
    };
    for (const auto& c : cases) {
        const CliRun run = fill(c.json, c.extra);
        EXPECT_EQ(run.exitCode, 2) << c.what << ": " << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << c.what;
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.message)))
            << c.what << ": " << run.err.toStdString();
        EXPECT_TRUE(written().isEmpty()) << c.what;
    }
    const CliRun missing =
        runCli({QStringLiteral("fill"), folder(), QDir(folder()).filePath(QStringLiteral("no.json"))});
    EXPECT_EQ(missing.exitCode, 2);
    const CliRun noDocument = runCli({QStringLiteral("export"), folder(), kDocument});
    EXPECT_EQ(noDocument.exitCode, 2);
    EXPECT_TRUE(noDocument.err.contains(kDocument));
    EXPECT_TRUE(noDocument.out.isEmpty());
}

// --programa stands for the program folder argument wherever it comes, and is refused by
// the commands that have none.
TEST_F(FillExportTest, ProgramOptionTakesThePlaceOfTheFolderArgument) {
    const CliRun filled = runCli({QStringLiteral("fill"), kExample, QStringLiteral("--programa"), folder()});
    ASSERT_EQ(filled.exitCode, 0) << filled.err.toStdString();
    EXPECT_EQ(written(), QStringList({kDocument, QStringLiteral("00000001R_001010A.xml")}));
    const CliRun byOption = runCli({QStringLiteral("export"), QStringLiteral("--programa=") + folder(), kDocument});
    const CliRun byArgument = runCli({QStringLiteral("export"), folder(), kDocument});
    ASSERT_EQ(byOption.exitCode, 0) << byOption.err.toStdString();
    EXPECT_EQ(byOption.out, byArgument.out);

    const QStringList search{QStringLiteral("--body"), QStringLiteral("00201"), QStringLiteral("--group"),
                             QStringLiteral("B")};
    const CliRun searched = runCli(QStringList{QStringLiteral("search")} + search +
                                   QStringList{QStringLiteral("--programa"), folder()});
    ASSERT_EQ(searched.exitCode, 0) << searched.err.toStdString();
    EXPECT_EQ(searched.out, runCli(QStringList{QStringLiteral("search"), folder()} + search).out);
    EXPECT_FALSE(searched.out.isEmpty());

    for (const QStringList& misuse :
         {QStringList{QStringLiteral("dni"), QStringLiteral("--programa"), folder(), QStringLiteral("1")},
          QStringList{QStringLiteral("catalogues"), QStringLiteral("encode"), QStringLiteral("--programa"),
                      folder(), QStringLiteral("a"), QStringLiteral("b")},
          QStringList{QStringLiteral("export"), kDocument, QStringLiteral("--programa")},
          QStringList{QStringLiteral("export"), QStringLiteral("--programa"), folder(), QStringLiteral("--programa"),
                      folder(), kDocument}}) {
        const CliRun run = runCli(misuse);
        EXPECT_EQ(run.exitCode, 2) << misuse.join(u' ').toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("--programa"))) << run.err.toStdString();
    }
}
