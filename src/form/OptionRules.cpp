#include <array>
#include <initializer_list>

#include "form/EntryRules.h"
#include "form/FormView.h"

namespace velantor {
namespace {

struct OptionPair {
    QStringView first; // the "yes" (or first) option
    QStringView second;
};

constexpr std::array<OptionPair, 8> kPairs{{
    {u"optDiscSi", u"optDiscNo"},
    {u"optSSOtros", u"optSSOndex"},
    {u"OptSi", u"OptNo"},
    {u"optDefinitivo", u"optTemporal"},
    {u"optOtras", u"optActivo"},
    {u"optPetConyugeSi", u"optPetConyugeNo"},
    {u"optForzoso", u"optVoluntario"},
    {u"optReingesoSi", u"optReingresoNo"},
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
    show(view, {u"lblTipoDis", u"txtTipoDisc", u"lblAdap", u"txtAdaptaciones"}, yes);
    if (!yes)
        empty(view, {u"txtTipoDisc", u"txtAdaptaciones"});
}

void healthServiceRule(FormView& view, bool others) {
    view.setVisible(u"txtSS", others);
    if (others)
        view.setFocus(u"txtSS");
    else
        empty(view, {u"txtSS"});
}

void currentPostRule(FormView& view, bool yes) {
    show(view, {u"Frame7", u"Frame3", u"fraDefTemp"}, yes);
    // A provisional post has no date of taking up the post: showing the date again for
    // it would offer a field that its own option hides and empties.
    const bool dateApplies = yes && !view.isChecked(u"optTemporal");
    show(view, {u"txtFecPosesion", u"lblPosesion"}, dateApplies);
    if (!yes)
        empty(view,
              {u"txtFecPosesion", u"txtPuesto", u"txtLocalidadPuesto", u"txtProvinciaPuesto", u"txtSS"});
}

void postNatureRule(FormView& view, bool definitive) {
    show(view, {u"txtFecPosesion", u"lblPosesion"}, definitive);
    if (!definitive)
        empty(view, {u"txtFecPosesion"});
}

void situationRule(FormView& view, bool others) {
    view.setEnabled(u"fraReingreso", others);
    if (others) {
        show(view, {u"cboSituaciones", u"txtFechaSit", u"lblFechaSit"}, true);
        return;
    }
    select(view, u"optReingresoNo");
    view.setChecked(u"optReingesoSi", false);
    show(view, {u"lblFechaSit", u"txtFechaSit", u"txtSitAdm", u"cboSituaciones"}, false);
    empty(view, {u"txtFechaSit", u"txtSitAdm", u"cboSituaciones"});
}

void conditionRule(FormView& view, bool yes) {
    view.setVisible(u"fraDNIConyuge", yes);
    if (!yes)
        empty(view, {u"txtDNIConyuge", u"txtConyuApellido1", u"txtCOnyuApellido2", u"txtConyuNombre"});
}

void participationRule(FormView& view, bool compulsory) {
    if (!compulsory)
        return; // Voluntario leaves the spouse condition as it is.
    select(view, u"optPetConyugeNo");
    view.setVisible(u"fraDNIConyuge", false);
    empty(view, {u"txtDNIConyuge"});
    view.setVisible(u"fraAcopPetConyu", false);
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
    if (pair->first == u"optDiscSi")
        disabilityRule(view, first);
    else if (pair->first == u"optSSOtros")
        healthServiceRule(view, first);
    else if (pair->first == u"OptSi")
        currentPostRule(view, first);
    else if (pair->first == u"optDefinitivo")
        postNatureRule(view, first);
    else if (pair->first == u"optOtras")
        situationRule(view, first);
    else if (pair->first == u"optPetConyugeSi")
        conditionRule(view, first);
    else if (pair->first == u"optForzoso")
        participationRule(view, first);
    // The re-entry pair has no rule of its own.
}

void onSituationChosen(FormView& view) {
    view.setText(u"txtSitAdm", QString());
    if (view.comboColumn(u"cboSituaciones", 2) == u"1") {
        view.setVisible(u"txtSitAdm", true);
        view.setFocus(u"txtSitAdm");
        return;
    }
    view.setVisible(u"txtSitAdm", false);
    view.setText(u"txtSitAdm", view.text(u"cboSituaciones"));
}

} // namespace velantor
