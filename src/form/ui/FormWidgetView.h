#pragma once

#include "form/FormView.h"

class QAction;
class QWidget;

namespace velantor {

class frmSolicitudes;

// The application form's controls seen through FormView, by design name. Visibility and
// enabled state are the control's own (a field inside a hidden frame still counts as
// visible when it is not hidden itself), as the rules expect. Menu items are reached as
// "mnuP" followed by their index. Unknown names read as empty and ignore writes.
class FormWidgetView : public FormView {
public:
    explicit FormWidgetView(frmSolicitudes& window);

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
    QWidget* widget(QStringView control) const;
    QAction* menuItem(QStringView control) const;

    frmSolicitudes& m_window;
};

} // namespace velantor
