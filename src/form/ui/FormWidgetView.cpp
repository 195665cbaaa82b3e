#include "form/ui/FormWidgetView.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "form/ui/frmSolicitudes.h"
#include "widgets/DataCombo.h"
#include "form/ControlNames.h"

namespace velantor {

FormWidgetView::FormWidgetView(frmSolicitudes& window) : m_window(window) {}

QWidget* FormWidgetView::widget(QStringView control) const {
    QWidget* found = m_window.control(control);
    // A rule that names a control the window does not have is a programming error.
    Q_ASSERT_X(found || control.startsWith(ctl::mnuP), "FormWidgetView",
               qPrintable(QStringLiteral("no control named %1").arg(control)));
    return found;
}

QAction* FormWidgetView::menuItem(QStringView control) const {
    if (!control.startsWith(ctl::mnuP))
        return nullptr;
    bool ok = false;
    const int index = control.mid(4).toInt(&ok);
    return ok ? m_window.menuItem(index) : nullptr;
}

QString FormWidgetView::text(QStringView control) const {
    QWidget* w = widget(control);
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit->text();
    if (auto* list = qobject_cast<DataCombo*>(w))
        return list->text();
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    if (auto* frame = qobject_cast<QGroupBox*>(w))
        return frame->title();
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->text();
    return {};
}

void FormWidgetView::setText(QStringView control, const QString& text) {
    QWidget* w = widget(control);
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        edit->setText(text);
    else if (auto* list = qobject_cast<DataCombo*>(w))
        list->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(w))
        label->setText(text);
    else if (auto* frame = qobject_cast<QGroupBox*>(w))
        frame->setTitle(text);
}

bool FormWidgetView::isChecked(QStringView option) const {
    auto* button = qobject_cast<QRadioButton*>(widget(option));
    return button && button->isChecked();
}

void FormWidgetView::setChecked(QStringView option, bool checked) {
    auto* button = qobject_cast<QRadioButton*>(widget(option));
    if (!button || button->isChecked() == checked)
        return;
    if (checked) {
        // Checking emits toggled(), which runs the option's rule as a click does.
        button->setChecked(true);
        return;
    }
    // An exclusive pair cannot be emptied by unchecking its member directly.
    QButtonGroup* pair = button->group();
    const bool exclusive = pair && pair->exclusive();
    if (exclusive)
        pair->setExclusive(false);
    button->setChecked(false);
    if (exclusive)
        pair->setExclusive(true);
}

bool FormWidgetView::isVisible(QStringView control) const {
    QWidget* w = widget(control);
    return w && !w->isHidden();
}

void FormWidgetView::setVisible(QStringView control, bool visible) {
    if (QWidget* w = widget(control))
        w->setVisible(visible);
    else if (QAction* item = menuItem(control))
        item->setVisible(visible);
}

bool FormWidgetView::isEnabled(QStringView control) const {
    if (QWidget* w = widget(control))
        return !w->testAttribute(Qt::WA_ForceDisabled);
    if (QAction* item = menuItem(control))
        return item->isEnabled();
    return false;
}

void FormWidgetView::setEnabled(QStringView control, bool enabled) {
    if (QWidget* w = widget(control))
        w->setEnabled(enabled);
    else if (QAction* item = menuItem(control))
        item->setEnabled(enabled);
}

void FormWidgetView::setFocus(QStringView control) {
    QWidget* w = widget(control);
    if (!w)
        return;
    w->setFocus(Qt::OtherFocusReason);
}

bool FormWidgetView::holdsValidEntry(QStringView combo) const {
    auto* list = qobject_cast<DataCombo*>(widget(combo));
    return list && list->holdsValidEntry();
}

QString FormWidgetView::comboColumn(QStringView combo, int column) const {
    auto* list = qobject_cast<DataCombo*>(widget(combo));
    return list ? list->column(column) : QString();
}

} // namespace velantor
