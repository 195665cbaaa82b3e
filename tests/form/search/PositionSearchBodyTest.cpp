#include <gtest/gtest.h>

#include "support/SearchTestForm.h"

using namespace velantor;
using namespace velantor::catalogues;
using velantor::test::SearchTestForm;
using velantor::test::codes;

namespace {

class PositionSearchBodyTest : public ::testing::Test {
protected:
    QString text(const char* control) const { return t.form.text(QString::fromLatin1(control)); }

    SearchTestForm t;
};

} // namespace

TEST_F(PositionSearchBodyTest, BodyListNeverOffersGroupXAndKeepsTheCatalogueWhole) {
    EXPECT_EQ(t.offered(QStringLiteral("cboCuerpo")), codes({"00101", "00301", "X0501", "00777"}));
    EXPECT_EQ(t.catalogue.rsCuerpos->rowCount(), 5);
    t.type(QStringLiteral("cboCuerpo"), QStringLiteral("00901"));
    EXPECT_FALSE(t.form.holdsValidEntry(u"cboCuerpo"));
}

TEST_F(PositionSearchBodyTest, BodyFillsAndLocksTheGroupAndChoosesItsPositionTables) {
    int tableChanges = 0;
    t.search.setPositionTablesObserver([&] { ++tableChanges; });
    EXPECT_TRUE(t.chooseBody(QStringLiteral("00101")));
    EXPECT_EQ(text("cboGrupo"), u"A");
    EXPECT_FALSE(t.form.isEnabled(u"cboGrupo"));
    EXPECT_EQ(text("lblCat"), u"Facultativo/a Especialista");
    EXPECT_EQ(tableChanges, 1);
    // The vacancies are sorted by code, the "Resultas" stay in file order.
    EXPECT_EQ(t.visibleCodes(SearchTab::Vacantes),
              codes({"10001", "10002", "10003", "10004", "10005", "10006"}));
    EXPECT_EQ(t.visibleCodes(SearchTab::Resultas), codes({"60003", "60001", "60002", "10001"}));
    EXPECT_EQ(text("lblPlazas"), u"Códigos Localizados: 6");
    EXPECT_EQ(t.form.listTable(u"cboPuestoVacante"), t.catalogue.PlazasPorCuerpo[0].Vacantes);
    EXPECT_EQ(t.form.focusMoves(), 1);
}

TEST_F(PositionSearchBodyTest, BodyOfAnXCodeLeavesTheGroupToTheUser) {
    t.chooseBody(QStringLiteral("00101"));
    EXPECT_TRUE(t.chooseBody(QStringLiteral("X0501")));
    EXPECT_EQ(text("cboGrupo"), u"");
    EXPECT_TRUE(t.form.isEnabled(u"cboGrupo"));
    EXPECT_EQ(t.search.positions(SearchTab::Vacantes), nullptr);
    // The search lists close until a group is chosen (the vacancy province list alone
    // stays open: it opens the others).
    EXPECT_FALSE(t.form.isEnabled(u"cboProvinciaResultas"));
    EXPECT_FALSE(t.form.isEnabled(u"cboLocalidadVacantes"));

    t.type(QStringLiteral("cboGrupo"), QStringLiteral("D"));
    t.search.onGroupChosen();
    EXPECT_EQ(t.visibleCodes(SearchTab::Vacantes), codes({"20001"}));
    EXPECT_EQ(t.visibleCodes(SearchTab::Resultas), codes({"60009"}));
    EXPECT_TRUE(t.form.isEnabled(u"cboProvinciaResultas"));
}

TEST_F(PositionSearchBodyTest, BodyNotInTheListEmptiesThePositionTables) {
    t.chooseBody(QStringLiteral("00101"));
    EXPECT_TRUE(t.chooseBody(QStringLiteral("12345"))); // nothing to say
    EXPECT_EQ(t.search.positions(SearchTab::Vacantes), nullptr);
    EXPECT_EQ(t.search.positions(SearchTab::Resultas), nullptr);
    EXPECT_EQ(text("lblCat"), u"");
}

TEST_F(PositionSearchBodyTest, BodyWithoutPositionTablesWarnsAndKeepsTheCurrentOnes) {
    t.chooseBody(QStringLiteral("00101"));
    const TablePtr before = t.search.positions(SearchTab::Vacantes);
    const BodyResult chosen = t.chooseBody(QStringLiteral("00777"));
    ASSERT_FALSE(chosen);
    EXPECT_EQ(chosen.error().reason, BodyRefusal::BodyWithoutPositions);
    const Message& m = chosen.error().message;
    EXPECT_EQ(m.title, u"Cuerpo no válido");
    EXPECT_EQ(m.text, u"Error en la carga de datos. Debe cerrar el programa y volver a arrancarlo. Guarde la "
                      u"información si desea conservar los cambios.");
    EXPECT_EQ(m.icon, MessageIcon::Warning);
    EXPECT_EQ(t.search.positions(SearchTab::Vacantes), before);
}

