#include "form/HeadlessForm.h"

#include "catalogues/ListBindings.h"
#include "form/ControlNames.h"
#include "form/EntryRules.h"

namespace velantor {

void HeadlessForm::bindList(const QString& list, std::function<TablePtr()> source,
                            const QStringList& columns) {
    m_lists.insert(list, ListBinding{std::move(source), columns});
}

void HeadlessForm::bindLists(const catalogues::SearchTables& tables) {
    for (const catalogues::ListBinding& binding : catalogues::listBindings()) {
        QStringList columns;
        for (const catalogues::ListColumn& column : binding.columns)
            columns << column.field;
        const QString name = binding.table;
        bindList(
            binding.list, [&tables, name] { return tables.table(name); }, columns);
    }
}

bool HeadlessForm::isBound(QStringView list) const {
    return m_lists.contains(list.toString());
}

TablePtr HeadlessForm::listTable(QStringView list) const {
    const auto it = m_lists.constFind(list.toString());
    return it == m_lists.cend() ? nullptr : it->source();
}

bool HeadlessForm::known(QStringView control) const {
    if (ctl::isKnown(control) || m_lists.contains(control.toString()))
        return true;
    if (!m_unknown.contains(control))
        m_unknown.append(control.toString());
    return false;
}

Result<void> HeadlessForm::unknownControls() const {
    if (m_unknown.isEmpty())
        return {};
    return std::unexpected(makeError(errors::kUnknownControl,
                                     QStringLiteral("El formulario no tiene el control «%1»").arg(m_unknown.front())));
}

QString HeadlessForm::text(QStringView control) const {
    if (!known(control))
        return {};
    return m_texts.value(control.toString());
}

void HeadlessForm::setText(QStringView control, const QString& text) {
    if (!known(control))
        return;
    m_texts.insert(control.toString(), text);
}

bool HeadlessForm::isChecked(QStringView option) const {
    if (!known(option))
        return false;
    return m_checked.contains(option.toString());
}

void HeadlessForm::setChecked(QStringView option, bool checked) {
    if (!known(option))
        return;
    const QString name = option.toString();
    if (!checked) {
        m_checked.remove(name);
        return;
    }
    if (m_checked.contains(name))
        return;
    m_checked.insert(name);
    // An option button clears the other option of its pair, and selecting it runs the
    // pair's rule as a click does.
    if (const QString partner = optionPartner(option); !partner.isEmpty()) {
        m_checked.remove(partner);
        applyOptionRule(*this, option);
    }
}

bool HeadlessForm::isVisible(QStringView control) const {
    if (!known(control))
        return false;
    return !m_hidden.contains(control.toString());
}

void HeadlessForm::setVisible(QStringView control, bool visible) {
    if (!known(control))
        return;
    if (visible)
        m_hidden.remove(control.toString());
    else
        m_hidden.insert(control.toString());
}

bool HeadlessForm::isEnabled(QStringView control) const {
    if (!known(control))
        return false;
    return !m_disabled.contains(control.toString());
}

void HeadlessForm::setEnabled(QStringView control, bool enabled) {
    if (!known(control))
        return;
    if (enabled)
        m_disabled.remove(control.toString());
    else
        m_disabled.insert(control.toString());
}

void HeadlessForm::setFocus(QStringView control) {
    if (!known(control))
        return;
    m_focused = control.toString();
}

int HeadlessForm::chosenRow(QStringView combo, TablePtr* tableOut) const {
    const auto it = m_lists.constFind(combo.toString());
    if (it == m_lists.cend() || it->columns.isEmpty())
        return -1;
    const QString value = text(combo);
    if (value.isEmpty())
        return -1;
    const TablePtr table = it->source();
    if (!table)
        return -1;
    if (tableOut)
        *tableOut = table;
    return table->findEqual(table->requireField(it->columns.front()), value);
}

bool HeadlessForm::holdsValidEntry(QStringView combo) const {
    if (!known(combo))
        return false;
    return chosenRow(combo) >= 0;
}

QString HeadlessForm::comboColumn(QStringView combo, int column) const {
    if (!known(combo))
        return {};
    TablePtr table;
    const int row = chosenRow(combo, &table);
    if (row < 0)
        return {};
    const QStringList& columns = m_lists.value(combo.toString()).columns;
    if (column < 0 || column >= columns.size())
        return {};
    return table->textAt(row, table->requireField(columns.at(column)));
}

} // namespace velantor
