#pragma once

#include <QButtonGroup>
#include <QHash>
#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace velantor {

class DataCombo;
class DataGrid;

// Creates the form's controls with their design names as objectName, their captions,
// accessible names and buddies, and keeps them by name for the window and its view.
class FormWidgetFactory {
public:
    QLineEdit* text(const QString& name, const QString& accessibleName, int maxLength = 0);
    DataCombo* combo(const QString& name, const QString& accessibleName);
    // A radio button of a pair; both members of a pair share one exclusive button group.
    QRadioButton* option(const QString& name, const QString& caption, const QString& accessibleName,
                         QButtonGroup* pair);
    QButtonGroup* pair(QWidget* owner);
    QGroupBox* frame(const QString& name, const QString& title);
    QPushButton* button(const QString& name, const QString& caption, const QString& accessibleName = {});
    DataGrid* grid(const QString& name, const QString& accessibleName);
    // A label with a mnemonic-free caption, set as buddy of `buddy` (which takes the
    // caption as its accessible name when it has none of its own). A name registers it.
    QLabel* label(const QString& caption, QWidget* buddy, const QString& name = {});

    void add(QWidget* widget); // registers a widget already named
    QWidget* find(QStringView name) const { return m_controls.value(name.toString()); }
    const QHash<QString, QWidget*>& controls() const { return m_controls; }

private:
    QHash<QString, QWidget*> m_controls;
};

} // namespace velantor