TEST_F(PositionSearchBodyTest, RejectedGroupWarnsEmptiesTheTablesAndReturnsTheFocus) {
    t.chooseBody(QStringLiteral("X0501"), QStringLiteral("D"));
    ASSERT_NE(t.search.positions(SearchTab::Vacantes), nullptr);
    int checks = 0;
    t.search.setExistingApplicationCheck([&] {
        ++checks;
        return true;
    });
    const BodyResult chosen = t.search.onGroupChosen();
    EXPECT_EQ(checks, 1);
    ASSERT_FALSE(chosen);
    EXPECT_EQ(chosen.error().reason, BodyRefusal::GroupRejected);
    EXPECT_EQ(chosen.error().message.title, u"Grupo Erróneo");
    EXPECT_EQ(chosen.error().message.text, u"El grupo seleccionado no es válido");
    EXPECT_EQ(chosen.error().message.icon, MessageIcon::Warning);
    EXPECT_EQ(t.search.positions(SearchTab::Vacantes), nullptr);
    EXPECT_EQ(t.search.positions(SearchTab::Resultas), nullptr);
    EXPECT_EQ(t.form.focused(), u"cboGrupo");
}

TEST_F(PositionSearchBodyTest, ExistingApplicationStopsTheBodyChoiceBeforeThePositions) {
    t.search.setExistingApplicationCheck([] { return true; });
    t.chooseBody(QStringLiteral("00101"));
    EXPECT_EQ(t.search.positions(SearchTab::Vacantes), nullptr);
    t.search.setExistingApplicationCheck([] { return false; });
    t.chooseBody(QStringLiteral("00101"));
    EXPECT_NE(t.search.positions(SearchTab::Vacantes), nullptr);
}

TEST_F(PositionSearchBodyTest, LeavingAnIdentifyingListRunsTheCheckAndTellsWhetherAllIsFilledIn) {
    int checks = 0;
    t.search.setExistingApplicationCheck([&] {
        ++checks;
        return false;
    });
    t.chooseBody(QStringLiteral("00101"));
    EXPECT_FALSE(t.search.onIdentifyingListLeft());
    t.type(QStringLiteral("txtDNI"), QStringLiteral("12345678Z"));
    EXPECT_TRUE(t.search.onIdentifyingListLeft());
    EXPECT_EQ(checks, 3);
}

TEST_F(PositionSearchBodyTest, ComingBackToABodyShowsTheSearchTheListsHold) {
    t.chooseBody(QStringLiteral("00101"));
    t.type(QStringLiteral("txtCodVacante"), QStringLiteral("10004"));
    t.search.onCodeLeft(SearchTab::Vacantes);
    t.type(QStringLiteral("txtCodVacante"), QString());
    t.chooseBody(QStringLiteral("00301"));
    t.chooseBody(QStringLiteral("00101"));
    EXPECT_EQ(t.visibleCodes(SearchTab::Vacantes).size(), 6);
}

TEST_F(PositionSearchBodyTest, TypedCodeChoosesThePositionAndMovesToAceptar) {
    t.chooseBody(QStringLiteral("00101"));
    t.type(QStringLiteral("txtCodVacante"), QStringLiteral("10004"));
    t.search.onCodeLeft(SearchTab::Vacantes);
    EXPECT_EQ(text("cboPuestoVacante"), u"10004");
    EXPECT_EQ(t.form.focused(), u"cmdAceptarVacante");
    EXPECT_EQ(text("lblPlazas"), u"Códigos Localizados: 1");

    t.type(QStringLiteral("txtCodResulta"), QStringLiteral("60002"));
    t.search.onCodeLeft(SearchTab::Resultas);
    EXPECT_EQ(text("cboPuestoResultas"), u"60002");
    EXPECT_EQ(t.form.focused(), u"cmdAceptarResultas");
}

TEST_F(PositionSearchBodyTest, TypedCodeThatMatchesNothingEmptiesTheListQuietly) {
    t.chooseBody(QStringLiteral("00101"));
    t.form.setFocus(u"txtCodVacante");
    t.type(QStringLiteral("txtCodVacante"), QStringLiteral("99999"));
    t.search.onCodeLeft(SearchTab::Vacantes);
    EXPECT_TRUE(t.visibleCodes(SearchTab::Vacantes).isEmpty());
    EXPECT_EQ(text("lblPlazas"), u"Códigos Localizados: 0");
    EXPECT_EQ(text("cboPuestoVacante"), u"");
    EXPECT_EQ(t.form.focused(), u"txtCodVacante");
    // Leaving it empty shows the whole list again.
    t.type(QStringLiteral("txtCodVacante"), QString());
    t.search.onCodeLeft(SearchTab::Vacantes);
    EXPECT_EQ(t.visibleCodes(SearchTab::Vacantes).size(), 6);
}
