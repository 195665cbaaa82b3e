// The printed lists read as a person checks them: every name whole on paper, and every
// page's rows on one sheet with the barcode that lists them.
#include <algorithm>
#include <vector>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "document/BarcodeText.h"
#include "document/OfficeTools.h"
#include "document/PrintSample.h"
#include "document/PrintedCompletion.h"
#include "document/PrintedPagination.h"
#include "document/PrintedRowFit.h"
#include "document/SolicitudBarcode.h"
#include "docengine/WordDocument.h"

using namespace velantor;
using namespace velantor::barcode;
using namespace Qt::Literals::StringLiterals;

namespace {

struct HeightCase {
    const char* what;
    std::vector<int> rows; // in one-line units
    int perPage;
    std::vector<int> pages;
};

class PaginationByHeight : public ::testing::TestWithParam<HeightCase> {};

std::vector<int> units(std::initializer_list<std::pair<int, int>> runs) {
    std::vector<int> rows;
    for (auto [count, height] : runs)
        rows.insert(rows.end(), size_t(count), height);
    return rows;
}

} // namespace

TEST_P(PaginationByHeight, PagesHoldTheirPrintedHeight) {
    const HeightCase& c = GetParam();
    std::vector<int> twips;
    for (int r : c.rows)
        twips.push_back(r * kPositionRowTwips);
    EXPECT_EQ(positionPageSizesByHeight(twips, c.perPage, kPositionRowTwips), c.pages) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PaginationByHeight,
    ::testing::Values(
        HeightCase{"one-line rows page as before", units({{75, 1}}), 40, {40, 31, 4}},
        HeightCase{"a full last page is not split", units({{80, 1}}), 40, {40, 40}},
        HeightCase{"double rows: half as many to a page", units({{45, 2}}), 40, {20, 20, 5}},
        HeightCase{"one tall row ends the page sooner", units({{38, 1}, {1, 3}, {10, 1}}), 40, {38, 11}},
        HeightCase{"a row taller than a page still gets one", units({{1, 50}, {2, 1}}), 40, {1, 2}},
        HeightCase{"no rows", {}, 40, {}}));

TEST(PaginationByHeight, OneLineRowsGiveTheCountRuleForEverySize) {
    for (int perPage : {1, 20, 31, 32, 40, 60})
        for (int count = 0; count <= 130; ++count)
            ASSERT_EQ(positionPageSizesByHeight(std::vector<int>(size_t(count), kPositionRowTwips), perPage,
                                                kPositionRowTwips),
                      positionPageSizes(count, perPage))
                << count << " rows, " << perPage << " to a page";
}

TEST(PrintedRowFit, NamesShrinkToTheirCellThenWrap) {
    // Short texts keep the list's size; a long one shrinks but not below 6 pt.
    EXPECT_EQ(fitCellText(u"León", 2000).points, kPrintedListPoints);
    const CellFit shrunk = fitCellText(u"Área de Salud de Ponferrada", 2000);
    EXPECT_LT(shrunk.points, kPrintedListPoints);
    EXPECT_GE(shrunk.points, kPrintedMinimumPoints);
    EXPECT_EQ(shrunk.lines, 1);
    const CellFit wrapped = fitCellText(u"Complejo Asistencial Universitario de León y de su Bierzo Alto", 1500);
    EXPECT_EQ(wrapped.points, kPrintedMinimumPoints);
    EXPECT_GE(wrapped.lines, 2);
    const RowFit row = fitRow({u"1"_s, u"10003"_s, u"Complejo Asistencial Universitario de León y de su Bierzo Alto"_s},
                              {1030, 1250, 1500});
    EXPECT_TRUE(row.grown());
    EXPECT_GE(row.heightTwips, 2 * 6 * 20);
}

