#pragma once

#include <functional>

#include <QDate>
#include <QList>
#include <QString>

#include "form/Refusal.h"
#include "tables/Table.h"

namespace velantor {

class FormView;

// The editor under the courses grid (tab 1, table Cursos) and the one under the
// documents grid (tab 4, table Documentos). One row is typed in the entry fields and
// "Aceptar" appends it (adding) or writes it back over the row loaded by "Modificar"
// (modifying). Rows get an identifier one above the largest in the table; identifiers
// are never renumbered. The editor reads and writes the entry fields through the view
// and the rows through the table; the grid shows the table. A refused "Aceptar" returns
// why, with the message the caller shows.
class CourseDocumentEditor {
public:
    enum class Kind { Cursos, Documentos };
    enum Mode { Adding = 1, Modifying = 2 };
    enum class Refused {
        // A required entry field is empty: the name (courses and documents), or a course's
        // hours, year or centre.
        MissingName,
        MissingHours,
        MissingYear,
        MissingCentre,
        // A course's hours or year is no whole number in range.
        InvalidHours,
        InvalidYear,
        // A text longer than its column holds.
        TooLong,
    };
    using AcceptResult = RuleResult<Refused>;

    CourseDocumentEditor(Kind kind, FormView& view, TablePtr table);

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
    // "Aceptar": checks the entry and appends or updates the row, then resets. Refused, the
    // fields and mode stay as they are; today bounds the year.
    AcceptResult accept(QDate today = QDate::currentDate());
    // "Cancelar".
    void cancel() { reset(); }
    // "Borrar": with exactly one row selected, asks `confirm` and on Yes deletes it.
    // The editor is reset in every case. Returns true when a row was deleted.
    bool remove(const QList<int>& selectedRows, const Confirm& confirm);
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
        QStringView control;
        const char* column;
        const char* label;
    };
    const QList<Binding>& bindings() const;

    AcceptResult validate(QDate today);
    void writeRow();

    Kind m_kind;
    FormView& m_view;
    TablePtr m_table;
    Mode m_mode = Adding;
    std::function<void()> m_clearSelection;
};

} // namespace velantor
