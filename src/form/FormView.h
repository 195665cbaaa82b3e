#pragma once

#include <QString>

namespace velantor {

// What the application form's rules need to see and change of the window's controls,
// addressed by control name (`txtNombre`, `optOtras`, `cboCuerpo`, `Frame7` …). The
// window implements it over its widgets; tests implement it over plain maps. Keeping
// the rules on this interface lets them run and be tested without a display.
class FormView {
public:
    virtual ~FormView() = default;

    virtual QString text(QStringView control) const = 0;
    virtual void setText(QStringView control, const QString& text) = 0;

    // Option buttons. Selecting an option through setChecked(true) runs the option's
    // rule exactly as a click would (and clears the other option of its pair).
    virtual bool isChecked(QStringView option) const = 0;
    virtual void setChecked(QStringView option, bool checked) = 0;

    virtual bool isVisible(QStringView control) const = 0;
    virtual void setVisible(QStringView control, bool visible) = 0;
    virtual bool isEnabled(QStringView control) const = 0;
    virtual void setEnabled(QStringView control, bool enabled) = 0;
    virtual void setFocus(QStringView control) = 0;

    // Selection lists: whether the text matches one of the rows the list offers now,
    // and a column (0 = the code) of the row its text designates ("" when none).
    virtual bool holdsValidEntry(QStringView combo) const = 0;
    virtual QString comboColumn(QStringView combo, int column) const = 0;
};

} // namespace velantor