// Where the condensed face may be used, a name too long for Arial at 6 pt is set in it on
// one line before any wrapping, and one too long for it too wraps in it.
TEST(PrintedRowFit, TheCondensedFaceComesBeforeWrapping) {
    const QString name = u"Complejo Asistencial Universitario de León"_s;
    ASSERT_GT(fitCellText(name, 2200).lines, 1);
    const CellFit condensed = fitCellText(name, 2200, kPrintedListPoints, true);
    EXPECT_TRUE(condensed.condensed);
    EXPECT_EQ(condensed.lines, 1);
    EXPECT_LE(condensed.points, 7.0);
    EXPECT_FALSE(fitCellText(u"León"_s, 2200, kPrintedListPoints, true).condensed);
    const CellFit wrapped = fitCellText(name + u" y de su Bierzo Alto"_s, 1500, kPrintedListPoints, true);
    EXPECT_TRUE(wrapped.condensed);
    EXPECT_LT(wrapped.lines, fitCellText(name + u" y de su Bierzo Alto"_s, 1500).lines + 1);
    EXPECT_GE(wrapped.lines, 2);
}

namespace {

// The longest texts of a fixed-column catalogue record file of the sample folder.
QString longestField(const char* file, int from, int length) {
    QFile source(QStringLiteral(VELANTOR_TEST_DATA_DIR "/../../data/catalogues/") + QString::fromLatin1(file));
    if (!source.open(QIODevice::ReadOnly))
        return {};
    QString longest;
    for (const QByteArray& line : source.readAll().split('\n')) {
        const QString field = QString::fromUtf8(line).mid(from, length).trimmed();
        if (field.size() > longest.size())
            longest = field;
    }
    return longest;
}

QString collapsed(const QString& text) {
    // A line broken after a hyphen joins again without a space.
    return QString(text).replace(QRegularExpression(u"\\s+"_s), u" "_s).replace(u"- "_s, u"-"_s);
}

QString pageText(const QString& pdf, int page) {
    QProcess process;
    process.start(u"pdftotext"_s, {u"-raw"_s, u"-enc"_s, u"UTF-8"_s, u"-f"_s, QString::number(page), u"-l"_s,
                                   QString::number(page), pdf, u"-"_s});
    process.waitForFinished(60000);
    return collapsed(QString::fromUtf8(process.readAllStandardOutput()));
}

QStringList pageSizes(const QString& pdf, int pages) {
    QProcess process;
    process.start(u"pdfinfo"_s, {u"-f"_s, u"1"_s, u"-l"_s, QString::number(pages), pdf});
    process.waitForFinished(60000);
    QStringList sizes;
    for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split(u'\n'))
        if (line.startsWith(u"Page"_s) && line.contains(u"size:"_s))
            sizes << line.section(u':', 1).trimmed();
    return sizes;
}

} // namespace

// A printed application whose positions carry the longest names of the sample catalogues,
// turned into PDF by LibreOffice and read back: every name is whole, every page is A4, and
// each page's rows are on the sheet of the barcode that lists them.
// In Arial alone, and with the condensed face (which scripts/setup installs).
class PrintedNamesPdf : public ::testing::TestWithParam<bool> {};

