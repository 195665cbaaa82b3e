#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "document/PrintJob.h"
#include "document/PrintSample.h"
#include "document/PrintStandIns.h"
#include "docengine/WordDocument.h"

using namespace velantor;
using namespace velantor::test;
using namespace Qt::Literals::StringLiterals;

namespace {

class PrintJobTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_tools.isValid());
        ASSERT_TRUE(m_folder.isValid());
        m_stored = QDir(m_folder.path()).filePath(u"12345678Z__00101A.doc"_s);
        QFile stored(m_stored);
        ASSERT_TRUE(stored.open(QIODevice::WriteOnly));
        stored.write("the stored application");
        stored.close();
        auto opened = WordDocument::openTemplate(sampleTemplate());
        ASSERT_TRUE(opened.has_value());
        m_doc = std::make_unique<WordDocument>(std::move(*opened));
    }

    PrintPrograms programs(const QString& printer, bool accepts = true, double officeSeconds = 0,
                           int officeExit = 0) {
        const QDir tools(m_tools.path());
        return PrintPrograms{officeStandIn(tools, officeSeconds, officeExit), lpstatStandIn(tools, printer),
                             lpStandIn(tools, accepts)};
    }

    QString besidePdf() const { return QDir(m_folder.path()).filePath(u"12345678Z__00101A.pdf"_s); }

    void expectStoredUntouched() const { EXPECT_EQ(readText(m_stored), u"the stored application"_s); }

    QTemporaryDir m_tools;
    QTemporaryDir m_folder;
    QString m_stored;
    std::unique_ptr<WordDocument> m_doc;
};

TEST_F(PrintJobTest, WithoutADefaultPrinterThePdfIsKeptBesideTheDocument) {
    PrintJob job(programs({}));
    QSignalSpy finished(&job, &PrintJob::finished);
    ASSERT_TRUE(job.start(*m_doc, m_stored).has_value());
    EXPECT_TRUE(job.isRunning());
    job.waitForFinished();
    EXPECT_FALSE(job.isRunning());
    EXPECT_EQ(finished.count(), 1);
    ASSERT_TRUE(job.outcome().has_value());
    ASSERT_TRUE(job.outcome()->has_value()) << qPrintable(job.outcome()->error().description);
    EXPECT_EQ(**job.outcome(), PrintOutcome::KeptAsPdf);
    EXPECT_EQ(job.pdfPath(), besidePdf());
    EXPECT_TRUE(readText(besidePdf()).startsWith(u"%PDF"_s));
    EXPECT_TRUE(job.userMessage().contains(QDir::toNativeSeparators(besidePdf())));
    EXPECT_TRUE(job.userMessage().contains(u"No hay ninguna impresora predeterminada"_s));
    expectStoredUntouched();

    // LibreOffice worked on a copy, with a profile folder of its own, and wrote PDF.
    const QStringList args = readText(QDir(m_tools.path()).filePath(u"office-args"_s)).split(u'\n');
    ASSERT_GE(args.size(), 4);
    EXPECT_TRUE(args[0].startsWith(u"-env:UserInstallation=file://"_s)) << qPrintable(args[0]);
    EXPECT_TRUE(args.contains(u"--headless"_s));
    const qsizetype convert = args.indexOf(u"--convert-to"_s);
    ASSERT_GE(convert, 0);
    EXPECT_TRUE(args[convert + 1].startsWith(u"pdf:writer_pdf_Export"_s));
    EXPECT_FALSE(args.contains(m_stored));
}

TEST_F(PrintJobTest, TheDefaultPrinterGetsThePdfThroughLp) {
    PrintJob job(programs(u"oficina"_s));
    ASSERT_TRUE(job.start(*m_doc, m_stored).has_value());
    job.waitForFinished();
    ASSERT_TRUE(job.outcome()->has_value()) << qPrintable(job.outcome()->error().description);
    EXPECT_EQ(**job.outcome(), PrintOutcome::Printed);
    EXPECT_EQ(job.printerName(), u"oficina"_s);
    EXPECT_TRUE(job.userMessage().isEmpty());
    EXPECT_FALSE(QFile::exists(besidePdf()));
    const QString lpArgs = readText(QDir(m_tools.path()).filePath(u"lp-args"_s));
    EXPECT_TRUE(lpArgs.startsWith(u"-d oficina -t 12345678Z__00101A.doc "_s)) << qPrintable(lpArgs);
    EXPECT_TRUE(lpArgs.trimmed().endsWith(u"12345678Z__00101A.pdf"_s));
    expectStoredUntouched();
}

TEST_F(PrintJobTest, APrinterThatRefusesTheJobLeavesThePdfBesideTheDocument) {
    PrintJob job(programs(u"oficina"_s, false));
    ASSERT_TRUE(job.start(*m_doc, m_stored).has_value());
    job.waitForFinished();
    ASSERT_TRUE(job.outcome()->has_value());
    EXPECT_EQ(**job.outcome(), PrintOutcome::KeptAsPdf);
    EXPECT_TRUE(QFile::exists(besidePdf()));
    EXPECT_TRUE(job.userMessage().contains(u"«oficina» no aceptó"_s)) << qPrintable(job.userMessage());
    EXPECT_TRUE(job.userMessage().contains(u"not accepting jobs"_s));
}

TEST_F(PrintJobTest, MissingOrFailingLibreOfficeIsNamedAndTheStoredDocumentStays) {
    PrintPrograms none = programs({});
    none.office.clear();
    PrintJob missing(none);
    const auto refused = missing.start(*m_doc, m_stored);
    ASSERT_FALSE(refused.has_value());
    EXPECT_TRUE(refused.error().description.contains(u"falta LibreOffice"_s));
    EXPECT_FALSE(missing.isRunning());

    PrintJob failing(programs({}, true, 0, 3));
    ASSERT_TRUE(failing.start(*m_doc, m_stored).has_value());
    failing.waitForFinished();
    ASSERT_TRUE(failing.outcome().has_value());
    ASSERT_FALSE(failing.outcome()->has_value());
    EXPECT_TRUE(failing.userMessage().contains(u"LibreOffice no pudo convertir"_s));
    EXPECT_TRUE(failing.userMessage().contains(u"could not be loaded"_s));
    EXPECT_FALSE(QFile::exists(besidePdf()));
    expectStoredUntouched();
}

TEST_F(PrintJobTest, AnOutputPathTakesThePdfInsteadOfAPrinter) {
    const QString out = QDir(m_folder.path()).filePath(u"salida.pdf"_s);
    PrintJob job(programs(u"oficina"_s));
    ASSERT_TRUE(job.start(*m_doc, m_stored, out).has_value());
    job.waitForFinished();
    ASSERT_TRUE(job.outcome()->has_value());
    EXPECT_EQ(**job.outcome(), PrintOutcome::WrittenPdf);
    EXPECT_TRUE(readText(out).startsWith(u"%PDF"_s));
    EXPECT_FALSE(QFile::exists(QDir(m_tools.path()).filePath(u"lp-args"_s)));
}

TEST_F(PrintJobTest, AConversionThatHangsIsStoppedAndReported) {
    PrintJob job(programs({}, true, 30));
    job.setConversionTimeoutMs(300);
    ASSERT_TRUE(job.start(*m_doc, m_stored).has_value());
    job.waitForFinished();
    ASSERT_FALSE(job.outcome()->has_value());
    EXPECT_TRUE(job.userMessage().contains(u"no terminó"_s));
}

} // namespace
