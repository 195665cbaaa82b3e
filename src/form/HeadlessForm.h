#pragma once

#include <functional>

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include "form/FormView.h"
#include "platform/Error.h"
#include "tables/Table.h"

namespace velantor {

namespace catalogues {
struct SearchTables;
}

// The application form's controls without a window: texts, option states, visibility and
// enabled state by control name, and selection lists bound to tables the way the window's
// lists are. The command-line tool runs the form's rules through it, and tests use it to
// watch what the rules do. Controls never mentioned are empty, visible and enabled.
class HeadlessForm : public FormView {
public:
    HeadlessForm() = default;

    // Binds a selection list to the table `source` returns at each use (so a list can
    // follow a table that is replaced, such as the current position tables), showing the
    // given fields; the first is the list's code.
    void bindList(const QString& list, std::function<TablePtr()> source, const QStringList& columns);
    // Binds every list of the form's list bindings to the table of that name in `tables`.
    // `tables` must outlive this form.
    void bindLists(const catalogues::SearchTables& tables);
    bool isBound(QStringView list) const;
    // The table behind a bound list now (nullptr when unbound or when there is none).
    TablePtr listTable(QStringView list) const;

    // The control that received the focus last ("" before any).
    const QString& focused() const { return m_focused; }
    // How many times the focus was moved on with the Tab key (see focusNext()).
    int focusMoves() const { return m_focusMoves; }
    void focusNext() { ++m_focusMoves; }

    // Every control name the form has been asked for that is neither one of the form's
    // controls nor a bound list, as an error naming the first; what was asked of such a
    // name was ignored.
    Result<void> unknownControls() const;

    QString text(QStringView control) const override;
    void setText(QStringView control, const QString& text) override;
    bool isChecked(QStringView option) const override;
    void setChecked(QStringView option, bool checked) override;
    bool isVisible(QStringView control) const override;
    void setVisible(QStringView control, bool visible) override;
    bool isEnabled(QStringView control) const override;
    void setEnabled(QStringView control, bool enabled) override;
    void setFocus(QStringView control) override;
    bool holdsValidEntry(QStringView combo) const override;
    QString comboColumn(QStringView combo, int column) const override;

private:
    struct ListBinding {
        std::function<TablePtr()> source;
        QStringList columns;
    };
    // False (and the name noted) when the form has no such control.
    bool known(QStringView control) const;
    // The visible row the list's text designates in its table, -1 when none.
    int chosenRow(QStringView combo, TablePtr* table = nullptr) const;

    QHash<QString, QString> m_texts;
    QSet<QString> m_checked;
    QSet<QString> m_hidden;
    QSet<QString> m_disabled;
    QHash<QString, ListBinding> m_lists;
    QString m_focused;
    mutable QStringList m_unknown;
    int m_focusMoves = 0;
};

} // namespace velantor
