// "velantor-cli fill" killed at random moments while it saves over an earlier application:
// under the final names there is always a whole document and a whole positions XML (the
// old pair or the new one), never a half-written file.
#include <random>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include "document/PositionsXml.h"
#include "docengine/WordDocument.h"
#include "support/CliRun.h"
#include "support/SampleFolder.h"

using namespace velantor;

namespace {

const QString kDocument = QStringLiteral("00000001R_001010A.doc");
const QString kPositions = QStringLiteral("00000001R_001010A.xml");

QString exampleApplication() {
    return QDir::cleanPath(QStringLiteral(VELANTOR_TEST_DATA_DIR "/../../examples/solicitud.json"));
}

QStringList fillArguments(const QString& program) {
    return {QStringLiteral("fill"), program, exampleApplication(), QStringLiteral("--at"),
            QStringLiteral("07/12/2026 10:15:00")};
}

} // namespace

TEST(KilledFill, NeverLeavesAHalfWrittenDocumentOrPositionsFileUnderTheFinalNames) {
    QTemporaryDir program;
    ASSERT_TRUE(program.isValid());
    ASSERT_TRUE(velantor::testing::copySampleProgram(program.path()));
    const QDir applications(QDir(program.path()).filePath(QStringLiteral("ficheros/temp")));

    // A first, complete save: what a killed save must never damage.
    const test::CliRun first = test::runCli(fillArguments(program.path()));
    ASSERT_EQ(first.exitCode, 0) << first.err.toStdString();
    ASSERT_TRUE(applications.exists(kDocument));

    // How long a whole save takes here, to spread the kills over it.
    QElapsedTimer clock;
    clock.start();
    ASSERT_EQ(test::runCli(fillArguments(program.path())).exitCode, 0);
    const int whole = std::max<int>(50, int(clock.elapsed()));

    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> moment(0, whole);
    const int runs = 12;
    int killedBeforeTheEnd = 0;
    for (int run = 0; run < runs; ++run) {
        QProcess fill;
        fill.start(QStringLiteral(VELANTOR_CLI_PATH), fillArguments(program.path()));
        ASSERT_TRUE(fill.waitForStarted());
        QThread::msleep(moment(random));
        if (fill.state() == QProcess::Running) {
            fill.kill();
            ++killedBeforeTheEnd;
        }
        fill.waitForFinished();

        ASSERT_TRUE(applications.exists(kDocument)) << "run " << run;
        EXPECT_TRUE(WordDocument::open(applications.filePath(kDocument)).has_value()) << "run " << run;
        ASSERT_TRUE(applications.exists(kPositions)) << "run " << run;
        EXPECT_FALSE(PositionsXml::isDamaged(applications.filePath(kPositions))) << "run " << run;
    }
    EXPECT_GT(killedBeforeTheEnd, 0) << "no run was cut short: the test proved nothing";
}
