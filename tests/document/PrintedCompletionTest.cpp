#include <vector>

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "document/BarcodeText.h"
#include "document/PrintSample.h"
#include "document/PrintedCompletion.h"
#include "document/PrintedPagination.h"
#include "document/SolicitudBarcode.h"
#include "docengine/WordDocument.h"

using namespace velantor;
using namespace velantor::barcode;
using namespace Qt::Literals::StringLiterals;

namespace {

TEST(PrintedPagination, PositionPagesFollowThePageEndRule) {
    EXPECT_EQ(positionPageSizes(75, 40), (std::vector<int>{40, 31, 4}));
    EXPECT_EQ(positionPageSizes(70, 40), (std::vector<int>{40, 30}));
    EXPECT_EQ(positionPageSizes(80, 40), (std::vector<int>{40, 40}));
    // A remainder of exactly 31 is not long; one of 32 leaves one position over.
    EXPECT_EQ(positionPageSizes(71, 40), (std::vector<int>{40, 31}));
    EXPECT_EQ(positionPageSizes(72, 40), (std::vector<int>{40, 31, 1}));
    EXPECT_EQ(positionPageSizes(35, 40), (std::vector<int>{31, 4}));
    EXPECT_EQ(positionPageSizes(3, 40), (std::vector<int>{3}));
    EXPECT_TRUE(positionPageSizes(0, 40).empty());
    EXPECT_EQ(positionPageSizes(45, 20), (std::vector<int>{20, 20, 5}));
    EXPECT_FALSE(positionPageEndsAfter(1, 5, 0)) << "no page size, no page end";
}

TEST(PrintedPagination, CoursesAndDocumentsTakeThirtyFiveToAPage) {
    EXPECT_EQ(listPageCount(0), 1);
    EXPECT_EQ(listPageCount(35), 1);
    EXPECT_EQ(listPageCount(36), 2);
    EXPECT_EQ(listPageCount(71), 3);
    EXPECT_EQ(pageCounterAfterCourses(0), 2);
    EXPECT_EQ(pageCounterAfterCourses(35), 2);
    EXPECT_EQ(pageCounterAfterCourses(36), 3);
}

class PrintedCompletionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        auto opened = WordDocument::openTemplate(test::sampleTemplate());
        ASSERT_TRUE(opened.has_value()) << qPrintable(opened.error().description);
        m_doc = std::make_unique<WordDocument>(std::move(*opened));
        m_templateTables = m_doc->tableCount();
    }

    Result<PrintedCompletion> complete(const SolicitudDatos& datos, bool draft = false) {
        const BarcodeRecordInput input = barcodeRecordInput(datos);
        PrintedCompletionOptions options;
        options.positionsPerPage = 40;
        options.draft = draft;
        options.applicationsFolder = m_dir.path();
        options.stamp = BarcodeStamp{u"07/12/2026"_s, u"10:15:00"_s};
        options.barcodeHeader = buildBarcodeHeader(input);
        options.applicationRecord = *buildApplicationRecord(input);
        options.advance = [this] { ++m_steps; };
        return PrintedCompletion::complete(*m_doc, datos, options);
    }

    int rows(int table) const { return m_doc->rowCount(table).value_or(-1); }
    QString cell(int table, int row, int column) const {
        return m_doc->cellText(table, row, column).value_or(u"<sin celda>"_s);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<WordDocument> m_doc;
    int m_templateTables = 0;
    int m_steps = 0;
};

