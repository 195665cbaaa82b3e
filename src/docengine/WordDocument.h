#pragma once

#include <memory>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "platform/Error.h"
#include "docengine/WordDocumentFormat.h"

namespace velantor {

// The program's own document engine: an Office Open XML word-processing document
// held in memory, made from a template or a saved document and written back to a
// file. It offers what the application document needs: legacy form fields (text
// fields and check boxes known by name), bookmarks, the body's tables (counted from
// 1 in document order, top-level tables only; rows and cells from 1), their layout,
// pictures and page breaks.
//
// Addressing something that does not exist is an error value: a form field name gives
// error 5941 (errors::kMissingFormField), so callers can pass over missing fields and
// stop at anything else; tables, rows, cells and bookmarks give
// errors::kInvalidProcedureCall. Widths and heights are in twips (1/1440 inch).
class WordDocument {
public:
    // A new, unsaved document holding the file's form fields, bookmarks and tables.
    // `path` may be a template or a document; a document in the older binary format
    // (recognised by its signature, whatever its name) is converted on a temporary
    // copy with LibreOffice first. The file itself is only read.
    static Result<WordDocument> open(const QString& path);
    // As open(), for a template: a missing template, or a missing template folder,
    // is named in the message (errors::kFileNotFound, errors::kPathNotFound).
    static Result<WordDocument> openTemplate(const QString& path);

    // The engine's version text: its part before the first "." is the major version.
    static QString version();

    WordDocument(WordDocument&& other) noexcept;
    WordDocument& operator=(WordDocument&& other) noexcept;
    ~WordDocument();

    // Where the document was last saved; empty while it never was.
    QString path() const;
    // Writes the document through a temporary file renamed into place, so a failed
    // save leaves any earlier file of that name as it was. Later save() calls go there.
    Result<void> saveAs(const QString& path);
    Result<void> save();

    // Legacy form fields. Text is written and read with "\n" for a line break.
    QStringList formFieldNames() const;
    Result<QString> fieldText(const QString& name) const;
    Result<void> setFieldText(const QString& name, const QString& text);
    Result<bool> isChecked(const QString& name) const;
    Result<void> setChecked(const QString& name, bool checked);
    // A word processor that saved a document again in the binary format may have lost
    // the names of its check boxes (LibreOffice does; text fields keep theirs). When
    // this document's fields are the reference's (its template's) one for one - same
    // count, same kinds, the same names wherever a name is left - the unnamed fields
    // take the reference's names. Returns how many were named; on a mismatch nothing
    // changes and the error says why.
    Result<int> nameUnnamedFieldsLike(const WordDocument& reference);

    // Bookmarks: typing replaces what the bookmark holds.
    QStringList bookmarkNames() const;
    Result<void> typeAtBookmark(const QString& name, const QString& text);
    Result<QString> bookmarkText(const QString& name) const;

    // Tables and their cells.
    int tableCount() const;
    Result<int> rowCount(int table) const;
    Result<int> columnCount(int table) const;
    // A new last row shaped like the one before, with empty cells; returns its number.
    Result<int> appendRow(int table);
    Result<void> setCellText(int table, int row, int column, const QString& text);
    Result<void> appendCellText(int table, int row, int column, const QString& text);
    Result<QString> cellText(int table, int row, int column) const;
    // Merges cell `column` with the `count` - 1 cells to its right.
    Result<void> mergeCells(int table, int row, int column, int count);

    // Table layout.
    Result<std::vector<int>> columnWidths(int table) const;
    Result<void> setColumnWidths(int table, const std::vector<int>& twips);
    Result<void> setColumnWidth(int table, int column, int twips);
    Result<int> cellWidth(int table, int row, int column) const;
    Result<RowHeight> rowHeight(int table, int row) const;
    Result<void> setRowHeight(int table, int row, const RowHeight& height);
    // The space above and below the text of every cell of the row, over the table's own.
    Result<void> setRowCellPadding(int table, int row, int topTwips, int bottomTwips);
    Result<void> setBorders(int table, bool enabled);
    Result<void> formatTable(int table, const TextFormat& format);
    Result<void> formatColumn(int table, int column, const TextFormat& format);
    Result<void> formatRow(int table, int row, const TextFormat& format);
    Result<void> formatCell(int table, int row, int column, const TextFormat& format);

    // The paragraph right below a table: text and pictures go at its end, in the order
    // they are added.
    Result<void> typeBelowTable(int table, const QString& text);
    Result<void> insertPictureBelowTable(int table, const QString& imagePath, int widthTwips,
                                         int heightTwips);
    // What follows the paragraph below the table begins a new page. A heading there that
    // already begins a page absorbs the break (no blank page).
    Result<void> insertPageBreakBelowTable(int table);
    // A table of empty cells of equal width placed after the paragraph below `table`
    // (after a page break put there, if any); returns the new table's number.
    Result<int> insertTableAfter(int table, int rows, int columns);

    // A BMP, PNG, JPEG or GIF picture at the end of the cell's last paragraph.
    Result<void> insertPictureInCell(int table, int row, int column, const QString& imagePath, int widthTwips,
                                     int heightTwips);

    // The body's text, paragraphs separated by "\n".
    QString text() const;
    // A part of the package as it would be saved now ("word/document.xml", ...).
    QByteArray part(const QString& name) const;

private:
    struct Impl;
    explicit WordDocument(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> m;
};

} // namespace velantor
