#include <gtest/gtest.h>

#include "form/ControlNames.h"
#include "form/Refusal.h"
#include "support/SearchTestForm.h"

// The rules that tie the two position tabs' search lists to their requested lists: the
// locality clause, "Cancelar" and "Insertar Todas", on both tabs.

using namespace velantor;
using namespace velantor::catalogues;
using velantor::test::SearchTestForm;
using velantor::test::codes;

namespace {

// The search lists of one tab, in the order the form shows them, and what the user does
// with them.
struct TabLists {
    SearchTab tab;
    QStringView province, institution, locality, area, zone, code;
};

TabLists listsOf(SearchTab tab) {
    if (tab == SearchTab::Vacantes)
        return {tab,
                ctl::cboProvinciaVacantes,
                ctl::cboConsejeriaVacantes,
                ctl::cboLocalidadVacantes,
                ctl::cboAreasVacantes,
                ctl::cboZonasVacantes,
                ctl::txtCodVacante};
    return {tab,
            ctl::cboProvinciaResultas,
            ctl::cboConsejeriaResultas,
            ctl::cboLocalidadResultas,
            ctl::cboAreasResultas,
            ctl::cboZonasResultas,
            ctl::txtCodResulta};
}

std::string tabName(const ::testing::TestParamInfo<SearchTab>& info) {
    return info.param == SearchTab::Vacantes ? "Vacantes" : "Resultas";
}

class SearchListRules : public ::testing::TestWithParam<SearchTab> {
protected:
    void SetUp() override { ASSERT_TRUE(t.chooseBody(QStringLiteral("00101"))); }

    bool vacancies() const { return GetParam() == SearchTab::Vacantes; }
    TabLists lists() const { return listsOf(GetParam()); }
    RequestedPositionList& requested() { return vacancies() ? t.vacancyList : t.resultasList; }

    // Picks a row in a search list as the user does, by its code.
    void pick(QStringView list, const char* code) {
        t.form.setText(list, QString::fromLatin1(code));
        ASSERT_TRUE(t.form.holdsValidEntry(list)) << code;
        PositionSearch& s = t.search;
        const TabLists l = lists();
        if (list == l.province)
            vacancies() ? s.onVacancyProvince(ListEvent::Chosen) : s.onResultasProvince(ListEvent::Chosen);
        else if (list == l.institution)
            vacancies() ? s.onVacancyInstitution(ListEvent::Chosen)
                        : s.onResultasInstitution(ListEvent::Chosen);
        else if (list == l.locality)
            vacancies() ? s.onVacancyLocalityChanged() : s.onResultasLocality(ListEvent::Chosen);
        else if (list == l.area)
            vacancies() ? s.onVacancyArea(ListEvent::Chosen) : s.onResultasArea(ListEvent::Chosen);
    }
    QList<bool> enabledLists(const SearchTestForm& form) const {
        const TabLists l = lists();
        QList<bool> enabled;
        for (QStringView list : {l.province, l.institution, l.locality, l.area, l.zone})
            enabled << form.form.isEnabled(list);
        return enabled;
    }

    SearchTestForm t;
};

INSTANTIATE_TEST_SUITE_P(BothTabs, SearchListRules,
                         ::testing::Values(SearchTab::Vacantes, SearchTab::Resultas), tabName);

// Two provinces with a locality of the same 3-character code: 24-089 León and 34-089, with
// one position of body 00101 on each tab in 3408900.
class SharedLocalityCode : public SearchListRules {
protected:
    void SetUp() override {
        for (const TablePtr& localities : {t.tables.rsLocalidadesVacantes, t.tables.rsLocalidadesResultas}) {
            localities->addRow();
            localities->setText(u"CodProvincia", QStringLiteral("34"));
            localities->setText(u"CodLocalidad", QStringLiteral("089"));
            localities->setText(u"Localidad", QStringLiteral("Villamuriel"));
            localities->clearFilter();
        }
        const PlazasPorCuerpoEntry& body = t.catalogue.PlazasPorCuerpo.front();
        for (const auto& [table, code] :
             {std::pair{body.Vacantes, "10007"}, std::pair{body.Resultas, "60007"}}) {
            table->addRow();
            table->setText(u"CodConvocatoria", QString::fromLatin1(code));
            table->setText(u"CodConsejeria", QStringLiteral("07"));
            table->setText(u"CodLocalidad", QStringLiteral("3408900"));
            table->setText(u"CodProvincia", QStringLiteral("34"));
            table->setText(u"CodArea", QStringLiteral("03000000"));
            table->clearFilter();
        }
        SearchListRules::SetUp();
    }
};

INSTANTIATE_TEST_SUITE_P(BothTabs, SharedLocalityCode,
                         ::testing::Values(SearchTab::Vacantes, SearchTab::Resultas), tabName);

} // namespace

