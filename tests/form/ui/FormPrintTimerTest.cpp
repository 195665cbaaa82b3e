#include <QAction>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "FormFixture.h"
#include "document/PrintJob.h"
#include "document/PrintSample.h"
#include "document/PrintStandIns.h"
#include "form/ui/DocumentCommands.h"
#include "form/ui/PrintCommands.h"
#include "docengine/WordDocument.h"

using namespace velantor;
using namespace velantor::testing;
using namespace Qt::Literals::StringLiterals;

namespace {

// A print job whose stand-in LibreOffice takes `seconds` to write the PDF.
struct SlowPrint {
    explicit SlowPrint(double seconds) {
        stored = QDir(folder.path()).filePath(u"12345678Z__00101A.doc"_s);
        QFile file(stored);
        file.open(QIODevice::WriteOnly);
        file.write("stored");
        file.close();
        const QDir dir(tools.path());
        job = std::make_unique<PrintJob>(PrintPrograms{velantor::test::officeStandIn(dir, seconds),
                                                       velantor::test::lpstatStandIn(dir, {}),
                                                       velantor::test::lpStandIn(dir, true)});
        WordDocument doc = WordDocument::openTemplate(velantor::test::sampleTemplate()).value();
        started = job->start(doc, stored).has_value();
    }

    QTemporaryDir tools;
    QTemporaryDir folder;
    QString stored;
    std::unique_ptr<PrintJob> job;
    bool started = false;
};

// "Cargar otra solicitud" (2500) is a hidden item, which Qt never reports enabled.
bool commandsEnabled(frmSolicitudes& w) {
    return w.menuItem(1000)->isEnabled() && w.menuItem(2000)->isEnabled();
}

bool commandsDisabled(frmSolicitudes& w) {
    return !w.menuItem(1000)->isEnabled() && !w.menuItem(2000)->isEnabled() && !w.menuItem(2500)->isEnabled();
}

} // namespace

TEST(FormPrintTimer, ATimerThatFiresDuringTheJobWaitsForItWithoutStoppingIt) {
    FormFixture f;
    frmSolicitudes& w = f.form();
    SlowPrint print(1.5);
    ASSERT_TRUE(print.started);
    QSignalSpy elapsed(&w, &frmSolicitudes::printTimerElapsed);

    w.printTimer()->setInterval(50);
    w.startPrintTimer(print.job.get());
    EXPECT_TRUE(commandsDisabled(w));
    QTest::qWait(400); // the timer has fired several times by now

    EXPECT_TRUE(print.job->isRunning());
    EXPECT_EQ(elapsed.count(), 0);
    EXPECT_TRUE(commandsDisabled(w));
    EXPECT_TRUE(w.printTimer()->isActive());
    EXPECT_FALSE(w.close()) << "the window stays open while the print runs";
    EXPECT_TRUE(f.messages.empty());

    print.job->waitForFinished();
    QTRY_COMPARE_WITH_TIMEOUT(elapsed.count(), 1, 5000);
    EXPECT_TRUE(commandsEnabled(w));
    EXPECT_FALSE(w.printTimer()->isActive());
    ASSERT_TRUE(print.job->outcome().has_value());
    ASSERT_TRUE(print.job->outcome()->has_value()) << "the job ran to its end";
    EXPECT_EQ(**print.job->outcome(), PrintOutcome::KeptAsPdf);
    QTest::qWait(200);
    EXPECT_EQ(elapsed.count(), 1);
}

TEST(FormPrintTimer, AJobThatEndedBeforeTheTimerEndsThePrintWhenItFires) {
    FormFixture f;
    frmSolicitudes& w = f.form();
    SlowPrint print(0);
    ASSERT_TRUE(print.started);
    print.job->waitForFinished();
    QSignalSpy elapsed(&w, &frmSolicitudes::printTimerElapsed);

    w.printTimer()->setInterval(100);
    w.startPrintTimer(print.job.get());
    EXPECT_TRUE(commandsDisabled(w));
    QTest::qWait(20);
    EXPECT_EQ(elapsed.count(), 0) << "never before the timer fires";
    QTRY_COMPARE_WITH_TIMEOUT(elapsed.count(), 1, 5000);
    EXPECT_TRUE(commandsEnabled(w));
}

// "Imprimir" through the document commands with the print completion: the draft is saved,
// completed, handed to the (stand-in) LibreOffice, the notice is shown, the commands wait
// for the job, and the user is told where the PDF is.
TEST(FormPrintTimer, ImprimirPrintsADraftAndTellsWhereThePdfWent) {
    QTemporaryDir program;
    const QString templates = QDir(program.path()).filePath(u"ficheros/DOT_11111"_s);
    ASSERT_TRUE(QDir().mkpath(templates));
    ASSERT_TRUE(
        QFile::copy(velantor::test::sampleTemplate(), QDir(templates).filePath(u"PlantillaWXP.dot"_s)));
    QTemporaryDir tools;
    const QDir dir(tools.path());
    const PrintPrograms standIns{velantor::test::officeStandIn(dir, 0.5),
                                 velantor::test::lpstatStandIn(dir, {}),
                                 velantor::test::lpStandIn(dir, true)};

    FormFixture f(u"SSSSS"_s, program.path());
    frmSolicitudes& w = f.form();
    installDocumentCommands(w, {formPrintCompletion(w, standIns), {}});
    f.fillIdentity();
    QSignalSpy elapsed(&w, &frmSolicitudes::printTimerElapsed);
    w.printTimer()->setInterval(50);
    f.messages.enqueue(MessageAnswer::Yes); // a draft copy
    w.runMenuCommand(frmSolicitudes::Imprimir);

    ASSERT_FALSE(f.messages.empty());
    EXPECT_EQ(f.messages.last().text, printingMessage());
    EXPECT_EQ(f.messages.last().title, u"Impresión"_s);
    EXPECT_TRUE(commandsDisabled(w));
    QTRY_COMPARE_WITH_TIMEOUT(elapsed.count(), 1, 30000);
    EXPECT_TRUE(commandsEnabled(w));
    const QString pdf = QDir(program.path()).filePath(u"ficheros/temp/12345678Z_001010A.pdf"_s);
    EXPECT_TRUE(QFile::exists(pdf));
    EXPECT_TRUE(f.messages.last().text.contains(QDir::toNativeSeparators(pdf)))
        << qPrintable(f.messages.last().text);
    EXPECT_TRUE(QFile::exists(QDir(program.path()).filePath(u"ficheros/temp/12345678Z_001010A.doc"_s)));
}
