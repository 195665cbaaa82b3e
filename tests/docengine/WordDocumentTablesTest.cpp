#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "docengine/WordDocument.h"
#include "docengine/WordDocumentFixture.h"

using namespace velantor;

namespace {

class WordDocumentTables : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        Result<WordDocument> opened = WordDocument::open(test::writeSmallTemplate(m_dir.path()));
        ASSERT_TRUE(opened.has_value()) << opened.error().description.toStdString();
        m_doc.emplace(std::move(*opened));
    }
    WordDocument& doc() { return *m_doc; }
    QByteArray xml() { return doc().part(QStringLiteral("word/document.xml")); }

    QTemporaryDir m_dir;
    std::optional<WordDocument> m_doc;
};

} // namespace

TEST_F(WordDocumentTables, CountsTopLevelTablesInDocumentOrder) {
    EXPECT_EQ(doc().tableCount(), 3); // the table nested in table 1 belongs to its cell
    EXPECT_EQ(doc().cellText(1, 1, 1).value(), QStringLiteral("Espacio reservado"));
    EXPECT_EQ(doc().cellText(1, 2, 2).value(), QStringLiteral("anidada\n"));
    EXPECT_EQ(doc().cellText(2, 1, 3).value(), QStringLiteral("Centro"));
    EXPECT_EQ(doc().cellText(3, 1, 1).value(), QStringLiteral("última"));
    EXPECT_EQ(doc().rowCount(1).value(), 2);
    EXPECT_EQ(doc().columnCount(2).value(), 3);

    EXPECT_EQ(doc().cellText(4, 1, 1).error().number, errors::kInvalidProcedureCall);
    EXPECT_EQ(doc().cellText(0, 1, 1).error().number, errors::kInvalidProcedureCall);
    EXPECT_EQ(doc().cellText(1, 3, 1).error().number, errors::kInvalidProcedureCall);
    EXPECT_EQ(doc().setCellText(1, 1, 3, QStringLiteral("x")).error().number, errors::kInvalidProcedureCall);
}

