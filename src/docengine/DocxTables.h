#pragma once

#include <vector>

#include <QString>

#include <pugixml.hpp>

#include "platform/Error.h"

namespace velantor {

// The tables of a document body and their rows and cells, addressed from 1. Only the
// body's top-level tables count, in document order: a table nested in a cell belongs
// to that cell, as in the word processor's own table collection. A cell is addressed
// by its place in the row (a merged cell counts once).
class DocxTables {
public:
    explicit DocxTables(pugi::xml_node body) : m_body(body) {}

    int count() const;
    Result<pugi::xml_node> table(int index) const;
    Result<pugi::xml_node> row(int table, int row) const;
    Result<pugi::xml_node> cell(int table, int row, int column) const;
    Result<int> rowCount(int table) const;
    // Columns of the table's grid.
    Result<int> columnCount(int table) const;

    // Adds a row at the end shaped like the last one (cell widths, spans, paragraph
    // and run formatting), with empty cells. After a header row (one repeated at the top
    // of each page) the new row leaves the header's shading and bold behind. Returns the
    // new row's number.
    Result<int> appendRow(int table);

    // Replaces the cell's content with `text` ("\n" or "\r\n" give line breaks),
    // keeping the formatting of the cell's first paragraph and run.
    Result<void> setCellText(int table, int row, int column, const QString& text);
    // Adds `text` at the end of the cell's last paragraph.
    Result<void> appendCellText(int table, int row, int column, const QString& text);
    Result<QString> cellText(int table, int row, int column) const;
    // The cell's last paragraph, where text and pictures are added.
    Result<pugi::xml_node> cellEndParagraph(int table, int row, int column) const;

    // Merges the cell with the `count` - 1 cells to its right into one cell spanning
    // their grid columns; paragraphs with text are kept in order.
    Result<void> mergeCells(int table, int row, int column, int count);

    // The paragraph right below the table (created when the table is followed by no
    // paragraph). Text and pictures "below a table" go at its end.
    Result<pugi::xml_node> paragraphBelow(int table);
    Result<void> typeBelow(int table, const QString& text);
    // Makes what follows the paragraph below the table begin a new page. A following
    // paragraph that already begins one (a heading) absorbs the break, so no blank page
    // is made.
    Result<void> insertPageBreakBelow(int table);

    // A new table of `rows` x `columns` empty cells of equal width over the text width,
    // placed after the paragraph below `table` and followed by a paragraph of its own.
    // When what follows that paragraph begins a new page, the new table begins it.
    // Returns the new table's number.
    Result<int> insertTableAfter(int table, int rows, int columns);

private:
    std::vector<pugi::xml_node> topLevelTables() const;
    int textWidth() const;

    pugi::xml_node m_body;
};

} // namespace velantor
