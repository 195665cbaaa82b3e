#include <gtest/gtest.h>

#include "support/SearchTestForm.h"

using namespace velantor;
using namespace velantor::catalogues;
using velantor::test::SearchTestForm;
using velantor::test::codes;

namespace {

// The "Resultas" tab, the current post and the preference after body 00101 is chosen.
class CascadeResultasTest : public test::SearchAfterBodyTest {
protected:
    QStringList positions() const { return t.visibleCodes(SearchTab::Resultas); }
};

} // namespace

TEST_F(CascadeResultasTest, ProvinceNarrowsItsListsAndTheSharedAreaTable) {
    pick("cboLocalidadResultas", "089");
    pick("cboConsejeriaResultas", "01");
    pick("txtCodResulta", "60001");
    t.tables.rsConsejeriasResultas->setFilter(QStringLiteral("CodArea='01'"));
    pick("cboProvinciaResultas", "34");
    t.search.onResultasProvince(ListEvent::Chosen);

    EXPECT_EQ(offered("cboLocalidadResultas"), codes({"120"}));
    EXPECT_EQ(offered("cboZonasResultas"), codes({"04"}));
    EXPECT_EQ(text("cboLocalidadResultas"), u"");
    EXPECT_EQ(text("cboConsejeriaResultas"), u"");
    EXPECT_EQ(text("txtCodResulta"), u"");
    EXPECT_FALSE(t.tables.rsConsejeriasResultas->hasFilter());
    // rsAreas is the vacancy tab's and the preference's area table: both follow.
    EXPECT_EQ(offered("cboAreasVacantes"), codes({"03"}));
    EXPECT_EQ(offered("cboPrefArea"), codes({"03"}));
    // The "Resultas" area list has its own copy, which the province leaves whole.
    EXPECT_EQ(offered("cboAreasResultas"), codes({"01", "02", "03"}));
    EXPECT_EQ(positions(), codes({"60003"}));
    EXPECT_EQ(t.form.focusMoves(), 2);
}

TEST_F(CascadeResultasTest, LeavingTheProvinceWithoutAValidEntryEmptiesTheSearch) {
    for (const char* list : {"cboAreasResultas", "cboZonasResultas", "cboConsejeriaResultas"})
        pick(list, "01");
    t.tables.rsConsejeriasResultas->setFilter(QStringLiteral("CodArea='01'"));
    pick("cboProvinciaResultas", "77");
    t.search.onResultasProvince(ListEvent::Left);
    for (const char* list :
         {"cboProvinciaResultas", "cboAreasResultas", "cboZonasResultas", "cboConsejeriaResultas"})
        EXPECT_EQ(text(list), u"") << list;
    EXPECT_FALSE(t.tables.rsConsejeriasResultas->hasFilter());
    EXPECT_EQ(positions().size(), 4);
    EXPECT_EQ(t.form.focusMoves(), 1);
}

TEST_F(CascadeResultasTest, LeavingTheProvinceWithAValidEntryNarrowsLikeChoosing) {
    pick("cboConsejeriaResultas", "07");
    pick("cboProvinciaResultas", "24");
    t.search.onResultasProvince(ListEvent::Left);
    EXPECT_EQ(offered("cboLocalidadResultas"), codes({"089", "115", "202"}));
    EXPECT_EQ(offered("cboAreasVacantes"), codes({"01", "02"}));
    EXPECT_EQ(text("cboConsejeriaResultas"), u"07");
}

TEST_F(CascadeResultasTest, AreaNarrowsZonesAndInstitutionsAndEmptiesTheZone) {
    pick("cboZonasResultas", "01");
    pick("cboAreasResultas", "02");
    t.search.onResultasArea(ListEvent::Chosen);
    EXPECT_EQ(text("cboZonasResultas"), u"");
    EXPECT_EQ(offered("cboZonasResultas"), codes({"03"}));
    EXPECT_EQ(offered("cboConsejeriaResultas"), codes({"04", "05"}));
    EXPECT_EQ(t.search.filter(SearchTab::Resultas), u" CodArea='02000000'");

    // Leaving the area with a text that names none empties it and widens both lists.
    pick("cboAreasResultas", "99");
    t.search.onResultasArea(ListEvent::Left);
    EXPECT_EQ(text("cboAreasResultas"), u"");
    EXPECT_EQ(offered("cboZonasResultas").size(), 4);
    EXPECT_EQ(offered("cboConsejeriaResultas").size(), 4);
}

