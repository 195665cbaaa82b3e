#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "document/ApplicationPrint.h"
#include "document/BarcodeReader.h"
#include "document/OfficeTools.h"
#include "document/PrintSample.h"
#include "platform/WordDocument.h"

using namespace velantor;
using namespace velantor::test;
using namespace Qt::Literals::StringLiterals;

namespace {

// The whole print into a PDF with LibreOffice: every barcode that went on paper is read
// back from the rendered pages, in page order, exactly as it was made.
TEST(PrintedPdf, EveryBarcodeOnPaperReadsBackFromTheRenderedPages) {
    if (officeProgram().isEmpty())
        GTEST_SKIP() << "LibreOffice is not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString stored = QDir(dir.path()).filePath(u"12345678Z__00101A.doc"_s);
    const QString pdf = QDir(dir.path()).filePath(u"impresa.pdf"_s);
    const SolicitudDatos datos = sampleSolicitud(75, 3, 2, 36);
    WordDocument doc = WordDocument::openTemplate(sampleTemplate()).value();
    ASSERT_TRUE(doc.typeAtBookmark(u"FECHAIMPR"_s, u"07/12/2026 10:15:00"_s));

    auto print = ApplicationPrint::start(doc, datos, ApplicationPrintRequest{stored, dir.path(), 40, false, pdf, {}, {}});
    ASSERT_TRUE(print.has_value()) << qPrintable(print.error().description);
    print->job()->waitForFinished();
    ASSERT_TRUE(print->job()->outcome()->has_value()) << qPrintable(print->job()->userMessage());

    const auto found = BarcodeReader::readPdfFile(pdf);
    ASSERT_TRUE(found.has_value()) << qPrintable(found.error().description);
    const QList<PrintedBarcode>& made = print->completion().barcodes();
    ASSERT_EQ(found->size(), made.size());
    int lastPage = 0;
    for (qsizetype i = 0; i < made.size(); ++i) {
        EXPECT_EQ((*found)[i].bytes, made[i].bytes) << "barcode " << i;
        EXPECT_GT((*found)[i].page, lastPage) << "one barcode to a page";
        lastPage = (*found)[i].page;
    }
    EXPECT_TRUE(made[0].payload.contains(u"07/12/202610:15:00P001"_s));
    std::cerr << "pages " << pdfPages(pdf) << " barcodes on pages";
    for (const FoundBarcode& b : *found)
        std::cerr << ' ' << b.page;
    std::cerr << '\n';
}

} // namespace
