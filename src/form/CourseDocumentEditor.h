#pragma once

#include <functional>

#include <QDate>
#include <QList>
#include <QString>

#include "tables/Table.h"

namespace velantor {

class FormView;
class MessageService;

// The editor under the courses grid (tab 1, table Cursos) and the one under the
// documents grid (tab 4, table Documentos). One row is typed in the entry fields and
// "Aceptar" appends it (adding) or writes it back over the row loaded by "Modificar"
// (modifying). Rows get an identifier one above the largest in the table; identifiers
// are never renumbered. The editor reads and writes the entry fields through the view
// and the rows through the table; the grid shows the table.
class CourseDocumentEditor {
public:
    enum class Kind { Cursos, Documentos };
    enum Mode { Adding = 1, Modifying = 2 };

    CourseDocumentEditor(Kind kind, FormView& view, MessageService& messages, TablePtr table);

    Kind kind() const { return m_kind; }
    Mode mode() const { return m_mode; }
    const TablePtr& table() const { return m_table; }

    // Called whenever the editor is reset, so the window clears the grid's selection.
    void setSelectionClearer(std::function<void()> clear) { m_clearSelection = std::move(clear); }

    // "Añadir": adding mode, focus on the name field; the fields keep what they hold.
    void add();
    // "Modificar": with exactly one row selected (visible row index), loads it into the
    // entry fields and enters modifying mode; otherwise nothing happens.
    void modify(const QList<int>& selectedRows);
    // "Aceptar": checks the entry and appends or updates the row, then resets. Returns
    // false (fields and mode unchanged) when the check fails; today bounds the year.
    bool accept(QDate today = QDate::currentDate());
    // "Cancelar".
    void cancel() { reset(); }
    // "Borrar": with exactly one row selected, asks for confirmation and deletes it.
    // The editor is reset in every case. Returns true when a row was deleted.
    bool remove(const QList<int>& selectedRows);
    // Empties the entry fields and the hidden identifier, focuses the name field,
    // returns to adding mode and clears the grid's selection.
    void reset();

    // The entry fields, in the order name, hours, year or date, centre, and the hidden
    // identifier; and the table fields they feed.
    QString nameField() const;
    QString idField() const;
    QString idColumn() const;

private:
    struct Binding {
        const char* control;
        const char* column;
        const char* label;
    };
    const QList<Binding>& bindings() const;

    bool validate(QDate today);
    void writeRow();

    Kind m_kind;
    FormView& m_view;
    MessageService& m_messages;
    TablePtr m_table;
    Mode m_mode = Adding;
    std::function<void()> m_clearSelection;
};

} // namespace velantor
