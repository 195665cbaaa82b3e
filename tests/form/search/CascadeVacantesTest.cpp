#include <gtest/gtest.h>

#include "support/SearchTestForm.h"
#include "form/search/CascadeVacantes.h"

using namespace velantor;
using namespace velantor::catalogues;
using velantor::test::SearchTestForm;
using velantor::test::codes;

namespace {

// The vacancy tab after body 00101 (group A) has been chosen.
class CascadeVacantesTest : public test::SearchAfterBodyTest {
protected:
    QStringList positions() const { return t.visibleCodes(SearchTab::Vacantes); }

    void chooseProvince(const char* code) {
        pick("cboProvinciaVacantes", code);
        t.search.onVacancyProvince(ListEvent::Chosen);
    }
};

} // namespace

TEST_F(CascadeVacantesTest, UntilAProvinceIsChosenOnlyTheProvinceListIsOpen) {
    EXPECT_TRUE(enabled("cboProvinciaVacantes"));
    for (const char* list :
         {"cboConsejeriaVacantes", "cboLocalidadVacantes", "cboAreasVacantes", "cboZonasVacantes"})
        EXPECT_FALSE(enabled(list)) << list;
    chooseProvince("24");
    EXPECT_FALSE(enabled("cboProvinciaVacantes"));
    for (const char* list :
         {"cboConsejeriaVacantes", "cboLocalidadVacantes", "cboAreasVacantes", "cboZonasVacantes"})
        EXPECT_TRUE(enabled(list)) << list;
}

TEST_F(CascadeVacantesTest, ProvinceNarrowsLocalitiesAreasZonesInstitutionsAndPositions) {
    pick("txtCodVacante", "10005");
    chooseProvince("24");
    EXPECT_EQ(offered("cboLocalidadVacantes"), codes({"089", "115", "202"}));
    EXPECT_EQ(offered("cboAreasVacantes"), codes({"01", "02"}));
    EXPECT_EQ(offered("cboZonasVacantes"), codes({"01", "02", "03"}));
    EXPECT_EQ(offered("cboConsejeriaVacantes"), codes({"01", "04", "05"}));
    // Picking a row empties the typed code, so the province alone selects by its areas.
    EXPECT_EQ(text("txtCodVacante"), u"");
    EXPECT_EQ(positions(), codes({"10001", "10002", "10003", "10004", "10006"}));
    EXPECT_EQ(text("lblPlazas"), u"Códigos Localizados: 5");
    EXPECT_EQ(t.form.focusMoves(), 2); // once after the body, once after the province

    chooseProvince("34");
    EXPECT_EQ(offered("cboLocalidadVacantes"), codes({"120"}));
    EXPECT_EQ(positions(), codes({"10005"}));
}

TEST_F(CascadeVacantesTest, ProvinceWithoutAreasShowsNoPosition) {
    chooseProvince("09");
    EXPECT_TRUE(offered("cboAreasVacantes").isEmpty());
    EXPECT_TRUE(positions().isEmpty());
    EXPECT_EQ(text("lblPlazas"), u"Códigos Localizados: 0");
}

TEST_F(CascadeVacantesTest, LocalityClosesTheZoneListAndEmptyingItOpensItAgain) {
    chooseProvince("24");
    pick("cboZonasVacantes", "01");
    pick("cboLocalidadVacantes", "089");
    t.search.onVacancyLocalityChanged();
    EXPECT_FALSE(enabled("cboZonasVacantes"));
    EXPECT_EQ(text("cboZonasVacantes"), u"");
    // The list that changed keeps its rows; the areas follow the province.
    EXPECT_EQ(offered("cboLocalidadVacantes"), codes({"089", "115", "202"}));
    EXPECT_EQ(positions(), codes({"10001", "10002"}));

    pick("cboLocalidadVacantes", "");
    t.search.onVacancyLocalityChanged();
    EXPECT_TRUE(enabled("cboZonasVacantes"));
    EXPECT_EQ(positions(), codes({"10001", "10002", "10003", "10004", "10006"}));
}

TEST_F(CascadeVacantesTest, ZoneClosesTheLocalityListAndEmptyingItOpensItAgain) {
    chooseProvince("24");
    pick("cboZonasVacantes", "03");
    t.search.onVacancyZoneChanged();
    EXPECT_FALSE(enabled("cboLocalidadVacantes"));
    EXPECT_EQ(positions(), codes({"10006"}));

    pick("cboZonasVacantes", "");
    t.search.onVacancyZoneChanged();
    EXPECT_TRUE(enabled("cboLocalidadVacantes"));
}

// The window applies the activation rule whenever it becomes active again (a closing
// drop-down can cause it), and every accepted entry unlocks the lists: neither may open the
// list the locality or the zone has closed, nor the locked province list.
TEST_F(CascadeVacantesTest, ActivationAndAnAcceptedEntryKeepTheLocalityAndZoneExclusion) {
    chooseProvince("24");
    pick("cboLocalidadVacantes", "089");
    t.search.onVacancyLocalityChanged();
    t.search.applyActivationRule();
    EXPECT_FALSE(enabled("cboZonasVacantes"));
    EXPECT_FALSE(enabled("cboProvinciaVacantes"));
    pick("cboPuestoVacante", "10001");
    ASSERT_TRUE(t.vacancyList.accept());
    EXPECT_FALSE(enabled("cboZonasVacantes"));
    EXPECT_FALSE(enabled("cboProvinciaVacantes"));
    EXPECT_TRUE(enabled("cboLocalidadVacantes"));

    pick("cboLocalidadVacantes", "");
    t.search.onVacancyLocalityChanged();
    pick("cboZonasVacantes", "03");
    t.search.onVacancyZoneChanged();
    t.search.applyActivationRule();
    EXPECT_FALSE(enabled("cboLocalidadVacantes"));
    EXPECT_TRUE(enabled("cboZonasVacantes"));
}

