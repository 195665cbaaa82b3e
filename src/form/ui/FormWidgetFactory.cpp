#include "form/ui/FormWidgetFactory.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "widgets/DataCombo.h"
#include "widgets/DataGrid.h"

namespace velantor {

void FormWidgetFactory::add(QWidget* widget) {
    m_controls.insert(widget->objectName(), widget);
}

QLineEdit* FormWidgetFactory::text(const QString& name, const QString& accessibleName, int maxLength) {
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    edit->setAccessibleName(accessibleName);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    add(edit);
    return edit;
}

DataCombo* FormWidgetFactory::combo(const QString& name, const QString& accessibleName) {
    auto* list = new DataCombo;
    list->setObjectName(name);
    list->lineEdit()->setObjectName(name + QStringLiteral("_texto"));
    list->setAccessibleLabel(accessibleName);
    add(list);
    return list;
}

QButtonGroup* FormWidgetFactory::pair(QWidget* owner) {
    return new QButtonGroup(owner);
}

QRadioButton* FormWidgetFactory::option(const QString& name, const QString& caption,
                                        const QString& accessibleName, QButtonGroup* pair) {
    auto* button = new QRadioButton(caption);
    button->setObjectName(name);
    if (!accessibleName.isEmpty())
        button->setAccessibleName(accessibleName);
    if (pair)
        pair->addButton(button);
    add(button);
    return button;
}

QGroupBox* FormWidgetFactory::frame(const QString& name, const QString& title) {
    auto* box = new QGroupBox(title);
    box->setObjectName(name);
    if (!title.isEmpty())
        box->setAccessibleName(title);
    add(box);
    return box;
}

QPushButton* FormWidgetFactory::button(const QString& name, const QString& caption,
                                       const QString& accessibleName) {
    auto* push = new QPushButton(caption);
    push->setObjectName(name);
    // Enter presses the button that has the focus, as Space does: the form is no dialog,
    // so this makes no button the default of the window.
    push->setAutoDefault(true);
    if (!accessibleName.isEmpty())
        push->setAccessibleName(accessibleName);
    add(push);
    return push;
}

DataGrid* FormWidgetFactory::grid(const QString& name, const QString& accessibleName) {
    auto* table = new DataGrid;
    table->setObjectName(name);
    table->setAccessibleName(accessibleName);
    add(table);
    return table;
}

QLabel* FormWidgetFactory::label(const QString& caption, QWidget* buddy, const QString& name) {
    auto* text = new QLabel(caption);
    text->setBuddy(buddy);
    if (!name.isEmpty()) {
        text->setObjectName(name);
        add(text);
    }
    return text;
}

} // namespace velantor
