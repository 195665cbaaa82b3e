#include "support/FakeFormView.h"

#include "form/EntryRules.h"

namespace velantor::test {

QString FakeFormView::text(QStringView control) const {
    return m_texts.value(control.toString());
}

void FakeFormView::setText(QStringView control, const QString& text) {
    m_texts.insert(control.toString(), text);
}

bool FakeFormView::isChecked(QStringView option) const {
    return m_checked.value(option.toString(), false);
}

void FakeFormView::setChecked(QStringView option, bool checked) {
    const QString name = option.toString();
    const bool wasChecked = isChecked(name);
    m_checked.insert(name, checked);
    if (!checked || wasChecked)
        return;
    // Like a radio button group: the partner goes off and the rule runs on a change.
    if (const QString partner = optionPartner(name); !partner.isEmpty())
        m_checked.insert(partner, false);
    m_rulesRun[name] += 1;
    applyOptionRule(*this, name);
}

bool FakeFormView::isVisible(QStringView control) const {
    return m_visible.value(control.toString(), true);
}

void FakeFormView::setVisible(QStringView control, bool visible) {
    m_visible.insert(control.toString(), visible);
}

bool FakeFormView::isEnabled(QStringView control) const {
    return m_enabled.value(control.toString(), true);
}

void FakeFormView::setEnabled(QStringView control, bool enabled) {
    m_enabled.insert(control.toString(), enabled);
}

void FakeFormView::setFocus(QStringView control) {
    m_focusLog.append(control.toString());
}

bool FakeFormView::holdsValidEntry(QStringView combo) const {
    return !comboColumn(combo, 0).isEmpty();
}

QString FakeFormView::comboColumn(QStringView combo, int column) const {
    const QString current = text(combo);
    if (current.isEmpty())
        return {};
    for (const QStringList& row : m_rows.value(combo.toString()))
        if (!row.isEmpty() && row.front() == current)
            return column < row.size() ? row.at(column) : QString();
    return {};
}

} // namespace velantor::test
