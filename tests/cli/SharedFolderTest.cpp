#include <memory>
#include <vector>

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "form/SolicitudJson.h"
#include "support/CliRun.h"
#include "support/SampleFolder.h"

// Many runs of the program on one program folder at once, as an office sharing one network
// folder has them: each must see what a run alone sees, and no save may lose another's.

using namespace velantor;

namespace {

using test::CliRun;
using test::runCli;

const QString kExample =
    QDir::cleanPath(QStringLiteral(VELANTOR_TEST_DATA_DIR "/../../examples/solicitud.json"));

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The example for another person: identity number `n` with its check letter.
QByteArray exampleFor(int n) {
    const QString dni = QString::number(n).rightJustified(8, u'0') + QChar(u"TRWAGMYFPDXBNJZSQVHLCKE"[n % 23]);
    QJsonObject root = QJsonDocument::fromJson(readAll(kExample)).object();
    QJsonObject controls = root.value(QStringLiteral("controls")).toObject();
    controls.insert(QStringLiteral("txtDNI"), dni);
    root.insert(QStringLiteral("controls"), controls);
    return QJsonDocument(root).toJson();
}

QString normalised(const QByteArray& json) {
    SolicitudDatos datos;
    EXPECT_TRUE(solicitudFromJson(json, datos));
    return QString::fromUtf8(solicitudToJson(datos));
}

struct Started {
    std::unique_ptr<QProcess> process;
    QString label;
};

Started start(const QStringList& args, const QString& label) {
    Started started{std::make_unique<QProcess>(), label};
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    started.process->setProcessEnvironment(environment);
    started.process->start(QStringLiteral(VELANTOR_CLI_PATH), args);
    return started;
}

} // namespace

TEST(SharedProgramFolder, ParallelSearchesAndFillsGetWhatARunAloneGets) {
    QTemporaryDir dir;
    const QString folder = QDir(dir.path()).filePath(QStringLiteral("programa"));
    ASSERT_TRUE(velantor::testing::copySampleProgram(folder));
    const QStringList search{QStringLiteral("search"), folder, QStringLiteral("--body"), QStringLiteral("00201"),
                             QStringLiteral("--group"), QStringLiteral("B"), QStringLiteral("--province"),
                             QStringLiteral("24")};
    const CliRun alone = runCli(search);
    ASSERT_EQ(alone.exitCode, 0) << alone.err.toStdString();
    ASSERT_FALSE(alone.out.isEmpty());

    constexpr int kSearches = 16;
    constexpr int kFills = 8;
    std::vector<QString> inputs;
    for (int n = 1; n <= kFills; ++n) {
        inputs.push_back(QDir(dir.path()).filePath(QStringLiteral("entrada%1.json").arg(n)));
        QFile file(inputs.back());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(exampleFor(n));
    }
    std::vector<Started> runs;
    for (int i = 0; i < kSearches + kFills; ++i) {
        // Fills and searches interleaved, so that they overlap.
        if (i % 3 == 2)
            runs.push_back(start({QStringLiteral("fill"), folder, inputs[std::size_t(i / 3)]},
                                 QStringLiteral("fill %1").arg(i / 3 + 1)));
        else
            runs.push_back(start(search, QStringLiteral("search %1").arg(i)));
    }
    std::vector<QString> documents;
    for (Started& run : runs) {
        SCOPED_TRACE(run.label.toStdString());
        ASSERT_TRUE(run.process->waitForFinished(300000));
        const QString out = QString::fromUtf8(run.process->readAllStandardOutput());
        const QString err = QString::fromUtf8(run.process->readAllStandardError());
        ASSERT_EQ(run.process->exitCode(), 0) << err.toStdString();
        if (run.label.startsWith(u"fill"))
            documents.push_back(out.trimmed());
        else
            EXPECT_EQ(out, alone.out);
    }

    // Every application saved whole: each exports as the input it was filled from.
    ASSERT_EQ(documents.size(), std::size_t(kFills));
    for (int n = 1; n <= kFills; ++n) {
        const CliRun exported = runCli({QStringLiteral("export"), folder, documents[std::size_t(n - 1)]});
        ASSERT_EQ(exported.exitCode, 0) << exported.err.toStdString();
        EXPECT_EQ(exported.out, normalised(exampleFor(n))) << n;
    }
    // No work file or lock is left in the folder.
    EXPECT_FALSE(QFile::exists(QDir(folder).filePath(QStringLiteral("ficheros/temp.tmp"))));
    EXPECT_TRUE(QDir(QDir(folder).filePath(QStringLiteral("ficheros/temp")))
                    .entryList({QStringLiteral("*.lock")}, QDir::Files)
                    .isEmpty());
}

// A damaged file in the binary format converts to an empty text, and a document of another
// person or without the form is no application either: export says so and fails.
TEST(SharedProgramFolder, ExportRefusesADocumentThatIsNotAnApplication) {
    QTemporaryDir dir;
    const QString folder = QDir(dir.path()).filePath(QStringLiteral("programa"));
    ASSERT_TRUE(velantor::testing::copySampleProgram(folder));
    const QString applications = QDir(folder).filePath(QStringLiteral("ficheros/temp"));
    ASSERT_TRUE(QDir().mkpath(applications));
    const QString name = QStringLiteral("00000001R_001010A.doc");
    QFile garbage(QDir(applications).filePath(name));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(4096, '\x37'));
    garbage.close();
    const CliRun run = runCli({QStringLiteral("export"), folder, name});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    EXPECT_TRUE(run.err.contains(QString::fromUtf8("«%1» no es una solicitud").arg(name))) << run.err.toStdString();
}
