#pragma once

#include <functional>
#include <optional>

#include <QList>
#include <QString>

#include "form/Refusal.h"
#include "form/search/PositionSearchFilter.h"
#include "tables/Table.h"

namespace velantor {

class FormView;

namespace catalogues {
class PositionSearch;
}

// The editor of one requested-position list: the vacancies (tab "Plazas Vacantes", table
// Vacantes) or the "Resultas" (tab "Plazas Resultas", table Resultas). A position is
// picked in the tab's position list and put at an order of preference; "Modificar" moves a
// row to another order; "Borrar" deletes one; "Insertar Todas" appends every position the
// search shows. The list always holds each position code once, carries the orders 1..n
// and is sorted by Orden; row identifiers are one above the largest and never renumbered.
// A refused "Aceptar" returns why, with the warning the caller shows.
class RequestedPositionList {
public:
    enum Mode { Adding = 1, Modifying = 2 };
    enum class Refused {
        // The position list's text names none of the positions it offers.
        InvalidPosition,
        // The chosen position is in this list already (the entry panel is reset).
        AlreadyRequested,
        // Moving a row with the order entry empty (the editor stays modifying).
        NoOrder,
    };
    using AcceptResult = RuleResult<Refused>;

    // `table` is the list edited here, `otherList` the other requested list (the body can
    // be changed again only when both are empty).
    RequestedPositionList(catalogues::SearchTab tab, FormView& view, catalogues::PositionSearch& search,
                          TablePtr table, TablePtr otherList);

    catalogues::SearchTab tab() const { return m_tab; }
    Mode mode() const { return m_mode; }
    const TablePtr& table() const { return m_table; }

    // Called every 300 rows of "Insertar Todas" and at its end, so the window can repaint.
    void setRepaint(std::function<void()> repaint) { m_repaint = std::move(repaint); }

    // "Añadir": back to adding a new row with a fresh entry panel, focus on the order.
    void add();
    // "Modificar": with exactly one row selected (visible row index), loads it for moving
    // it to another order; otherwise nothing happens.
    void modify(const QList<int>& selectedRows);
    // "Aceptar": adds the chosen position (adding) or moves the loaded row (modifying).
    AcceptResult accept();
    // "Cancelar": abandons the entry and clears the tab's search.
    void cancel();
    // "Borrar": with exactly one row selected, asks `confirm` and on Yes deletes it; the
    // entry panel is reset whatever happens. Returns true when a row was deleted. Once the
    // "Resultas" list is empty its "Insertar Todas" is enabled again.
    bool remove(const QList<int>& selectedRows, const Confirm& confirm);
    // The focus has reached "Aceptar": the chosen position's code goes into the code field.
    void onAcceptFocused();
    // Appends every visible row of `candidates` that is not in the list yet, in the
    // candidates' order, with the orders and identifiers that follow the list's; once a
    // row is appended the body and group are locked, as by "Aceptar".
    // Returns the number of rows appended.
    int insertAll(const Table& candidates);
    // Adding mode, entry fields emptied, entry controls open, the position list emptied
    // and focused with the tab's search applied again.
    void resetEntryPanel();

    // Whether some row of the list has this position code.
    bool isListed(const QString& code) const;

    // The controls of this list's tab.
    QString orderField() const;
    QString positionList() const;
    QString codeField() const;
    QString descriptionField() const;
    QString idField() const;
    QString title() const;

private:
    bool vacancies() const;
    AcceptResult acceptNew();
    AcceptResult acceptMove();
    void lockBodyAndGroup();
    qint64 insertionOrder();
    void appendRow(qint64 id, qint64 order, const QString (&values)[6]);
    void lockEntryControls(bool lock);
    void finishAccept();
    Message warning(const QString& text, const QString& title) const;
    // The order typed in the order entry, rounded to a whole number; none when empty or
    // not a number.
    std::optional<qint64> typedOrder() const;

    catalogues::SearchTab m_tab;
    FormView& m_view;
    catalogues::PositionSearch& m_search;
    TablePtr m_table;
    TablePtr m_otherList;
    Mode m_mode = Adding;
    qint64 m_previousOrder = 0;
    std::function<void()> m_repaint;
};

} // namespace velantor
