#pragma once

#include <vector>

#include "docengine/DocxTables.h"
#include "platform/Error.h"
#include "docengine/WordDocumentFormat.h"

namespace velantor {

// The look of a document's tables: column widths, row heights, borders and the
// formatting of the text in a table, a column, a row or a cell. Widths and heights
// are in twips (1/1440 inch).
class DocxTableLayout {
public:
    explicit DocxTableLayout(DocxTables& tables) : m_tables(tables) {}

    // The widths of the table's grid columns.
    Result<std::vector<int>> columnWidths(int table) const;
    // Sets the grid and every cell's width (a merged cell gets the sum of its columns).
    Result<void> setColumnWidths(int table, const std::vector<int>& widths);
    Result<void> setColumnWidth(int table, int column, int twips);
    Result<int> cellWidth(int table, int row, int column) const;

    Result<RowHeight> rowHeight(int table, int row) const;
    Result<void> setRowHeight(int table, int row, const RowHeight& height);
    // The space above and below the text of every cell of the row, over the table's own.
    Result<void> setRowCellPadding(int table, int row, int topTwips, int bottomTwips);

    // Single lines around and between all cells, or none.
    Result<void> setBorders(int table, bool enabled);

    Result<void> formatTable(int table, const TextFormat& format);
    // Cell `column` of every row.
    Result<void> formatColumn(int table, int column, const TextFormat& format);
    Result<void> formatRow(int table, int row, const TextFormat& format);
    Result<void> formatCell(int table, int row, int column, const TextFormat& format);

private:
    DocxTables& m_tables;
};

} // namespace velantor
