#include <array>
#include <initializer_list>

#include "form/EntryRules.h"
#include "form/FormView.h"
#include "form/ControlNames.h"

namespace velantor {
namespace {

struct OptionPair {
    QStringView first; // the "yes" (or first) option
    QStringView second;
};

constexpr std::array<OptionPair, 8> kPairs{{
    {ctl::optDiscSi, ctl::optDiscNo},
    {ctl::optSSOtros, ctl::optSSOndex},
    {ctl::OptSi, ctl::OptNo},
    {ctl::optDefinitivo, ctl::optTemporal},
    {ctl::optOtras, ctl::optActivo},
    {ctl::optPetConyugeSi, ctl::optPetConyugeNo},
    {ctl::optForzoso, ctl::optVoluntario},
    {ctl::optReingesoSi, ctl::optReingresoNo},
}};

const OptionPair* pairOf(QStringView option) {
    for (const OptionPair& pair : kPairs)
        if (pair.first == option || pair.second == option)
            return &pair;
    return nullptr;
}

void show(FormView& view, std::initializer_list<QStringView> controls, bool visible) {
    for (QStringView control : controls)
        view.setVisible(control, visible);
}

void empty(FormView& view, std::initializer_list<QStringView> controls) {
    for (QStringView control : controls)
        view.setText(control, QString());
}

// Selects an option through the view so its rule runs; an option that is already
// selected gets its rule run here, since reselecting it changes nothing in the view.
void select(FormView& view, QStringView option) {
    if (view.isChecked(option))
        applyOptionRule(view, option);
    else
        view.setChecked(option, true);
}

void disabilityRule(FormView& view, bool yes) {
    show(view, {ctl::lblTipoDis, ctl::txtTipoDisc, ctl::lblAdap, ctl::txtAdaptaciones}, yes);
    if (!yes)
        empty(view, {ctl::txtTipoDisc, ctl::txtAdaptaciones});
}

void healthServiceRule(FormView& view, bool others) {
    view.setVisible(ctl::txtSS, others);
    if (others)
        view.setFocus(ctl::txtSS);
    else
        empty(view, {ctl::txtSS});
}

void currentPostRule(FormView& view, bool yes) {
    show(view, {ctl::Frame7, ctl::Frame3, ctl::fraDefTemp}, yes);
    // A provisional post has no date of taking up the post: showing the date again for
    // it would offer a field that its own option hides and empties.
    const bool dateApplies = yes && !view.isChecked(ctl::optTemporal);
    show(view, {ctl::txtFecPosesion, ctl::lblPosesion}, dateApplies);
    if (!yes)
        empty(view,
              {ctl::txtFecPosesion, ctl::txtPuesto, ctl::txtLocalidadPuesto, ctl::txtProvinciaPuesto, ctl::txtSS});
}

void postNatureRule(FormView& view, bool definitive) {
    show(view, {ctl::txtFecPosesion, ctl::lblPosesion}, definitive);
    if (!definitive)
        empty(view, {ctl::txtFecPosesion});
}

void situationRule(FormView& view, bool others) {
    view.setEnabled(ctl::fraReingreso, others);
    if (others) {
        show(view, {ctl::cboSituaciones, ctl::txtFechaSit, ctl::lblFechaSit}, true);
        return;
    }
    select(view, ctl::optReingresoNo);
    view.setChecked(ctl::optReingesoSi, false);
    show(view, {ctl::lblFechaSit, ctl::txtFechaSit, ctl::txtSitAdm, ctl::cboSituaciones}, false);
    empty(view, {ctl::txtFechaSit, ctl::txtSitAdm, ctl::cboSituaciones});
}

void conditionRule(FormView& view, bool yes) {
    view.setVisible(ctl::fraDNIConyuge, yes);
    if (!yes)
        empty(view, {ctl::txtDNIConyuge, ctl::txtConyuApellido1, ctl::txtCOnyuApellido2, ctl::txtConyuNombre});
}

void participationRule(FormView& view, bool compulsory) {
    if (!compulsory)
        return; // Voluntario leaves the spouse condition as it is.
    select(view, ctl::optPetConyugeNo);
    view.setVisible(ctl::fraDNIConyuge, false);
    empty(view, {ctl::txtDNIConyuge});
    view.setVisible(ctl::fraAcopPetConyu, false);
}

} // namespace

QString optionPartner(QStringView option) {
    const OptionPair* pair = pairOf(option);
    if (!pair)
        return {};
    return (pair->first == option ? pair->second : pair->first).toString();
}

void applyOptionRule(FormView& view, QStringView option) {
    const OptionPair* pair = pairOf(option);
    if (!pair)
        return;
    const bool first = view.isChecked(pair->first);
    if (!first && !view.isChecked(pair->second))
        return;
    if (pair->first == ctl::optDiscSi)
        disabilityRule(view, first);
    else if (pair->first == ctl::optSSOtros)
        healthServiceRule(view, first);
    else if (pair->first == ctl::OptSi)
        currentPostRule(view, first);
    else if (pair->first == ctl::optDefinitivo)
        postNatureRule(view, first);
    else if (pair->first == ctl::optOtras)
        situationRule(view, first);
    else if (pair->first == ctl::optPetConyugeSi)
        conditionRule(view, first);
    else if (pair->first == ctl::optForzoso)
        participationRule(view, first);
    // The re-entry pair has no rule of its own.
}

void onSituationChosen(FormView& view) {
    view.setText(ctl::txtSitAdm, QString());
    if (view.comboColumn(ctl::cboSituaciones, 2) == u"1") {
        view.setVisible(ctl::txtSitAdm, true);
        view.setFocus(ctl::txtSitAdm);
        return;
    }
    view.setVisible(ctl::txtSitAdm, false);
    view.setText(ctl::txtSitAdm, view.text(ctl::cboSituaciones));
}

} // namespace velantor