TEST_F(PrintedCompletionTest, ListsArePagedEachAfterItsOwnTableWithABarcodePerPositionPage) {
    const SolicitudDatos datos = test::sampleSolicitud(75, 3, 2, 36);
    const auto done = complete(datos);
    ASSERT_TRUE(done.has_value()) << qPrintable(done.error().description);
    EXPECT_EQ(done->vacancyPages(), (std::vector<int>{40, 31, 4}));
    EXPECT_EQ(done->resultasPages(), (std::vector<int>{3}));
    EXPECT_EQ(done->documentPages(), 2);
    EXPECT_EQ(m_steps, 75 + 3 + 36);

    // Template: ... 5 vacancies, 6 resultas, 7 documents. Now: 5 + 2 continuation tables,
    // then resultas, then documents + 1 continuation.
    ASSERT_EQ(m_templateTables, 7);
    ASSERT_EQ(m_doc->tableCount(), 10);
    EXPECT_EQ(rows(5), 1 + 40);
    EXPECT_EQ(rows(6), 1 + 31);
    EXPECT_EQ(rows(7), 1 + 4);
    EXPECT_EQ(rows(8), 2 + 3);
    EXPECT_EQ(rows(9), 1 + 35);
    EXPECT_EQ(rows(10), 1 + 1);
    EXPECT_EQ(cell(5, 41, 1), u"40"_s);
    EXPECT_EQ(cell(6, 2, 1), u"41"_s);
    EXPECT_EQ(cell(6, 2, 2), test::samplePositionCode(41));
    EXPECT_EQ(cell(7, 5, 6), u"Badajoz"_s);
    EXPECT_EQ(cell(8, 3, 3), u"Enfermero/a de AP 1"_s);
    EXPECT_EQ(cell(9, 36, 1), u"35"_s);
    EXPECT_EQ(cell(10, 2, 1), u"36"_s);
    EXPECT_EQ(cell(10, 2, 2), u"Certificado de servicios prestados 36"_s);

    // The first page and one barcode per position page, numbered on from the courses
    // page (2) and the second documents page (3).
    const QList<PrintedBarcode>& barcodes = done->barcodes();
    ASSERT_EQ(barcodes.size(), 1 + 3 + 1);
    const QString header = u"12345678ZA100101A"_s;
    const QString stamp = u"07/12/202610:15:00"_s;
    EXPECT_TRUE(barcodes[0].payload.startsWith(header + stamp + u"P001N|"_s));
    EXPECT_TRUE(barcodes[0].payload.endsWith(u"|F"_s));
    const struct {
        QChar letter;
        int page;
        int first;
        int count;
    } expected[] = {{u'V', 4, 1, 40}, {u'V', 5, 41, 31}, {u'V', 6, 72, 4}, {u'R', 7, 1, 3}};
    for (int i = 0; i < 4; ++i) {
        const PrintedBarcode& b = barcodes[i + 1];
        EXPECT_EQ(b.letter, expected[i].letter);
        EXPECT_EQ(b.page, expected[i].page);
        EXPECT_EQ(b.positions, expected[i].count);
        QString positions;
        for (int orden = expected[i].first; orden < expected[i].first + expected[i].count; ++orden)
            positions += barcodePositionEntry(orden, test::samplePositionCode(orden));
        const QString payload = header + stamp + expected[i].letter +
                                QString::number(expected[i].page).rightJustified(3, u'0') + positions + u'F';
        EXPECT_EQ(b.payload.toStdString(), payload.toStdString());
        EXPECT_EQ(b.bytes, barcodeBytes(foldBarcodeText(b.payload)));
        EXPECT_TRUE(b.onPaper);
    }

    // Pictures in the document: the first page's and one per position page; the files
    // they came from are gone.
    const QByteArray body = m_doc->part(u"word/document.xml"_s);
    EXPECT_EQ(body.count("<w:drawing "), 5);
    EXPECT_TRUE(QDir(m_dir.path()).isEmpty());
    EXPECT_FALSE(cell(2, 1, 1).contains(u"Espacio reservado"_s));
}