TEST_F(WordDocumentTables, AppendedRowsAreEmptyBodyRowsShapedLikeTheLastRow) {
    EXPECT_EQ(doc().appendRow(2).value(), 2);
    EXPECT_EQ(doc().cellWidth(2, 2, 2).value(), 1000);
    EXPECT_EQ(doc().cellText(2, 2, 1).value(), QString());
    ASSERT_TRUE(doc().setCellText(2, 2, 1, QStringLiteral("Prevención de riesgos")));
    EXPECT_EQ(doc().appendRow(2).value(), 3);
    EXPECT_EQ(doc().cellText(2, 3, 1).value(), QString());
    ASSERT_TRUE(doc().setCellText(2, 3, 3, QStringLiteral("Escuela\nde Salud")));
    EXPECT_EQ(doc().cellText(2, 3, 3).value(), QStringLiteral("Escuela\nde Salud"));
    EXPECT_EQ(doc().cellText(2, 2, 1).value(), QStringLiteral("Prevención de riesgos"));

    // The header's size and alignment carry over, its shading, bold and repetition do not;
    // the bold is switched off, as the header's style may bring it back.
    const QByteArray text = xml();
    EXPECT_EQ(text.count("w:tblHeader"), 1);
    EXPECT_EQ(text.count("D9D9D9"), 3);
    EXPECT_TRUE(
        text.contains("<w:pPr><w:jc w:val=\"center\"/><w:rPr><w:b w:val=\"0\"/><w:bCs w:val=\"0\"/>"
                      "<w:sz w:val=\"16\"/></w:rPr></w:pPr><w:r><w:rPr><w:b w:val=\"0\"/><w:bCs w:val=\"0\"/>"
                      "<w:sz w:val=\"16\"/></w:rPr><w:t>Prevención de riesgos</w:t></w:r>"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("<w:t>Escuela</w:t><w:br/><w:t>de Salud</w:t>"));
}

TEST_F(WordDocumentTables, WritesAndAppendsCellText) {
    ASSERT_TRUE(doc().setCellText(1, 1, 1, QStringLiteral("\r\n")));
    EXPECT_EQ(doc().cellText(1, 1, 1).value(), QStringLiteral("\n"));
    ASSERT_TRUE(doc().appendCellText(1, 1, 1, QStringLiteral("fin")));
    EXPECT_EQ(doc().cellText(1, 1, 1).value(), QStringLiteral("\nfin"));
    EXPECT_FALSE(doc().text().contains(QStringLiteral("Espacio reservado")));
}

TEST_F(WordDocumentTables, ReadsAndSetsColumnWidthsAndRowHeights) {
    EXPECT_EQ(doc().columnWidths(1).value(), (std::vector<int>{3000, 4000}));
    ASSERT_TRUE(doc().setColumnWidth(1, 2, 5000));
    EXPECT_EQ(doc().columnWidths(1).value(), (std::vector<int>{3000, 5000}));
    EXPECT_EQ(doc().cellWidth(1, 2, 2).value(), 5000);
    EXPECT_EQ(doc().setColumnWidth(1, 3, 100).error().number, errors::kInvalidProcedureCall);

    EXPECT_EQ(doc().rowHeight(1, 1).value(), (RowHeight{600, RowHeight::Rule::Exact}));
    EXPECT_EQ(doc().rowHeight(1, 2).value(), RowHeight{});
    EXPECT_EQ(doc().rowHeight(2, 1).value(), (RowHeight{400, RowHeight::Rule::AtLeast}));
    ASSERT_TRUE(doc().setRowHeight(1, 2, RowHeight{350, RowHeight::Rule::AtLeast}));
    EXPECT_EQ(doc().rowHeight(1, 2).value(), (RowHeight{350, RowHeight::Rule::AtLeast}));
    ASSERT_TRUE(doc().setRowHeight(1, 1, RowHeight{}));
    EXPECT_EQ(doc().rowHeight(1, 1).value(), RowHeight{});
}

TEST_F(WordDocumentTables, MergesCellsOverTheirGridColumns) {
    ASSERT_TRUE(doc().setCellText(2, 1, 2, QString()));
    ASSERT_TRUE(doc().mergeCells(2, 1, 2, 2));
    EXPECT_EQ(doc().cellText(2, 1, 2).value(), QStringLiteral("Centro")); // the empty cell gave way
    EXPECT_EQ(doc().cellWidth(2, 1, 2).value(), 5000);
    EXPECT_TRUE(xml().contains("<w:gridSpan w:val=\"2\"/>"));
    EXPECT_EQ(doc().cellText(2, 1, 3).error().number, errors::kInvalidProcedureCall);
    EXPECT_EQ(doc().mergeCells(2, 1, 1, 3).error().number, errors::kInvalidProcedureCall);

    // A grid change keeps a merged cell as wide as the columns it covers.
    ASSERT_TRUE(doc().setColumnWidths(2, {3000, 2000, 2500}));
    EXPECT_EQ(doc().cellWidth(2, 1, 1).value(), 3000);
    EXPECT_EQ(doc().cellWidth(2, 1, 2).value(), 4500);
}

TEST_F(WordDocumentTables, NewTableAfterATableTakesTheTextWidthAndItsOwnParagraph) {
    const int added = doc().insertTableAfter(1, 1, 4).value();
    EXPECT_EQ(added, 2);
    EXPECT_EQ(doc().tableCount(), 4);
    EXPECT_EQ(doc().cellText(3, 1, 1).value(), QStringLiteral("Curso")); // the old table 2 moved on
    EXPECT_EQ(doc().columnWidths(added).value(), (std::vector<int>{2409, 2409, 2409, 2409}));
    EXPECT_EQ(doc().insertTableAfter(1, 0, 2).error().number, errors::kInvalidProcedureCall);

    ASSERT_TRUE(doc().setBorders(added, true));
    ASSERT_TRUE(doc().formatTable(added, TextFormat{8.0, false, std::nullopt, {}}));
    ASSERT_TRUE(doc().setCellText(added, 1, 1, QStringLiteral("Curso")));
    ASSERT_TRUE(
        doc().formatColumn(added, 3, TextFormat{std::nullopt, std::nullopt, ParagraphAlignment::Centre, {}}));
    const QByteArray text = xml();
    EXPECT_TRUE(text.contains("<w:insideV w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>"));
    EXPECT_TRUE(text.contains("<w:r><w:rPr><w:b w:val=\"0\"/><w:bCs w:val=\"0\"/><w:sz w:val=\"16\"/>"
                              "<w:szCs w:val=\"16\"/></w:rPr><w:t>Curso</w:t></w:r>"))
        << text.toStdString();
    EXPECT_EQ(text.count("<w:jc w:val=\"center\"/>"), 2); // column 3 of the new table, and the header's
    ASSERT_TRUE(doc().setBorders(added, false));
    EXPECT_TRUE(xml().contains("<w:insideV w:val=\"nil\"/>"));
}

TEST_F(WordDocumentTables, TextAndPageBreaksBelowATableGoBeforeWhatFollowsIt) {
    // Table 1 is followed by an ordinary paragraph: the break is a page start of its own
    // and a new table follows it.
    ASSERT_TRUE(doc().typeBelowTable(1, QStringLiteral("\r\nabajo\r\n")));
    ASSERT_TRUE(doc().insertPageBreakBelowTable(1));
    const int added = doc().insertTableAfter(1, 1, 2).value();
    EXPECT_EQ(added, 2);
    const QString text = doc().text();
    EXPECT_TRUE(text.contains(QStringLiteral("\n\nabajo\n\n\n")));
    QByteArray body = xml();
    const qsizetype below = body.indexOf("abajo");
    const qsizetype pageStart = body.indexOf("<w:pageBreakBefore/>", below);
    const qsizetype newTable = body.indexOf("<w:tbl>", below);
    const qsizetype oldTable2 = body.indexOf("Curso", below);
    EXPECT_LT(below, pageStart);
    EXPECT_LT(pageStart, newTable);
    EXPECT_LT(newTable, oldTable2);

    // Table 3 (the old table 2) is followed by a heading that begins a page itself: the
    // break is absorbed, and a table added there begins a page ahead of the heading.
    const int headingBreaks = int(xml().count("<w:pageBreakBefore/>"));
    ASSERT_TRUE(doc().insertPageBreakBelowTable(3));
    EXPECT_EQ(xml().count("<w:pageBreakBefore/>"), headingBreaks);
    const int continued = doc().insertTableAfter(3, 1, 3).value();
    EXPECT_EQ(continued, 4);
    body = xml();
    EXPECT_EQ(body.count("<w:pageBreakBefore/>"), headingBreaks + 1);
    EXPECT_LT(body.indexOf("<w:tbl>", body.indexOf("Centro")), body.indexOf("Siguiente"));
    EXPECT_EQ(doc().cellText(5, 1, 1).value(), QStringLiteral("última"));

    // The last table has nothing after it: a paragraph is made below it.
    ASSERT_TRUE(doc().typeBelowTable(5, QStringLiteral("pie")));
    EXPECT_TRUE(doc().text().endsWith(QStringLiteral("última\npie")));
}
