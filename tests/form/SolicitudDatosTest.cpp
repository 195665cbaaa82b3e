#include <gtest/gtest.h>

#include "form/FormControl.h"
#include "form/SolicitudDatos.h"
#include "support/FakeFormView.h"

using namespace velantor;
using velantor::test::FakeFormView;

namespace {

// Options of a consistent application whose rules empty nothing: every "yes" member.
const QStringList kSelected{QStringLiteral("optDiscSi"),       QStringLiteral("optSSOtros"),
                            QStringLiteral("optDefinitivo"),   QStringLiteral("optOtras"),
                            QStringLiteral("optVoluntario"),   QStringLiteral("optReingesoSi"),
                            QStringLiteral("optPetConyugeSi"), QStringLiteral("OptSi")};

void offerLists(FakeFormView& view) {
    view.setComboRows(QStringLiteral("cboCuerpo"),
                      {{QStringLiteral("A1001"), QStringLiteral("Enfermería"), QStringLiteral(" A2 ")}});
    view.setComboRows(QStringLiteral("cboSituaciones"),
                      {{QStringLiteral("01"), QStringLiteral("Servicio activo"), QStringLiteral("0")},
                       {QStringLiteral("08"), QStringLiteral("Otra"), QStringLiteral("1")}});
}

// A window holding a whole application: each text control holds its own name.
FakeFormView filledView() {
    FakeFormView view;
    offerLists(view);
    for (const auto* list : {&formControls(), &untaggedDataControls()})
        for (const FormControl& control : *list)
            if (control.kind != ControlKind::Option)
                view.setText(control.name, QStringLiteral("valor de ") + control.name);
    view.setText(u"cboCuerpo", QStringLiteral("A1001"));
    view.setText(u"cboSituaciones", QStringLiteral("08"));
    view.setText(u"SSOleDBCombo1", QString());
    for (const QString& option : kSelected)
        view.setChecked(option, true);
    return view;
}

} // namespace

TEST(SolicitudDatos, ReadsEveryDataControlAndTheChosenRows) {
    const FakeFormView view = filledView();
    SolicitudDatos datos;
    datos.readFrom(view);
    EXPECT_EQ(datos.text(u"txtNombre"), u"valor de txtNombre");
    EXPECT_EQ(datos.text(u"txtCOnyuApellido2"), u"valor de txtCOnyuApellido2");
    EXPECT_EQ(datos.text(u"cboSituaciones"), u"08");
    EXPECT_TRUE(datos.option(u"OptSi"));
    EXPECT_FALSE(datos.option(u"OptNo"));
    EXPECT_TRUE(datos.option(u"optPetConyugeSi"));
    EXPECT_EQ(datos.bodyGroup, u"A2");
    EXPECT_EQ(datos.situationName, u"Otra");
    EXPECT_EQ(datos.situationEsOtras, u"1");
    EXPECT_EQ(datos.fieldValue(*findFormControl(u"optDiscSi")), u"1");
    EXPECT_EQ(datos.fieldValue(*findFormControl(u"optDiscNo")), u"0");
    EXPECT_EQ(datos.valueByTag(u"SEACOMPAÑAPETICIONSI"), u"1");
}

TEST(SolicitudDatos, CurrentPostZoneComesFromItsOwnList) {
    // The unbound zone list carries the same tag and stays empty; it must not win.
    FakeFormView view = filledView();
    view.setText(u"cboZBSVrk", QStringLiteral("Z0101"));
    SolicitudDatos datos;
    datos.readFrom(view);
    EXPECT_TRUE(datos.text(u"SSOleDBCombo1").isEmpty());
    EXPECT_EQ(datos.valueByTag(u"ZBSVrk"), u"Z0101");
}

TEST(SolicitudDatos, RoundTripThroughAFreshWindow) {
    SolicitudDatos datos;
    datos.readFrom(filledView());

    FakeFormView fresh;
    offerLists(fresh);
    datos.writeTo(fresh);
    for (const auto* list : {&formControls(), &untaggedDataControls()}) {
        for (const FormControl& control : *list) {
            if (control.kind == ControlKind::Option)
                EXPECT_EQ(fresh.isChecked(control.name), datos.option(control.name))
                    << control.name.toStdString();
            else
                EXPECT_EQ(fresh.text(control.name), datos.text(control.name)) << control.name.toStdString();
        }
    }
    // The rules ran: dependent controls are shown as for a user who made these choices.
    EXPECT_TRUE(fresh.isVisible(u"fraDNIConyuge"));
    EXPECT_TRUE(fresh.isVisible(u"txtSS"));
    EXPECT_TRUE(fresh.isVisible(u"txtSitAdm")); // the situation is one the user names
    EXPECT_EQ(fresh.rulesRun(QStringLiteral("optDiscSi")), 1);

    SolicitudDatos again;
    again.readFrom(fresh);
    for (const FormControl& control : formControls())
        EXPECT_EQ(again.fieldValue(control), datos.fieldValue(control)) << control.name.toStdString();
}

TEST(SolicitudDatos, WritingRunsRulesOfOptionsAlreadySelected) {
    SolicitudDatos datos;
    datos.setOption(QStringLiteral("OptNo"), true);
    datos.setText(QStringLiteral("txtPuesto"), QStringLiteral("Hospital"));
    datos.setOption(QStringLiteral("optActivo"), true);
    datos.setText(QStringLiteral("cboSituaciones"), QStringLiteral("01"));

    FakeFormView view;
    offerLists(view);
    view.setChecked(u"OptNo", true);
    view.setVisible(u"Frame3", true);
    datos.writeTo(view);
    EXPECT_FALSE(view.isVisible(u"Frame3"));
    // "No current post" empties the post: an inconsistent entry does not reach the form.
    EXPECT_TRUE(view.text(u"txtPuesto").isEmpty());
    EXPECT_EQ(view.text(u"cboSituaciones"), u"01");
    EXPECT_FALSE(view.isVisible(u"txtSitAdm"));
}
