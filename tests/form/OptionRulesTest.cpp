#include <gtest/gtest.h>

#include "form/EntryRules.h"
#include "support/FakeFormView.h"

using namespace velantor;
using velantor::test::FakeFormView;

namespace {

void fill(FakeFormView& view, std::initializer_list<const char*> controls) {
    for (const char* control : controls)
        view.setText(QString::fromLatin1(control), QStringLiteral("algo"));
}

void expectEmpty(const FakeFormView& view, std::initializer_list<const char*> controls) {
    for (const char* control : controls)
        EXPECT_TRUE(view.text(QString::fromLatin1(control)).isEmpty()) << control;
}

void expectVisible(const FakeFormView& view, std::initializer_list<const char*> controls, bool visible) {
    for (const char* control : controls)
        EXPECT_EQ(view.isVisible(QString::fromLatin1(control)), visible) << control;
}

} // namespace

TEST(OptionRules, PairsKnowTheirPartners) {
    EXPECT_EQ(optionPartner(u"optDiscSi"), u"optDiscNo");
    EXPECT_EQ(optionPartner(u"optDiscNo"), u"optDiscSi");
    EXPECT_EQ(optionPartner(u"OptNo"), u"OptSi");
    EXPECT_EQ(optionPartner(u"optReingesoSi"), u"optReingresoNo");
    EXPECT_EQ(optionPartner(u"optVoluntario"), u"optForzoso");
    EXPECT_TRUE(optionPartner(u"txtNombre").isEmpty());
}

TEST(OptionRules, Disability) {
    FakeFormView view;
    view.setChecked(u"optDiscNo", true);
    expectVisible(view, {"lblTipoDis", "txtTipoDisc", "lblAdap", "txtAdaptaciones"}, false);
    view.setChecked(u"optDiscSi", true);
    EXPECT_FALSE(view.isChecked(u"optDiscNo"));
    expectVisible(view, {"lblTipoDis", "txtTipoDisc", "lblAdap", "txtAdaptaciones"}, true);
    fill(view, {"txtTipoDisc", "txtAdaptaciones"});
    view.setChecked(u"optDiscNo", true);
    expectVisible(view, {"lblTipoDis", "txtTipoDisc", "lblAdap", "txtAdaptaciones"}, false);
    expectEmpty(view, {"txtTipoDisc", "txtAdaptaciones"});
}

TEST(OptionRules, HealthService) {
    FakeFormView view;
    view.setChecked(u"optSSOtros", true);
    EXPECT_TRUE(view.isVisible(u"txtSS"));
    EXPECT_EQ(view.focused(), u"txtSS");
    fill(view, {"txtSS"});
    view.setChecked(u"optSSOndex", true);
    EXPECT_FALSE(view.isVisible(u"txtSS"));
    expectEmpty(view, {"txtSS"});
}

TEST(OptionRules, NoCurrentPostEmptiesThePost) {
    FakeFormView view;
    view.setChecked(u"OptSi", true);
    view.setChecked(u"optDefinitivo", true);
    expectVisible(view, {"Frame7", "Frame3", "fraDefTemp", "txtFecPosesion", "lblPosesion"}, true);
    fill(view,
         {"txtFecPosesion", "txtPuesto", "txtLocalidadPuesto", "txtProvinciaPuesto", "txtSS", "txtNRP"});
    view.setChecked(u"OptNo", true);
    expectVisible(view, {"Frame7", "Frame3", "fraDefTemp", "txtFecPosesion", "lblPosesion"}, false);
    expectEmpty(view, {"txtFecPosesion", "txtPuesto", "txtLocalidadPuesto", "txtProvinciaPuesto", "txtSS"});
    EXPECT_EQ(view.text(u"txtNRP"), u"algo");
    view.setChecked(u"OptSi", true);
    expectVisible(view, {"Frame7", "Frame3", "fraDefTemp", "txtFecPosesion", "lblPosesion"}, true);
}

TEST(OptionRules, ProvisionalPostHasNoDateOfTakingUp) {
    FakeFormView view;
    view.setChecked(u"OptSi", true);
    fill(view, {"txtFecPosesion"});
    view.setChecked(u"optTemporal", true);
    expectVisible(view, {"txtFecPosesion", "lblPosesion"}, false);
    expectEmpty(view, {"txtFecPosesion"});
    // Answering No and then Yes again keeps the date hidden while the post is provisional.
    view.setChecked(u"OptNo", true);
    view.setChecked(u"OptSi", true);
    expectVisible(view, {"Frame7", "fraDefTemp"}, true);
    expectVisible(view, {"txtFecPosesion", "lblPosesion"}, false);
    view.setChecked(u"optDefinitivo", true);
    expectVisible(view, {"txtFecPosesion", "lblPosesion"}, true);
}