TEST_P(SharedLocalityCode, ALocalityFindsThePositionsOfItsOwnProvinceOnly) {
    const TabLists l = lists();
    pick(l.province, "24");
    pick(l.locality, "089");
    EXPECT_EQ(t.visibleCodes(GetParam()),
              vacancies() ? codes({"10001", "10002"}) : codes({"60001", "10001"}));

    requested().cancel();
    pick(l.province, "34");
    pick(l.locality, "089");
    EXPECT_EQ(t.visibleCodes(GetParam()), vacancies() ? codes({"10007"}) : codes({"60007"}));
}

TEST_P(SearchListRules, CancelEmptiesEveryListOfTheTabAndOpensThemAsAtTheStart) {
    const TabLists l = lists();
    SearchTestForm fresh;
    fresh.chooseBody(QStringLiteral("00101"));
    const QStringList all = t.visibleCodes(GetParam());
    pick(l.province, "24");
    pick(l.institution, "05");
    pick(l.locality, "202");
    pick(l.area, "02");
    t.type(l.code.toString(), QStringLiteral("10004"));
    t.search.onCodeLeft(GetParam());
    ASSERT_NE(t.search.filter(GetParam()), u"0");

    requested().cancel();
    for (QStringView list : {l.province, l.institution, l.locality, l.area, l.zone, l.code})
        EXPECT_EQ(t.form.text(list), u"") << list.toString().toStdString();
    EXPECT_EQ(t.search.filter(GetParam()), u"0");
    EXPECT_EQ(t.visibleCodes(GetParam()), all);
    for (QStringView list : {l.institution, l.locality, l.area, l.zone})
        EXPECT_EQ(t.offered(list.toString()), fresh.offered(list.toString()))
            << list.toString().toStdString();
    EXPECT_EQ(enabledLists(t), enabledLists(fresh));
}

TEST_P(SearchListRules, InsertAllLocksBodyAndGroupOnceARowIsInserted) {
    // Nothing to insert: the body may still change.
    t.type(lists().code.toString(), QStringLiteral("99999"));
    t.search.onCodeLeft(GetParam());
    t.search.insertAll(GetParam(), requested());
    EXPECT_TRUE(t.form.isEnabled(ctl::cboCuerpo));

    t.type(lists().code.toString(), QString());
    t.search.onCodeLeft(GetParam());
    t.search.insertAll(GetParam(), requested());
    ASSERT_GT(requested().table()->rowCount(), 0);
    EXPECT_FALSE(t.form.isEnabled(ctl::cboCuerpo));
    EXPECT_FALSE(t.form.isEnabled(ctl::cboGrupo));
}

TEST(ResultasInsertAll, ComesBackWheneverTheResultasListIsEmpty) {
    SearchTestForm t;
    t.chooseBody(QStringLiteral("00101"));
    RecordingMessageService answers; // answers Yes
    const Confirm yes = confirmThrough(answers);

    // Used with no position to insert it stays.
    t.form.setText(ctl::txtCodResulta, QStringLiteral("99999"));
    t.search.onCodeLeft(SearchTab::Resultas);
    t.search.insertAll(SearchTab::Resultas, t.resultasList);
    EXPECT_TRUE(t.form.isEnabled(ctl::cmdInsertaTodasResultas));

    t.form.setText(ctl::txtCodResulta, QString());
    t.search.onCodeLeft(SearchTab::Resultas);
    t.search.insertAll(SearchTab::Resultas, t.resultasList);
    const Table& resultas = *t.catalogue.working.resultas;
    ASSERT_EQ(resultas.rowCount(), 4);
    while (resultas.rowCount() > 0) {
        EXPECT_FALSE(t.form.isEnabled(ctl::cmdInsertaTodasResultas)) << resultas.rowCount();
        ASSERT_TRUE(t.resultasList.remove({0}, yes));
    }
    EXPECT_TRUE(t.form.isEnabled(ctl::cmdInsertaTodasResultas));
    // Emptying the vacancy list does not touch it.
    t.search.insertAll(SearchTab::Resultas, t.resultasList);
    t.vacancyList.insertAll(*t.search.positions(SearchTab::Vacantes));
    ASSERT_TRUE(t.vacancyList.remove({0}, yes));
    EXPECT_FALSE(t.form.isEnabled(ctl::cmdInsertaTodasResultas));
}
