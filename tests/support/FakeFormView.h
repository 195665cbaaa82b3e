#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include "form/FormView.h"

namespace velantor::test {

// A form view over plain maps, behaving as the window does: selecting an option clears
// the other option of its pair and runs the pair's rule; a list holds a valid entry when
// its text is the code (first column) of one of the rows it offers. Controls start
// empty, visible, enabled and unselected.
class FakeFormView : public FormView {
public:
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

    // The rows a list offers (each row its columns, the code first).
    void setComboRows(const QString& combo, const QList<QStringList>& rows) { m_rows.insert(combo, rows); }
    // The control that got the focus last ("" when none did), and every focus request.
    QString focused() const { return m_focusLog.isEmpty() ? QString() : m_focusLog.last(); }
    const QStringList& focusLog() const { return m_focusLog; }
    // How many times an option's rule ran through setChecked.
    int rulesRun(const QString& option) const { return m_rulesRun.value(option); }

private:
    QHash<QString, QString> m_texts;
    QHash<QString, bool> m_checked;
    QHash<QString, bool> m_visible;
    QHash<QString, bool> m_enabled;
    QHash<QString, QList<QStringList>> m_rows;
    QHash<QString, int> m_rulesRun;
    QStringList m_focusLog;
};

} // namespace velantor::test