TEST_P(PrintedNamesPdf, TheLongestNamesPrintWholeAndEveryPageHoldsItsRows) {
    if (test::officeProgram().isEmpty() || QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
        GTEST_SKIP() << "LibreOffice or poppler-utils missing";
    const bool condensed = GetParam();
    if (condensed) {
        ASSERT_TRUE(condensedFaceAvailable()) << "no condensed face: scripts/setup installs fonts-liberation";
    }
    // F0009/F0010: code 5, denomination 50, institution 50, town or zone 53.
    QStringList names;
    for (auto [from, length] : {std::pair{5, 50}, std::pair{55, 50}, std::pair{105, 53}}) {
        QString longest;
        for (const char* file : {"F0009.txt", "F0010.txt"}) {
            const QString found = longestField(file, from, length);
            if (found.size() > longest.size())
                longest = found;
        }
        names << longest;
    }
    names << longestField("F0014.txt", 8, 50);
    for (const QString& name : names)
        ASSERT_GT(name.size(), 15) << "catalogue names not found";

    SolicitudDatos datos = test::sampleSolicitud(45, 30, 0, 0);
    for (Table* list : {datos.vacantes.get(), datos.resultas.get()}) {
        for (int i = 0; i < list->rowCount(); ++i) {
            list->setTextAt(i, list->requireField(u"NomConvocatoria"), names[0]);
            list->setTextAt(i, list->requireField(u"Consejeria"), names[1]);
            list->setTextAt(i, list->requireField(u"Localidad"), names[2]);
            list->setTextAt(i, list->requireField(u"Area"), names[3]);
        }
    }
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto opened = WordDocument::openTemplate(test::sampleTemplate());
    ASSERT_TRUE(opened.has_value());
    WordDocument& doc = *opened;
    const BarcodeRecordInput input = barcodeRecordInput(datos);
    PrintedCompletionOptions options;
    options.positionsPerPage = 40;
    options.applicationsFolder = dir.path();
    options.stamp = BarcodeStamp{u"07/12/2026"_s, u"10:15:00"_s};
    options.barcodeHeader = buildBarcodeHeader(input);
    options.applicationRecord = *buildApplicationRecord(input);
    options.condensedFace = condensed;
    const auto done = PrintedCompletion::complete(doc, datos, options);
    ASSERT_TRUE(done.has_value()) << qPrintable(done.error().description);
    // The rows grew: fewer than numPlazasPorPag to a page, and the barcodes say so.
    ASSERT_GT(done->vacancyPages().size(), 2u);
    EXPECT_LT(done->vacancyPages().front(), 40);

    const QString docx = dir.filePath(u"impresa.docx"_s);
    ASSERT_TRUE(doc.saveAs(docx).has_value());
    const QString pdf = test::convertWithOffice(docx, u"pdf"_s, dir.path());
    ASSERT_FALSE(pdf.isEmpty());
    if (const QString keep = qEnvironmentVariable("VELANTOR_PRINT_SAMPLE_PDF"); !keep.isEmpty()) {
        QFile::remove(keep);
        QFile::copy(pdf, keep);
    }
    const int pages = test::pdfPages(pdf);
    ASSERT_GT(pages, 3);
    for (const QString& size : pageSizes(pdf, pages))
        EXPECT_TRUE(size.contains(u"(A4)"_s)) << size.toStdString();
    EXPECT_EQ(pageSizes(pdf, pages).size(), pages);

    QStringList texts;
    for (int page = 1; page <= pages; ++page)
        texts << pageText(pdf, page);
    const auto pageOf = [&](const QString& code) {
        for (int page = 0; page < texts.size(); ++page)
            if (texts[page].contains(u' ' + code + u' '))
                return page;
        return -1;
    };
    int wholeNames = 0;
    for (const auto& [list, sizes] :
         {std::pair{datos.vacantes.get(), done->vacancyPages()}, std::pair{datos.resultas.get(), done->resultasPages()}}) {
        int first = 0;
        for (int size : sizes) {
            const int sheet = pageOf(list->textAt(first, list->requireField(u"CodConvocatoria")));
            ASSERT_GE(sheet, 0);
            for (int i = first; i < first + size; ++i)
                EXPECT_EQ(pageOf(list->textAt(i, list->requireField(u"CodConvocatoria"))), sheet)
                    << "row " << i + 1 << " left its page's sheet";
            first += size;
        }
    }
    const QString all = texts.join(u' ');
    // The "Resultas" list has no area column.
    for (qsizetype n = 0; n < names.size(); ++n) {
        const qsizetype whole = all.count(collapsed(names[n]));
        EXPECT_GE(whole, n == 3 ? 45 : 45 + 30) << "cut on paper: " << names[n].toStdString() << " ("
                                                << whole << " whole)";
        wholeNames += int(whole);
    }
    EXPECT_GE(wholeNames, 3 * 75 + 45);
}

INSTANTIATE_TEST_SUITE_P(Faces, PrintedNamesPdf, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "Condensed" : "ArialOnly");
                         });
