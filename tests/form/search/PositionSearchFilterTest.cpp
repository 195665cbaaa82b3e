#include <gtest/gtest.h>

#include "support/SearchTestForm.h"
#include "form/search/PositionSearchFilter.h"

using namespace velantor;
using namespace velantor::catalogues;
using velantor::test::SearchTestForm;

namespace {

class PositionSearchFilterTest : public ::testing::Test {
protected:
    QString filter(const char* kind) const {
        return FiltroPlazas(t.form, QString::fromLatin1(kind), *t.tables.rsAreas);
    }
    void set(const char* control, const char* text) {
        t.form.setText(QString::fromLatin1(control), QString::fromUtf8(text));
    }

    SearchTestForm t;
};

} // namespace

TEST_F(PositionSearchFilterTest, NoChoiceGivesZeroOnBothTabsAndAnyOtherKind) {
    EXPECT_EQ(filter("V"), u"0");
    EXPECT_EQ(filter("R"), u"0");
    set("cboProvinciaResultas", "24");
    EXPECT_EQ(filter("X"), u"0");
    EXPECT_EQ(filter(""), u"0");
    // The kind is read in upper case.
    EXPECT_EQ(filter("r"), u" CodProvincia='24' ");
}

TEST_F(PositionSearchFilterTest, ResultasClausesWithTheirOwnBlanks) {
    set("cboProvinciaResultas", "24");
    EXPECT_EQ(filter("R"), u" CodProvincia='24' ");
    set("cboProvinciaResultas", "");
    // A chosen locality is the start of the 7-character code: its province, then its own code.
    set("cboLocalidadResultas", "120");
    EXPECT_EQ(filter("R"), u" CodLocalidad like '34120%' ");
    set("cboLocalidadResultas", "");
    set("cboConsejeriaResultas", "05");
    EXPECT_EQ(filter("R"), u" CodConsejeria='05' ");
    set("cboConsejeriaResultas", "");
    set("txtCodResulta", "60001");
    EXPECT_EQ(filter("R"), u" CodConvocatoria='60001' ");
    set("txtCodResulta", "");
    set("cboAreasResultas", "02");
    EXPECT_EQ(filter("R"), u" CodArea='02000000'");
    set("cboAreasResultas", "");
    set("cboZonasResultas", "03");
    EXPECT_EQ(filter("R"), u" CodZona='03' ");
}

TEST_F(PositionSearchFilterTest, ResultasClausesTakeTypedTextsInAFixedOrder) {
    // The "Resultas" tab does not ask whether the texts name rows of the lists.
    set("cboZonasResultas", "99");
    set("cboAreasResultas", "02");
    set("txtCodResulta", "6");
    set("cboConsejeriaResultas", "05");
    set("cboLocalidadResultas", "zz");
    set("cboProvinciaResultas", "24");
    EXPECT_EQ(filter("R"), u" CodProvincia='24'  AND CodLocalidad='zz'  AND CodConsejeria='05'  AND "
                           u"CodConvocatoria='6'  AND CodArea='02000000' AND CodZona='99' ");
}

TEST_F(PositionSearchFilterTest, VacancyLocalityIsTheStartOfTheSevenCharacterCode) {
    // Its province, then its own code, as on the "Resultas" tab.
    set("cboLocalidadVacantes", "089");
    EXPECT_EQ(filter("V"), u" CodLocalidad like '24089%' ");
    // A text that names no locality adds nothing.
    set("cboLocalidadVacantes", "999");
    EXPECT_EQ(filter("V"), u"0");
}

TEST_F(PositionSearchFilterTest, VacancyInstitutionNeedsAValidEntry) {
    set("cboConsejeriaVacantes", "05");
    EXPECT_EQ(filter("V"), u" CodConsejeria='05' ");
    set("cboConsejeriaVacantes", "55");
    EXPECT_EQ(filter("V"), u"0");
}

TEST_F(PositionSearchFilterTest, VacancyCodeIsTakenAsTyped) {
    set("txtCodVacante", "10003");
    EXPECT_EQ(filter("V"), u" CodConvocatoria='10003' ");
}

