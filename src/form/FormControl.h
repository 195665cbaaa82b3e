#pragma once

#include <vector>

#include <QString>

namespace velantor {

enum class ControlKind { Text, Option, Combo };

// A data control of the application form that carries the name of the document form
// field receiving its value (its tag).
struct FormControl {
    QString name;
    ControlKind kind;
    QString tag;
};

// The tagged data controls in the form's control order: the order in which the document
// generator fills the form fields and the loader reads them back. The unbound zone list
// `SSOleDBCombo1` shares the tag "ZBSVrk" with `cboZBSVrk` and comes before it, so the
// zone chosen in `cboZBSVrk` is the one that reaches the document.
const std::vector<FormControl>& formControls();

// nullptr when the name is not a tagged control.
const FormControl* findFormControl(QStringView name);

// Controls that hold application data without a tag of their own: the yes/no pair of
// the current post and the situation list. They travel in the application value object.
const std::vector<FormControl>& untaggedDataControls();

} // namespace velantor
