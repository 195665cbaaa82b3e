#include "form/SolicitudDatos.h"

#include "catalogues/ApplicationTables.h"
#include "form/EntryRules.h"
#include "form/FormView.h"
#include "form/ControlNames.h"

namespace velantor {
namespace {

// Every data control in the order the window is read and written: the tagged controls
// in the form's control order, then the untagged ones.
template <class F> void forEachDataControl(F&& f) {
    for (const FormControl& control : formControls())
        f(control);
    for (const FormControl& control : untaggedDataControls())
        f(control);
}

} // namespace

SolicitudDatos::SolicitudDatos() : ApplicationTables(ApplicationTables::create()) {}

QString SolicitudDatos::text(QStringView control) const {
    return m_texts.value(control.toString());
}

void SolicitudDatos::setText(const QString& control, const QString& value) {
    m_texts.insert(control, value);
}

bool SolicitudDatos::option(QStringView control) const {
    return m_options.value(control.toString(), false);
}

void SolicitudDatos::setOption(const QString& control, bool selected) {
    m_options.insert(control, selected);
}

QString SolicitudDatos::fieldValue(const FormControl& control) const {
    if (control.kind == ControlKind::Option)
        return option(control.name) ? QStringLiteral("1") : QStringLiteral("0");
    return text(control.name);
}

QString SolicitudDatos::valueByTag(QStringView tag) const {
    QString value;
    for (const FormControl& control : formControls())
        if (control.tag == tag)
            value = fieldValue(control);
    return value;
}

void SolicitudDatos::readFrom(const FormView& view) {
    forEachDataControl([&](const FormControl& control) {
        if (control.kind == ControlKind::Option)
            m_options.insert(control.name, view.isChecked(control.name));
        else
            m_texts.insert(control.name, view.text(control.name));
    });
    bodyGroup = view.comboColumn(ctl::cboCuerpo, 2).trimmed();
    situationName = view.comboColumn(ctl::cboSituaciones, 1);
    situationEsOtras = view.comboColumn(ctl::cboSituaciones, 2);
}

void SolicitudDatos::writeTo(FormView& view) const {
    forEachDataControl([&](const FormControl& control) {
        if (control.kind != ControlKind::Option)
            view.setText(control.name, text(control.name));
        else if (!option(control.name))
            view.setChecked(control.name, false);
        else if (view.isChecked(control.name))
            applyOptionRule(view, control.name); // already selected: selecting again changes nothing
        else
            view.setChecked(control.name, true);
    });
    // The free-text situation box is shown by choosing its situation, which writing the
    // list's text does not do.
    const bool namedByUser = view.isChecked(ctl::optOtras) && view.comboColumn(ctl::cboSituaciones, 2) == u"1";
    view.setVisible(ctl::txtSitAdm, namedByUser);
}

} // namespace velantor
