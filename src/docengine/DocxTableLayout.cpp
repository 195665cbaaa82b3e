#include "docengine/DocxTableLayout.h"

#include <cmath>
#include <cstring>

#include "docengine/DocxXml.h"

namespace velantor {

using namespace docx;

namespace {

const char* alignmentValue(ParagraphAlignment alignment) {
    switch (alignment) {
    case ParagraphAlignment::Left:
        return "left";
    case ParagraphAlignment::Centre:
        return "center";
    case ParagraphAlignment::Right:
        return "right";
    case ParagraphAlignment::Justify:
        return "both";
    }
    return "left";
}

void setWidth(pugi::xml_node element, const char* attribute, int twips) {
    element.remove_attribute(attribute);
    element.remove_attribute("w:type");
    element.append_attribute(attribute) = twips;
    element.append_attribute("w:type") = "dxa";
}

void formatRun(pugi::xml_node runProperties, const TextFormat& format) {
    if (format.fontFamily) {
        pugi::xml_node fonts = ensureChild(runProperties, "w:rFonts", kRunPropertyOrder);
        const QByteArray family = format.fontFamily->toUtf8();
        for (const char* attribute : {"w:ascii", "w:hAnsi", "w:cs"}) {
            fonts.remove_attribute(attribute);
            fonts.append_attribute(attribute) = family.constData();
        }
    }
    if (format.bold) {
        const QString on = *format.bold ? QStringLiteral("1") : QStringLiteral("0");
        setVal(ensureChild(runProperties, "w:b", kRunPropertyOrder), on);
        setVal(ensureChild(runProperties, "w:bCs", kRunPropertyOrder), on);
    }
    if (format.fontPoints) {
        const QString halfPoints = QString::number(std::lround(*format.fontPoints * 2));
        setVal(ensureChild(runProperties, "w:sz", kRunPropertyOrder), halfPoints);
        setVal(ensureChild(runProperties, "w:szCs", kRunPropertyOrder), halfPoints);
    }
}

// Formats every paragraph under `scope`: its alignment, its mark (so text typed later
// looks the same) and its runs.
void applyFormat(pugi::xml_node scope, const TextFormat& format) {
    std::vector<pugi::xml_node> paragraphs;
    for (const pugi::xpath_node& hit : scope.select_nodes("descendant-or-self::w:p")) {
        paragraphs.push_back(hit.node());
    }
    for (pugi::xml_node p : paragraphs) {
        pugi::xml_node pPr = ensureProperties(p, "w:pPr");
        if (format.alignment) {
            setVal(ensureChild(pPr, "w:jc", kParagraphPropertyOrder),
                   QString::fromLatin1(alignmentValue(*format.alignment)));
        }
        if (format.bold || format.fontPoints || format.fontFamily) {
            formatRun(ensureChild(pPr, "w:rPr", kParagraphPropertyOrder), format);
            for (const pugi::xpath_node& run : p.select_nodes(".//w:r")) {
                formatRun(ensureProperties(run.node(), "w:rPr"), format);
            }
        }
    }
}

int spanOf(pugi::xml_node cell) {
    const int span = cell.child("w:tcPr").child("w:gridSpan").attribute("w:val").as_int(1);
    return span > 0 ? span : 1;
}

} // namespace

Result<std::vector<int>> DocxTableLayout::columnWidths(int table) const {
    Result<pugi::xml_node> t = m_tables.table(table);
    if (!t) {
        return std::unexpected(t.error());
    }
    std::vector<int> widths;
    for (pugi::xml_node col : t->child("w:tblGrid").children("w:gridCol")) {
        widths.push_back(col.attribute("w:w").as_int());
    }
    if (widths.empty()) {
        // No grid: the first row's cells tell.
        for (pugi::xml_node cell : t->child("w:tr").children("w:tc")) {
            const int span = spanOf(cell);
            const int width = cell.child("w:tcPr").child("w:tcW").attribute("w:w").as_int();
            for (int i = 0; i < span; ++i) {
                widths.push_back(width / span);
            }
        }
    }
    return widths;
}

Result<void> DocxTableLayout::setColumnWidths(int table, const std::vector<int>& widths) {
    Result<pugi::xml_node> t = m_tables.table(table);
    if (!t) {
        return std::unexpected(t.error());
    }
    pugi::xml_node grid = t->child("w:tblGrid");
    if (!grid) {
        grid = t->insert_child_after("w:tblGrid", t->child("w:tblPr"));
    }
    removeChildren(grid, "w:gridCol");
    int total = 0;
    for (int w : widths) {
        grid.append_child("w:gridCol").append_attribute("w:w") = w;
        total += w;
    }
    for (pugi::xml_node row : t->children("w:tr")) {
        std::size_t column =
            std::size_t(row.child("w:trPr").child("w:gridBefore").attribute("w:val").as_int());
        for (pugi::xml_node cell : row.children("w:tc")) {
            const int span = spanOf(cell);
            int width = 0;
            for (int i = 0; i < span && column < widths.size(); ++i, ++column) {
                width += widths[column];
            }
            if (width > 0) {
                setWidth(ensureChild(ensureProperties(cell, "w:tcPr"), "w:tcW", kCellPropertyOrder), "w:w",
                         width);
            }
        }
    }
    setWidth(ensureChild(ensureProperties(*t, "w:tblPr"), "w:tblW", kTablePropertyOrder), "w:w", total);
    return {};
}

Result<void> DocxTableLayout::setColumnWidth(int table, int column, int twips) {
    Result<std::vector<int>> widths = columnWidths(table);
    if (!widths) {
        return std::unexpected(widths.error());
    }
    if (column < 1 || column > int(widths->size())) {
        return std::unexpected(makeError(errors::kInvalidProcedureCall,
                                         QStringLiteral("La tabla %1 no tiene la columna %2 (tiene %3).")
                                             .arg(table)
                                             .arg(column)
                                             .arg(widths->size())));
    }
    (*widths)[std::size_t(column - 1)] = twips;
    return setColumnWidths(table, *widths);
}

Result<int> DocxTableLayout::cellWidth(int table, int row, int column) const {
    Result<pugi::xml_node> cell = m_tables.cell(table, row, column);
    if (!cell) {
        return std::unexpected(cell.error());
    }
    return cell->child("w:tcPr").child("w:tcW").attribute("w:w").as_int();
}

Result<RowHeight> DocxTableLayout::rowHeight(int table, int row) const {
    Result<pugi::xml_node> r = m_tables.row(table, row);
    if (!r) {
        return std::unexpected(r.error());
    }
    const pugi::xml_node height = r->child("w:trPr").child("w:trHeight");
    RowHeight result;
    result.twips = height.attribute("w:val").as_int();
    const char* rule = height.attribute("w:hRule").value();
    if (std::strcmp(rule, "exact") == 0) {
        result.rule = RowHeight::Rule::Exact;
    } else if (result.twips > 0 && std::strcmp(rule, "auto") != 0) {
        result.rule = RowHeight::Rule::AtLeast;
    } else {
        result = RowHeight{};
    }
    return result;
}

Result<void> DocxTableLayout::setRowHeight(int table, int row, const RowHeight& height) {
    Result<pugi::xml_node> r = m_tables.row(table, row);
    if (!r) {
        return std::unexpected(r.error());
    }
    pugi::xml_node trPr = r->child("w:trPr");
    removeChildren(trPr, "w:trHeight");
    if (height.rule == RowHeight::Rule::Auto || height.twips <= 0) {
        return {};
    }
    if (!trPr) {
        trPr = r->child("w:tblPrEx") ? r->insert_child_after("w:trPr", r->child("w:tblPrEx"))
                                     : r->prepend_child("w:trPr");
    }
    pugi::xml_node element = trPr.append_child("w:trHeight");
    element.append_attribute("w:val") = height.twips;
    element.append_attribute("w:hRule") = height.rule == RowHeight::Rule::Exact ? "exact" : "atLeast";
    return {};
}

Result<void> DocxTableLayout::setRowCellPadding(int table, int row, int topTwips, int bottomTwips) {
    Result<pugi::xml_node> r = m_tables.row(table, row);
    if (!r) {
        return std::unexpected(r.error());
    }
    static constexpr const char* kMarginOrder[] = {"w:top", "w:start", "w:left", "w:bottom", "w:end", "w:right"};
    for (pugi::xml_node cell : r->children("w:tc")) {
        pugi::xml_node margins = ensureChild(ensureProperties(cell, "w:tcPr"), "w:tcMar", kCellPropertyOrder);
        for (const auto& [side, twips] : {std::pair{"w:top", topTwips}, std::pair{"w:bottom", bottomTwips}}) {
            pugi::xml_node element = ensureChild(margins, side, kMarginOrder);
            setWidth(element, "w:w", twips);
        }
    }
    return {};
}

Result<void> DocxTableLayout::setBorders(int table, bool enabled) {
    Result<pugi::xml_node> t = m_tables.table(table);
    if (!t) {
        return std::unexpected(t.error());
    }
    pugi::xml_node tblPr = ensureProperties(*t, "w:tblPr");
    removeChildren(tblPr, "w:tblBorders");
    pugi::xml_node borders = ensureChild(tblPr, "w:tblBorders", kTablePropertyOrder);
    for (const char* side : {"w:top", "w:left", "w:bottom", "w:right", "w:insideH", "w:insideV"}) {
        pugi::xml_node line = borders.append_child(side);
        line.append_attribute("w:val") = enabled ? "single" : "nil";
        if (enabled) {
            line.append_attribute("w:sz") = 4;
            line.append_attribute("w:space") = 0;
            line.append_attribute("w:color") = "auto";
        }
    }
    // The whole table takes the same lines, as cell borders would override them.
    for (const pugi::xpath_node& cell : t->select_nodes("w:tr/w:tc/w:tcPr")) {
        removeChildren(cell.node(), "w:tcBorders");
    }
    return {};
}

Result<void> DocxTableLayout::formatTable(int table, const TextFormat& format) {
    Result<pugi::xml_node> t = m_tables.table(table);
    if (!t) {
        return std::unexpected(t.error());
    }
    applyFormat(*t, format);
    return {};
}

Result<void> DocxTableLayout::formatColumn(int table, int column, const TextFormat& format) {
    Result<int> rows = m_tables.rowCount(table);
    if (!rows) {
        return std::unexpected(rows.error());
    }
    bool found = false;
    for (int r = 1; r <= *rows; ++r) {
        if (Result<pugi::xml_node> cell = m_tables.cell(table, r, column)) {
            applyFormat(*cell, format);
            found = true;
        }
    }
    if (!found) {
        return std::unexpected(
            makeError(errors::kInvalidProcedureCall,
                      QStringLiteral("La tabla %1 no tiene la columna %2.").arg(table).arg(column)));
    }
    return {};
}

Result<void> DocxTableLayout::formatRow(int table, int row, const TextFormat& format) {
    Result<pugi::xml_node> r = m_tables.row(table, row);
    if (!r) {
        return std::unexpected(r.error());
    }
    applyFormat(*r, format);
    return {};
}

Result<void> DocxTableLayout::formatCell(int table, int row, int column, const TextFormat& format) {
    Result<pugi::xml_node> cell = m_tables.cell(table, row, column);
    if (!cell) {
        return std::unexpected(cell.error());
    }
    applyFormat(*cell, format);
    return {};
}

} // namespace velantor