TEST_F(CascadeVacantesTest, ATextThatNamesNoLocalityChangesNothing) {
    chooseProvince("24");
    pick("txtCodVacante", "10003");
    pick("cboLocalidadVacantes", "08");
    t.search.onVacancyLocalityChanged();
    EXPECT_EQ(text("txtCodVacante"), u"10003");
    EXPECT_TRUE(enabled("cboZonasVacantes"));
}

TEST_F(CascadeVacantesTest, LocalityWithoutProvinceNarrowsTheAreasToItsProvince) {
    // The province rule opens the lists; then a locality is chosen with no province.
    t.search.setSearchListsEnabled(true);
    t.form.setEnabled(u"cboLocalidadVacantes", true);
    pick("cboLocalidadVacantes", "120");
    t.search.onVacancyLocalityChanged();
    EXPECT_EQ(offered("cboAreasVacantes"), codes({"03"}));
    EXPECT_EQ(positions(), codes({"10005"}));
}

TEST_F(CascadeVacantesTest, AreaNarrowsZonesAndInstitutions) {
    chooseProvince("24");
    pick("cboZonasVacantes", "01");
    pick("cboAreasVacantes", "02");
    t.search.onVacancyArea(ListEvent::Chosen);
    EXPECT_EQ(offered("cboZonasVacantes"), codes({"03"}));
    EXPECT_EQ(offered("cboConsejeriaVacantes"), codes({"04", "05"}));
    EXPECT_EQ(t.tables.rsZonas->filter(), u"CodProvincia='24'  AND CodArea='02' ");
    EXPECT_EQ(t.tables.rsConsejeriasVacantes->filter(), u"CodProvincia='24'  and CodArea='02' ");
    // Zone 01 is no longer offered, so only the area selects.
    EXPECT_EQ(positions(), codes({"10003", "10004", "10006"}));
}

TEST_F(CascadeVacantesTest, InstitutionNarrowsZonesToItsAreaAndLocalitiesToThoseItServes) {
    chooseProvince("24");
    pick("cboConsejeriaVacantes", "05");
    t.search.onVacancyInstitution(ListEvent::Chosen);
    EXPECT_EQ(offered("cboZonasVacantes"), codes({"03"}));
    EXPECT_EQ(offered("cboLocalidadVacantes"), codes({"115", "202"}));
    EXPECT_EQ(positions(), codes({"10004"}));

    pick("cboConsejeriaVacantes", "01");
    t.search.onVacancyInstitution(ListEvent::Chosen);
    EXPECT_EQ(offered("cboZonasVacantes"), codes({"01", "02"}));
    EXPECT_EQ(offered("cboLocalidadVacantes"), codes({"089"}));
    EXPECT_EQ(t.tables.rsInstitucionLocalidad->hasFilter(), false);
}

TEST_F(CascadeVacantesTest, ClearsTheFiltersItDoesNotSetAgain) {
    chooseProvince("24");
    t.tables.rsProvinciasVrk->setFilter(QStringLiteral("CodProvincia='24'"));
    pick("cboProvinciaVacantes", "");
    CascadaVacantes(t.form, t.tables, u"");
    EXPECT_FALSE(t.tables.rsProvinciasVrk->hasFilter());
    EXPECT_FALSE(t.tables.rsAreas->hasFilter());
    EXPECT_FALSE(t.tables.rsZonas->hasFilter());
    EXPECT_FALSE(t.tables.rsLocalidadesVacantes->hasFilter());
    EXPECT_FALSE(t.tables.rsConsejeriasVacantes->hasFilter());
}

TEST_F(CascadeVacantesTest, CancelEmptiesTheSearchAndShowsEveryPositionAgain) {
    chooseProvince("24");
    pick("cboAreasVacantes", "01");
    t.search.onVacancyArea(ListEvent::Chosen);
    pick("cboZonasVacantes", "02");
    t.search.onVacancyZoneChanged();
    pick("txtCodVacante", "10002");
    t.vacancyList.cancel();
    for (const char* control :
         {"cboProvinciaVacantes", "cboAreasVacantes", "cboZonasVacantes", "txtCodVacante"})
        EXPECT_EQ(text(control), u"") << control;
    // As at the start of a search: the province list open, the lists it narrows closed
    // until a province is chosen (then the zone list opens again).
    EXPECT_FALSE(enabled("cboZonasVacantes"));
    EXPECT_TRUE(enabled("cboProvinciaVacantes")) << "another province can be chosen";
    EXPECT_EQ(offered("cboAreasVacantes"), codes({"01", "02", "03"}));
    EXPECT_EQ(positions().size(), 6);
    EXPECT_EQ(text("lblPlazas"), u"Códigos Localizados: 6");
}