TEST_F(PositionSearchFilterTest, VacancyAreaIsTheTwoCharacterCodeFollowedBySixZeros) {
    set("cboAreasVacantes", "02");
    EXPECT_EQ(filter("V"), u" CodArea='02000000'");
}

TEST_F(PositionSearchFilterTest, VacancyZoneNeedsAValidEntry) {
    set("cboZonasVacantes", "03");
    EXPECT_EQ(filter("V"), u" CodZona='03' ");
    set("cboZonasVacantes", "77");
    EXPECT_EQ(filter("V"), u"0");
}

TEST_F(PositionSearchFilterTest, VacancyClausesComeInTheirFixedOrder) {
    set("cboZonasVacantes", "03");
    set("cboAreasVacantes", "02");
    set("txtCodVacante", "10006");
    set("cboConsejeriaVacantes", "04");
    set("cboLocalidadVacantes", "115");
    EXPECT_EQ(filter("V"),
              u" CodLocalidad like '24115%'  AND CodConsejeria='04'  AND CodConvocatoria='10006'  AND "
              u"CodArea='02000000' AND CodZona='03' ");
}

TEST_F(PositionSearchFilterTest, ProvinceAloneStandsForTheAreasRsAreasShows) {
    set("cboProvinciaVacantes", "24");
    t.tables.rsAreas->setFilter(QStringLiteral("CodProvincia='24' "));
    EXPECT_EQ(filter("V"), u" (  CodArea='01000000' OR  CodArea='02000000'  ) ");
    t.tables.rsAreas->setFilter(QStringLiteral("CodProvincia='34' "));
    EXPECT_EQ(filter("V"), u" (  CodArea='03000000'  ) ");
}

TEST_F(PositionSearchFilterTest, ProvinceExpansionGivesWayToAnyOtherChoice) {
    set("cboProvinciaVacantes", "24");
    t.tables.rsAreas->setFilter(QStringLiteral("CodProvincia='24' "));
    set("cboLocalidadVacantes", "089");
    EXPECT_EQ(filter("V"), u" CodLocalidad like '24089%' ");
    set("cboLocalidadVacantes", "");
    set("cboAreasVacantes", "01");
    EXPECT_EQ(filter("V"), u" CodArea='01000000'");
    // Even an area text that names no area switches the expansion off.
    set("cboAreasVacantes", "zz");
    EXPECT_EQ(filter("V"), u" CodArea='zz000000'");
}

TEST_F(PositionSearchFilterTest, ProvinceWithoutAreasSelectsNoPosition) {
    set("cboProvinciaVacantes", "09");
    t.tables.rsAreas->setFilter(QStringLiteral("CodProvincia='09' "));
    const QString text = filter("V");
    EXPECT_EQ(text, u" (  ) ");
    Table& positions = *t.catalogue.PlazasPorCuerpo.front().Vacantes;
    aplicarFiltroPlazas(positions, text);
    EXPECT_EQ(positions.rowCount(), 0);
}

TEST_F(PositionSearchFilterTest, ApplyingZeroClearsAndATextFilters) {
    Table& positions = *t.catalogue.PlazasPorCuerpo.front().Vacantes;
    aplicarFiltroPlazas(positions, QStringLiteral(" CodLocalidad like '%089%' "));
    EXPECT_EQ(positions.rowCount(), 2);
    aplicarFiltroPlazas(positions, QStringLiteral("0"));
    EXPECT_EQ(positions.rowCount(), 6);
    EXPECT_FALSE(positions.hasFilter());
}

TEST_F(PositionSearchFilterTest, AQuoteTypedIntoASearchListFindsNothingInsteadOfFailing) {
    set("cboAreasVacantes", "0'1");
    Table& positions = *t.catalogue.PlazasPorCuerpo.front().Vacantes;
    aplicarFiltroPlazas(positions, filter("V"));
    EXPECT_EQ(positions.rowCount(), 0);
}