TEST(OptionRules, ActivoAfterOtrasClearsTheSituation) {
    FakeFormView view;
    view.setChecked(u"optOtras", true);
    EXPECT_TRUE(view.isEnabled(u"fraReingreso"));
    expectVisible(view, {"cboSituaciones", "txtFechaSit", "lblFechaSit"}, true);
    view.setChecked(u"optReingesoSi", true);
    fill(view, {"txtFechaSit", "txtSitAdm", "cboSituaciones"});

    view.setChecked(u"optActivo", true);
    EXPECT_FALSE(view.isEnabled(u"fraReingreso"));
    EXPECT_TRUE(view.isChecked(u"optReingresoNo"));
    EXPECT_FALSE(view.isChecked(u"optReingesoSi"));
    expectVisible(view, {"lblFechaSit", "txtFechaSit", "txtSitAdm", "cboSituaciones"}, false);
    expectEmpty(view, {"txtFechaSit", "txtSitAdm", "cboSituaciones"});

    view.setChecked(u"optOtras", true);
    EXPECT_TRUE(view.isEnabled(u"fraReingreso"));
    expectVisible(view, {"cboSituaciones", "txtFechaSit", "lblFechaSit"}, true);
    EXPECT_FALSE(view.isVisible(u"txtSitAdm")); // shown only for a situation the user names
}

TEST(OptionRules, SpouseCondition) {
    FakeFormView view;
    view.setChecked(u"optPetConyugeSi", true);
    EXPECT_TRUE(view.isVisible(u"fraDNIConyuge"));
    fill(view, {"txtDNIConyuge", "txtConyuApellido1", "txtCOnyuApellido2", "txtConyuNombre"});
    view.setChecked(u"optPetConyugeNo", true);
    EXPECT_FALSE(view.isVisible(u"fraDNIConyuge"));
    expectEmpty(view, {"txtDNIConyuge", "txtConyuApellido1", "txtCOnyuApellido2", "txtConyuNombre"});
}

TEST(OptionRules, ForzosoDropsTheSpouseConditionForGood) {
    FakeFormView view;
    view.setChecked(u"optVoluntario", true);
    view.setChecked(u"optPetConyugeSi", true);
    fill(view, {"txtDNIConyuge", "txtConyuApellido1", "txtCOnyuApellido2", "txtConyuNombre"});

    view.setChecked(u"optForzoso", true);
    EXPECT_TRUE(view.isChecked(u"optPetConyugeNo"));
    EXPECT_FALSE(view.isChecked(u"optPetConyugeSi"));
    EXPECT_EQ(view.rulesRun(QStringLiteral("optPetConyugeNo")), 1);
    expectEmpty(view, {"txtDNIConyuge", "txtConyuApellido1", "txtCOnyuApellido2", "txtConyuNombre"});
    expectVisible(view, {"fraDNIConyuge", "fraAcopPetConyu"}, false);

    view.setChecked(u"optVoluntario", true);
    expectVisible(view, {"fraDNIConyuge", "fraAcopPetConyu"}, false);
}

TEST(OptionRules, ForzosoEmptiesTheSpouseEvenWhenNoWasAlreadyChosen) {
    // A loaded application may hold spouse names with the condition on No.
    FakeFormView view;
    view.setChecked(u"optPetConyugeNo", true);
    fill(view, {"txtDNIConyuge", "txtConyuApellido1", "txtCOnyuApellido2", "txtConyuNombre"});
    view.setChecked(u"optForzoso", true);
    expectEmpty(view, {"txtDNIConyuge", "txtConyuApellido1", "txtCOnyuApellido2", "txtConyuNombre"});
}

TEST(OptionRules, EitherMemberLeadsToTheSameDecision) {
    FakeFormView view;
    view.setChecked(u"optDiscSi", true);
    applyOptionRule(view, u"optDiscNo"); // the pair says Sí, whichever member is named
    EXPECT_TRUE(view.isVisible(u"txtTipoDisc"));

    FakeFormView untouched;
    applyOptionRule(untouched, u"optPetConyugeNo"); // neither selected: nothing happens
    EXPECT_TRUE(untouched.isVisible(u"fraDNIConyuge"));
}

TEST(SituationList, OtherSituationsAreTypedByTheUser) {
    FakeFormView view;
    view.setComboRows(QStringLiteral("cboSituaciones"),
                      {{QStringLiteral("01"), QStringLiteral("Servicio activo"), QStringLiteral("0")},
                       {QStringLiteral("08"), QStringLiteral("Otra"), QStringLiteral("1")}});
    view.setVisible(u"txtSitAdm", false);
    view.setText(u"txtSitAdm", QStringLiteral("antes"));

    view.setText(u"cboSituaciones", QStringLiteral("08"));
    onSituationChosen(view);
    EXPECT_TRUE(view.isVisible(u"txtSitAdm"));
    EXPECT_TRUE(view.text(u"txtSitAdm").isEmpty());
    EXPECT_EQ(view.focused(), u"txtSitAdm");

    view.setText(u"txtSitAdm", QStringLiteral("Comisión de servicios"));
    view.setText(u"cboSituaciones", QStringLiteral("01"));
    onSituationChosen(view);
    EXPECT_FALSE(view.isVisible(u"txtSitAdm"));
    // The code, so that loading the document finds the same row of the list again.
    EXPECT_EQ(view.text(u"txtSitAdm"), u"01");
}