// The lists carry 3-character locality and 2-character area codes, the positions 7- and
// 8-character ones: each choice must still find the positions it names.
TEST_F(CascadeResultasTest, ChosenLocalityOrAreaFindsItsPositions) {
    pick("cboLocalidadResultas", "089");
    t.search.onResultasLocality(ListEvent::Chosen);
    EXPECT_EQ(positions(), codes({"60001", "10001"}));
    pick("cboLocalidadResultas", "202");
    t.search.onResultasLocality(ListEvent::Chosen);
    EXPECT_EQ(positions(), codes({"60002"}));
    pick("cboLocalidadResultas", "");
    t.search.onResultasLocality(ListEvent::Chosen);
    pick("cboAreasResultas", "03");
    t.search.onResultasArea(ListEvent::Chosen);
    EXPECT_EQ(positions(), codes({"60003"}));
    pick("cboAreasResultas", "01");
    t.search.onResultasArea(ListEvent::Chosen);
    EXPECT_EQ(positions(), codes({"60001", "10001"}));
    // Together with the province the locality still names only its own positions.
    pick("cboProvinciaResultas", "24");
    t.search.onResultasProvince(ListEvent::Chosen);
    pick("cboLocalidadResultas", "089");
    t.search.onResultasLocality(ListEvent::Chosen);
    EXPECT_EQ(positions(), codes({"60001", "10001"}));
}

TEST_F(CascadeResultasTest, LocalityClosesTheZoneListUntilItIsEmptiedOrLeftInvalid) {
    pick("cboZonasResultas", "01");
    pick("cboLocalidadResultas", "202");
    t.search.onResultasLocality(ListEvent::Chosen);
    EXPECT_FALSE(t.form.isEnabled(u"cboZonasResultas"));
    EXPECT_EQ(text("cboZonasResultas"), u"");

    pick("cboLocalidadResultas", "2x");
    t.search.onResultasLocality(ListEvent::Left);
    EXPECT_EQ(text("cboLocalidadResultas"), u"");
    EXPECT_TRUE(t.form.isEnabled(u"cboZonasResultas"));
}

TEST_F(CascadeResultasTest, LeavingTheInstitutionWithoutAValidEntryEmptiesIt) {
    pick("cboConsejeriaResultas", "88");
    t.search.onResultasInstitution(ListEvent::Left);
    EXPECT_EQ(text("cboConsejeriaResultas"), u"");
    pick("cboConsejeriaResultas", "05");
    t.search.onResultasInstitution(ListEvent::Chosen);
    EXPECT_EQ(positions(), codes({"60002"}));
}

TEST_F(CascadeResultasTest, CancelEmptiesTheSearchButKeepsTheProvinceTableFilter) {
    pick("cboProvinciaResultas", "24");
    t.search.onResultasProvince(ListEvent::Chosen);
    pick("cboAreasResultas", "01");
    t.search.onResultasArea(ListEvent::Chosen);
    t.tables.rsProvinciasVrk->setFilter(QStringLiteral("CodProvincia<>'09'"));
    t.resultasList.cancel();
    for (const char* list : {"cboProvinciaResultas", "cboAreasResultas", "cboZonasResultas", "txtCodResulta"})
        EXPECT_EQ(text(list), u"") << list;
    for (const TablePtr& table : {t.tables.rsAreasResultas, t.tables.rsZonasResultas,
                                  t.tables.rsLocalidadesResultas, t.tables.rsConsejeriasResultas})
        EXPECT_FALSE(table->hasFilter()) << table->name().toStdString();
    EXPECT_TRUE(t.tables.rsProvinciasVrk->hasFilter());
    EXPECT_EQ(positions().size(), 4);
}

TEST_F(CascadeResultasTest, CurrentPostProvinceNarrowsAreasAndLocalitiesAndEmptiesThem) {
    pick("cboAreaVrk", "01");
    pick("cboLocalidadesVrk", "089");
    pick("cboProvinciasVrk", "34");
    t.search.onCurrentPostProvinceChosen();
    EXPECT_EQ(offered("cboAreaVrk"), codes({"03"}));
    EXPECT_EQ(offered("cboLocalidadesVrk"), codes({"120"}));
    EXPECT_EQ(text("cboAreaVrk"), u"");
    EXPECT_EQ(text("cboLocalidadesVrk"), u"");
}

TEST_F(CascadeResultasTest, CurrentPostAreaNarrowsItsZones) {
    pick("cboZBSVrk", "04");
    pick("cboAreaVrk", "01");
    t.search.onCurrentPostAreaChosen();
    EXPECT_EQ(offered("cboZBSVrk"), codes({"01", "02"}));
    EXPECT_EQ(text("cboZBSVrk"), u"");
}

TEST_F(CascadeResultasTest, PreferenceAreaNarrowsLocalitiesByProvinceAndTheSharedZones) {
    pick("cboPrefLocalidad", "120");
    pick("cboPrefProvincia", "04");
    pick("cboPrefArea", "02");
    t.search.onPreferenceAreaChosen();
    EXPECT_EQ(offered("cboPrefLocalidad"), codes({"089", "115", "202"}));
    EXPECT_EQ(offered("cboPrefProvincia"), codes({"03"}));
    EXPECT_EQ(offered("cboZonasVacantes"), codes({"03"}));
    EXPECT_EQ(text("cboPrefLocalidad"), u"");
    EXPECT_EQ(text("cboPrefProvincia"), u"");
}
