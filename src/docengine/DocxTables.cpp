#include "docengine/DocxTables.h"

#include <cstring>

#include "docengine/DocxXml.h"

namespace velantor {

using namespace docx;

namespace {

constexpr int kDefaultTextWidth = 9638; // A4 with 2 cm margins, in twips

Error outOfRange(const QString& what) {
    return makeError(errors::kInvalidProcedureCall, what);
}

std::vector<pugi::xml_node> childrenNamed(pugi::xml_node parent, const char* name) {
    std::vector<pugi::xml_node> result;
    for (pugi::xml_node child : parent.children(name)) {
        result.push_back(child);
    }
    return result;
}

// The formatting text typed into a cell takes: its first run's, else its first
// paragraph mark's.
pugi::xml_node cellRunProperties(pugi::xml_node cell) {
    if (pugi::xpath_node run = cell.select_node(".//w:r[w:t]/w:rPr")) {
        return run.node();
    }
    return cell.child("w:p").child("w:pPr").child("w:rPr");
}

// Empties a cell down to one paragraph that keeps the first paragraph's properties;
// the run formatting moves onto the paragraph mark, so typed text inherits it. With
// `plain` the bold goes (a row made from a header row).
void emptyCell(pugi::xml_node cell, bool plain = false) {
    pugi::xml_document keep;
    const pugi::xml_node runProperties = keep.append_copy(cellRunProperties(cell));
    if (plain) {
        removeChildren(runProperties, "w:b");
        removeChildren(runProperties, "w:bCs");
        removeChildren(cell.child("w:p").child("w:pPr").child("w:rPr"), "w:b");
        removeChildren(cell.child("w:p").child("w:pPr").child("w:rPr"), "w:bCs");
    }
    pugi::xml_node first = cell.child("w:p");
    for (pugi::xml_node n = cell.first_child(); n;) {
        pugi::xml_node next = n.next_sibling();
        if (n != first && std::strcmp(n.name(), "w:tcPr") != 0) {
            cell.remove_child(n);
        }
        n = next;
    }
    if (!first) {
        first = cell.append_child("w:p");
    }
    for (pugi::xml_node n = first.first_child(); n;) {
        pugi::xml_node next = n.next_sibling();
        if (std::strcmp(n.name(), "w:pPr") != 0) {
            first.remove_child(n);
        }
        n = next;
    }
    if (runProperties && !first.child("w:pPr").child("w:rPr")) {
        pugi::xml_node pPr = ensureProperties(first, "w:pPr");
        const pugi::xml_node slot = ensureChild(pPr, "w:rPr", kParagraphPropertyOrder);
        pPr.insert_copy_after(runProperties, slot);
        pPr.remove_child(slot);
    }
    if (plain) {
        // A header's bold may come from its paragraph style, which the row keeps: it is
        // switched off on the paragraph mark, so typed text is plain too.
        const pugi::xml_node rPr = ensureChild(ensureProperties(first, "w:pPr"), "w:rPr", kParagraphPropertyOrder);
        setVal(ensureChild(rPr, "w:b", kRunPropertyOrder), QStringLiteral("0"));
        setVal(ensureChild(rPr, "w:bCs", kRunPropertyOrder), QStringLiteral("0"));
    }
}

bool hasText(pugi::xml_node paragraph) {
    return !textOf(paragraph).isEmpty() || paragraph.child("w:r").child("w:drawing");
}

int spanOf(pugi::xml_node cell) {
    const int span = cell.child("w:tcPr").child("w:gridSpan").attribute("w:val").as_int(1);
    return span > 0 ? span : 1;
}

bool startsPage(pugi::xml_node block) {
    return std::strcmp(block.name(), "w:p") == 0 && isOn(block.child("w:pPr").child("w:pageBreakBefore"));
}

// An empty paragraph that begins a new page: a page break that a heading which
// itself begins a page can absorb, so a list ending at a page's foot leaves no blank
// page. Its mark is 1 pt high so it takes no room at the top of the page.
pugi::xml_node insertPageStart(pugi::xml_node after) {
    pugi::xml_node paragraph = after.parent().insert_child_after("w:p", after);
    pugi::xml_node pPr = paragraph.append_child("w:pPr");
    pPr.append_child("w:pageBreakBefore");
    pugi::xml_node spacing = pPr.append_child("w:spacing");
    spacing.append_attribute("w:before") = 0;
    spacing.append_attribute("w:after") = 0;
    spacing.append_attribute("w:line") = 20;
    spacing.append_attribute("w:lineRule") = "exact";
    pugi::xml_node rPr = pPr.append_child("w:rPr");
    rPr.append_child("w:sz").append_attribute("w:val") = 2;
    rPr.append_child("w:szCs").append_attribute("w:val") = 2;
    return paragraph;
}

} // namespace

namespace {

// The body's own tables: its children, and those of the block containers that may
// wrap them. Paragraphs are not entered: a table in a text box belongs to the box.
void collectTables(pugi::xml_node container, std::vector<pugi::xml_node>& tables) {
    for (pugi::xml_node child : container.children()) {
        const char* name = child.name();
        if (std::strcmp(name, "w:tbl") == 0) {
            tables.push_back(child);
        } else if (std::strcmp(name, "w:sdt") == 0 || std::strcmp(name, "w:sdtContent") == 0 ||
                   std::strcmp(name, "w:customXml") == 0) {
            collectTables(child, tables);
        }
    }
}

} // namespace

std::vector<pugi::xml_node> DocxTables::topLevelTables() const {
    std::vector<pugi::xml_node> result;
    collectTables(m_body, result);
    return result;
}

int DocxTables::count() const {
    return int(topLevelTables().size());
}

Result<pugi::xml_node> DocxTables::table(int index) const {
    const std::vector<pugi::xml_node> tables = topLevelTables();
    if (index < 1 || index > int(tables.size())) {
        return std::unexpected(outOfRange(
            QStringLiteral("El documento no tiene la tabla %1 (tiene %2).").arg(index).arg(tables.size())));
    }
    return tables[std::size_t(index - 1)];
}

Result<pugi::xml_node> DocxTables::row(int table, int row) const {
    Result<pugi::xml_node> t = this->table(table);
    if (!t) {
        return t;
    }
    const std::vector<pugi::xml_node> rows = childrenNamed(*t, "w:tr");
    if (row < 1 || row > int(rows.size())) {
        return std::unexpected(outOfRange(QStringLiteral("La tabla %1 no tiene la fila %2 (tiene %3).")
                                              .arg(table)
                                              .arg(row)
                                              .arg(rows.size())));
    }
    return rows[std::size_t(row - 1)];
}

Result<pugi::xml_node> DocxTables::cell(int table, int row, int column) const {
    Result<pugi::xml_node> r = this->row(table, row);
    if (!r) {
        return r;
    }
    const std::vector<pugi::xml_node> cells = childrenNamed(*r, "w:tc");
    if (column < 1 || column > int(cells.size())) {
        return std::unexpected(
            outOfRange(QStringLiteral("La fila %1 de la tabla %2 no tiene la celda %3 (tiene %4).")
                           .arg(row)
                           .arg(table)
                           .arg(column)
                           .arg(cells.size())));
    }
    return cells[std::size_t(column - 1)];
}

Result<int> DocxTables::rowCount(int table) const {
    Result<pugi::xml_node> t = this->table(table);
    if (!t) {
        return std::unexpected(t.error());
    }
    return int(childrenNamed(*t, "w:tr").size());
}

Result<int> DocxTables::columnCount(int table) const {
    Result<pugi::xml_node> t = this->table(table);
    if (!t) {
        return std::unexpected(t.error());
    }
    const int grid = int(childrenNamed(t->child("w:tblGrid"), "w:gridCol").size());
    if (grid > 0) {
        return grid;
    }
    int widest = 0;
    for (pugi::xml_node r : t->children("w:tr")) {
        int span = 0;
        for (pugi::xml_node c : r.children("w:tc")) {
            span += spanOf(c);
        }
        widest = std::max(widest, span);
    }
    return widest;
}

Result<int> DocxTables::appendRow(int table) {
    Result<pugi::xml_node> t = this->table(table);
    if (!t) {
        return std::unexpected(t.error());
    }
    const pugi::xml_node last = t->last_child();
    if (std::strcmp(last.name(), "w:tr") != 0) {
        return std::unexpected(outOfRange(QStringLiteral("La tabla %1 no tiene filas.").arg(table)));
    }
    // A row following a header row (one repeated at the top of each page) is a body
    // row: the header's shading and bold stay behind.
    const bool afterHeader = isOn(last.child("w:trPr").child("w:tblHeader"));
    pugi::xml_node added = t->insert_copy_after(last, last);
    removeChildren(added.child("w:trPr"), "w:tblHeader");
    for (pugi::xml_node cell : added.children("w:tc")) {
        removeChildren(cell.child("w:tcPr"), "w:vMerge");
        if (afterHeader) {
            removeChildren(cell.child("w:tcPr"), "w:shd");
        }
        emptyCell(cell, afterHeader);
    }
    return int(childrenNamed(*t, "w:tr").size());
}

Result<void> DocxTables::setCellText(int table, int row, int column, const QString& text) {
    Result<pugi::xml_node> c = cell(table, row, column);
    if (!c) {
        return std::unexpected(c.error());
    }
    emptyCell(*c);
    pugi::xml_node paragraph = c->child("w:p");
    insertTextRun(paragraph, paragraph.last_child(), text, paragraph.child("w:pPr").child("w:rPr"));
    return {};
}

Result<void> DocxTables::appendCellText(int table, int row, int column, const QString& text) {
    Result<pugi::xml_node> paragraph = cellEndParagraph(table, row, column);
    if (!paragraph) {
        return std::unexpected(paragraph.error());
    }
    pugi::xml_node properties = paragraph->child("w:pPr").child("w:rPr");
    for (pugi::xml_node run = paragraph->last_child(); run; run = run.previous_sibling()) {
        if (std::strcmp(run.name(), "w:r") == 0) {
            properties = run.child("w:rPr");
            break;
        }
    }
    insertTextRun(*paragraph, paragraph->last_child(), text, properties);
    return {};
}

Result<QString> DocxTables::cellText(int table, int row, int column) const {
    Result<pugi::xml_node> c = cell(table, row, column);
    if (!c) {
        return std::unexpected(c.error());
    }
    return textOf(*c);
}

Result<pugi::xml_node> DocxTables::cellEndParagraph(int table, int row, int column) const {
    Result<pugi::xml_node> c = cell(table, row, column);
    if (!c) {
        return c;
    }
    pugi::xml_node paragraph = c->last_child();
    if (std::strcmp(paragraph.name(), "w:p") != 0) {
        paragraph = c->append_child("w:p"); // a cell always ends with a paragraph
    }
    return paragraph;
}

Result<void> DocxTables::mergeCells(int table, int row, int column, int count) {
    if (count < 2) {
        return {};
    }
    Result<pugi::xml_node> first = cell(table, row, column);
    if (!first) {
        return std::unexpected(first.error());
    }
    Result<pugi::xml_node> lastCell = cell(table, row, column + count - 1);
    if (!lastCell) {
        return std::unexpected(lastCell.error());
    }
    pugi::xml_node target = *first;
    pugi::xml_node tcPr = ensureProperties(target, "w:tcPr");
    int span = spanOf(target);
    int width = tcPr.child("w:tcW").attribute("w:w").as_int();
    bool targetHasText = false;
    for (pugi::xml_node p : target.children("w:p")) {
        targetHasText = targetHasText || hasText(p);
    }
    for (int i = 1; i < count; ++i) {
        pugi::xml_node other = target.next_sibling("w:tc");
        span += spanOf(other);
        width += other.child("w:tcPr").child("w:tcW").attribute("w:w").as_int();
        for (pugi::xml_node p = other.child("w:p"); p;) {
            pugi::xml_node next = p.next_sibling("w:p");
            if (hasText(p)) {
                if (!targetHasText) {
                    removeChildren(target, "w:p"); // the empty paragraph gives way to text
                    targetHasText = true;
                }
                target.append_move(p);
            }
            p = next;
        }
        target.parent().remove_child(other);
    }
    setVal(ensureChild(tcPr, "w:gridSpan", kCellPropertyOrder), QString::number(span));
    if (width > 0) {
        pugi::xml_node tcW = ensureChild(tcPr, "w:tcW", kCellPropertyOrder);
        tcW.remove_attribute("w:w");
        tcW.remove_attribute("w:type");
        tcW.append_attribute("w:w") = width;
        tcW.append_attribute("w:type") = "dxa";
    }
    if (!target.child("w:p")) {
        target.append_child("w:p");
    }
    return {};
}

Result<pugi::xml_node> DocxTables::paragraphBelow(int table) {
    Result<pugi::xml_node> t = this->table(table);
    if (!t) {
        return t;
    }
    pugi::xml_node next = t->next_sibling();
    if (std::strcmp(next.name(), "w:p") == 0) {
        return next;
    }
    return t->parent().insert_child_after("w:p", *t);
}

Result<void> DocxTables::typeBelow(int table, const QString& text) {
    Result<pugi::xml_node> paragraph = paragraphBelow(table);
    if (!paragraph) {
        return std::unexpected(paragraph.error());
    }
    insertTextRun(*paragraph, paragraph->last_child(), text, paragraph->child("w:pPr").child("w:rPr"));
    return {};
}

Result<void> DocxTables::insertPageBreakBelow(int table) {
    Result<pugi::xml_node> paragraph = paragraphBelow(table);
    if (!paragraph) {
        return std::unexpected(paragraph.error());
    }
    if (!startsPage(paragraph->next_sibling())) {
        insertPageStart(*paragraph);
    }
    return {};
}

int DocxTables::textWidth() const {
    pugi::xml_node section = m_body.child("w:sectPr");
    const int page = section.child("w:pgSz").attribute("w:w").as_int();
    const int left = section.child("w:pgMar").attribute("w:left").as_int();
    const int right = section.child("w:pgMar").attribute("w:right").as_int();
    const int width = page - left - right;
    return width > 0 ? width : kDefaultTextWidth;
}

Result<int> DocxTables::insertTableAfter(int table, int rows, int columns) {
    if (rows < 1 || columns < 1) {
        return std::unexpected(
            outOfRange(QStringLiteral("Una tabla nueva necesita al menos una fila y una columna.")));
    }
    Result<pugi::xml_node> below = paragraphBelow(table);
    if (!below) {
        return std::unexpected(below.error());
    }
    // What follows the paragraph below on a new page, the new table follows too.
    pugi::xml_node anchor = *below;
    const pugi::xml_node next = below->next_sibling();
    if (startsPage(next)) {
        anchor = textOf(next).isEmpty() ? next : insertPageStart(*below);
    }
    const int columnWidth = textWidth() / columns;
    pugi::xml_node added = anchor.parent().insert_child_after("w:tbl", anchor);
    pugi::xml_node tblPr = added.append_child("w:tblPr");
    pugi::xml_node tblW = tblPr.append_child("w:tblW");
    tblW.append_attribute("w:w") = columnWidth * columns;
    tblW.append_attribute("w:type") = "dxa";
    tblPr.append_child("w:tblLayout").append_attribute("w:type") = "fixed";
    pugi::xml_node grid = added.append_child("w:tblGrid");
    for (int c = 0; c < columns; ++c) {
        grid.append_child("w:gridCol").append_attribute("w:w") = columnWidth;
    }
    for (int r = 0; r < rows; ++r) {
        pugi::xml_node tr = added.append_child("w:tr");
        for (int c = 0; c < columns; ++c) {
            pugi::xml_node tc = tr.append_child("w:tc");
            pugi::xml_node tcW = tc.append_child("w:tcPr").append_child("w:tcW");
            tcW.append_attribute("w:w") = columnWidth;
            tcW.append_attribute("w:type") = "dxa";
            tc.append_child("w:p");
        }
    }
    // The paragraph below the new table is formatted like the one below `table`, so
    // what goes there (a barcode, a break) sits as it does under the first table.
    pugi::xml_node after = added.parent().insert_child_after("w:p", added);
    if (const pugi::xml_node properties = below->child("w:pPr")) {
        removeChildren(after.append_copy(properties), "w:pageBreakBefore");
    }

    const std::vector<pugi::xml_node> tables = topLevelTables();
    for (std::size_t i = 0; i < tables.size(); ++i) {
        if (tables[i] == added) {
            return int(i + 1);
        }
    }
    return std::unexpected(outOfRange(QStringLiteral("La tabla nueva no quedó en el cuerpo del documento.")));
}

} // namespace velantor