TEST_F(PrintedCompletionTest, ContinuationTablesCarryTheirHeadersWidthsAndSmallFont) {
    const SolicitudDatos datos = test::sampleSolicitud(45, 45, 0, 0);
    ASSERT_TRUE(complete(datos).has_value());
    ASSERT_EQ(m_doc->tableCount(), 9); // vacancies 5, 6; resultas 7, 8; documents 9

    EXPECT_EQ(cell(6, 1, 1), u"Orden\npreferencia"_s);
    EXPECT_EQ(cell(6, 1, 2), u"Código\n(5 Dígitos)\nConvocatoria"_s);
    EXPECT_EQ(cell(6, 1, 5), u"Localidad o Z.B.S.(Provincia)"_s);
    EXPECT_EQ(cell(6, 1, 6), u"Área"_s);
    EXPECT_EQ(m_doc->columnWidths(6).value(), m_doc->columnWidths(5).value());
    EXPECT_EQ(m_doc->rowHeight(6, 1).value(), m_doc->rowHeight(5, 1).value());
    // Position rows are one line high exactly, so a page's rows and barcode share a sheet.
    const RowHeight oneLine{200, RowHeight::Rule::Exact};
    EXPECT_EQ(m_doc->rowHeight(5, 2).value(), oneLine);
    EXPECT_EQ(m_doc->rowHeight(5, 41).value(), oneLine);
    EXPECT_EQ(m_doc->rowHeight(6, 6).value(), oneLine);
    EXPECT_EQ(m_doc->rowHeight(8, 3).value(), oneLine);

    // Resultas: two header rows, the first with "PUESTO DE TRABAJO" over two columns.
    EXPECT_EQ(m_doc->columnWidths(8).value(), m_doc->columnWidths(7).value());
    EXPECT_EQ(m_doc->columnCount(8).value(), 5);
    EXPECT_EQ(cell(8, 1, 1), u"Orden"_s);
    EXPECT_EQ(cell(8, 1, 2), u"Código\n (5 Dígitos)"_s);
    EXPECT_EQ(cell(8, 1, 3), u"PUESTO DE TRABAJO"_s);
    EXPECT_EQ(m_doc->cellWidth(8, 1, 3).value(),
              m_doc->cellWidth(8, 2, 3).value() + m_doc->cellWidth(8, 2, 4).value());
    const QString second[] = {u"preferencia"_s, u"Convocatoria"_s, u"DENOMINACIÓN"_s, u"CONSEJERÍA"_s,
                              u"Localidad y Provincia"_s};
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(cell(8, 2, c + 1), second[c]);
    EXPECT_EQ(rows(8), 2 + 5);
    EXPECT_EQ(cell(8, 3, 1), u"41"_s);

    // 8 points (16 half-points) in the continuation tables; the data rows keep it.
    const QByteArray body = m_doc->part(u"word/document.xml"_s);
    EXPECT_GE(body.count("<w:sz w:val=\"16\"/>"), 2 * (6 + 5) + 5 + 5);
}

TEST_F(PrintedCompletionTest, DraftsMakeAndCheckTheBarcodesButPrintNone) {
    const SolicitudDatos datos = test::sampleSolicitud(41, 0, 0, 0);
    const auto done = complete(datos, true);
    ASSERT_TRUE(done.has_value()) << qPrintable(done.error().description);
    EXPECT_EQ(done->barcodes().size(), 3);
    for (const PrintedBarcode& b : done->barcodes())
        EXPECT_FALSE(b.onPaper);
    EXPECT_EQ(m_doc->part(u"word/document.xml"_s).count("<w:drawing>"), 0);
    EXPECT_TRUE(QDir(m_dir.path()).isEmpty()) << "the draft's pictures are deleted too";
    EXPECT_EQ(rows(5), 41);
}

TEST_F(PrintedCompletionTest, EmptyListsMakeNoPositionPages) {
    const auto done = complete(test::sampleSolicitud(0, 0, 0, 0));
    ASSERT_TRUE(done.has_value());
    EXPECT_EQ(done->barcodes().size(), 1);
    EXPECT_EQ(m_doc->tableCount(), 7);
    EXPECT_EQ(done->documentPages(), 1);
}

TEST_F(PrintedCompletionTest, APayloadTooLongForItsBoxStopsThePrint) {
    SolicitudDatos datos = test::sampleSolicitud(0, 0, 0, 0);
    PrintedCompletionOptions options;
    options.applicationsFolder = m_dir.path();
    options.barcodeHeader = u"12345678ZA100101A"_s;
    options.applicationRecord = QString(4000, u'x');
    const auto done = PrintedCompletion::complete(*m_doc, datos, options);
    ASSERT_FALSE(done.has_value());
    EXPECT_TRUE(done.error().description.contains(u"no caben"_s)) << qPrintable(done.error().description);
    EXPECT_TRUE(QDir(m_dir.path()).isEmpty());

    options.applicationRecord = u"x|"_s;
    options.positionsPerPage = 0;
    const auto refused = PrintedCompletion::complete(*m_doc, datos, options);
    ASSERT_FALSE(refused.has_value());
    EXPECT_TRUE(refused.error().description.contains(u"numPlazasPorPag"_s));
}

} // namespace
