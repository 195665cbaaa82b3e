#include <set>
#include <tuple>

#include <gtest/gtest.h>

#include "support/SearchTestForm.h"
#include "catalogues/CatalogueTables.h"
#include "form/RequestedPositionList.h"

using namespace velantor;
using namespace velantor::catalogues;
using velantor::test::SearchTestForm;
using velantor::test::codes;

namespace {

// The vacancy list of body 00101 (vacancies 10001..10006).
class RequestedPositionListTest : public ::testing::Test {
protected:
    void SetUp() override { t.chooseBody(QStringLiteral("00101")); }

    Table& vacantes() { return *t.catalogue.working.vacantes; }
    RequestedPositionList& list() { return t.vacancyList; }

    // Picks a position in the position list, types an order ("" for none) and accepts.
    RequestedPositionList::AcceptResult request(RequestedPositionList& editor, const char* code,
                                                const char* order = "") {
        t.type(editor.positionList(), QString::fromLatin1(code));
        t.type(editor.orderField(), QString::fromLatin1(order));
        return editor.accept();
    }
    void requestFive() {
        for (const char* code : {"10001", "10002", "10003", "10004", "10005"})
            ASSERT_TRUE(request(list(), code));
    }

    // The codes of a list in its row order, checking on the way that the list holds each
    // code once, carries the orders 1..n and is sorted by them.
    static QStringList rows(const Table& table) {
        QStringList result;
        std::set<QString> seen;
        const int code = table.requireField(u"CodConvocatoria");
        const int order = table.requireField(u"Orden");
        for (int row = 0; row < table.rowCount(); ++row) {
            EXPECT_EQ(table.numberAt(row, order), row + 1) << "row " << row;
            EXPECT_TRUE(seen.insert(table.textAt(row, code)).second)
                << "repeated " << table.textAt(row, code).toStdString();
            result << table.textAt(row, code);
        }
        return result;
    }
    static qint64 idOf(const Table& table, const QString& code) {
        const int row = table.findEqual(table.requireField(u"CodConvocatoria"), code);
        return row < 0 ? -1 : table.numberAt(row, table.requireField(u"IdSolicitud"));
    }
    void modify(int row, const char* newOrder) {
        list().modify({row});
        t.type(list().orderField(), QString::fromLatin1(newOrder));
    }

    SearchTestForm t;
};

} // namespace

TEST_F(RequestedPositionListTest, FirstRowGetsIdZeroOrderOneAndItsNamesLookedUp) {
    t.type(QStringLiteral("cboPuestoVacante"), QStringLiteral("10002"));
    list().onAcceptFocused();
    EXPECT_EQ(t.form.text(u"txtCodVacante"), u"10002");
    ASSERT_TRUE(list().accept());
    ASSERT_EQ(vacantes().rowCount(), 1);
    const auto field = [&](const char* name) {
        return vacantes().textAt(0, vacantes().requireField(QString::fromLatin1(name)));
    };
    EXPECT_EQ(field("IdSolicitud"), u"0");
    EXPECT_EQ(field("Orden"), u"1");
    EXPECT_EQ(field("CodConvocatoria"), u"10002");
    EXPECT_EQ(field("NomConvocatoria"), u"Facultativo/a de atención primaria");
    EXPECT_EQ(field("Consejeria"), u"Institución 01");
    EXPECT_EQ(field("Localidad"), u"Localidad 2408900");
    EXPECT_EQ(field("CodArea"), u"01000000");
    EXPECT_EQ(field("CodZona"), u"01");
    EXPECT_EQ(field("Area"), u"Área de León");
    EXPECT_EQ(field("Zona"), u"León I");
    // The body and group are locked; the entry panel is fresh again.
    EXPECT_FALSE(t.form.isEnabled(u"cboCuerpo"));
    EXPECT_FALSE(t.form.isEnabled(u"cboGrupo"));
    EXPECT_EQ(t.form.text(u"cboPuestoVacante"), u"");
    EXPECT_EQ(t.form.text(u"txtCodVacante"), u"");
    EXPECT_EQ(t.form.focused(), u"cboPuestoVacante");
}

TEST_F(RequestedPositionListTest, PositionWithoutZoneLeavesTheZoneNameEmpty) {
    ASSERT_TRUE(request(list(), "10001"));
    EXPECT_EQ(vacantes().textAt(0, vacantes().requireField(u"Zona")), u"");
    EXPECT_EQ(vacantes().textAt(0, vacantes().requireField(u"Area")), u"Área de León");
}

TEST_F(RequestedPositionListTest, AppendingWithNoOrderOrOneBeyondTheEnd) {
    requestFive();
    EXPECT_EQ(rows(vacantes()), codes({"10001", "10002", "10003", "10004", "10005"}));
    ASSERT_TRUE(request(list(), "10006", "9"));
    EXPECT_EQ(rows(vacantes()), codes({"10001", "10002", "10003", "10004", "10005", "10006"}));
    EXPECT_EQ(idOf(vacantes(), QStringLiteral("10006")), 5);
}

TEST_F(RequestedPositionListTest, InsertingAtThreeMovesTheRowsFromThreeDown) {
    requestFive();
    ASSERT_TRUE(request(list(), "10006", "3"));
    EXPECT_EQ(rows(vacantes()), codes({"10001", "10002", "10006", "10003", "10004", "10005"}));
}

TEST_F(RequestedPositionListTest, InsertingBeforeTheFirstPutsTheRowFirst) {
    requestFive();
    ASSERT_TRUE(request(list(), "10006", "0"));
    EXPECT_EQ(rows(vacantes()).front(), u"10006");
    EXPECT_EQ(rows(vacantes()).size(), 6);
}

TEST_F(RequestedPositionListTest, MovingDownAndUpRenumbersTheRowsBetween) {
    requestFive();
    modify(1, "4"); // 10002 from 2 to 4
    EXPECT_EQ(list().mode(), RequestedPositionList::Modifying);
    ASSERT_TRUE(list().accept());
    EXPECT_EQ(rows(vacantes()), codes({"10001", "10003", "10004", "10002", "10005"}));

    modify(3, "2"); // 10002 back from 4 to 2
    ASSERT_TRUE(list().accept());
    EXPECT_EQ(rows(vacantes()), codes({"10001", "10002", "10003", "10004", "10005"}));
    EXPECT_EQ(list().mode(), RequestedPositionList::Adding);
    // Identifiers never change.
    EXPECT_EQ(idOf(vacantes(), QStringLiteral("10002")), 1);
}

TEST_F(RequestedPositionListTest, MovingBeyondTheEndMovesToTheLastPlace) {
    requestFive();
    modify(1, "8");
    ASSERT_TRUE(list().accept());
    EXPECT_EQ(rows(vacantes()), codes({"10001", "10003", "10004", "10005", "10002"}));
}

TEST_F(RequestedPositionListTest, ModifyLoadsTheRowAndLocksTheSearch) {
    requestFive();
    list().modify({2});
    EXPECT_EQ(t.form.text(u"txtOrdenVacante"), u"3");
    EXPECT_EQ(t.form.text(u"txtIdSolicitudVacantes"), u"2");
    EXPECT_EQ(t.form.text(u"txtCodVacante"), u"10003");
    EXPECT_EQ(t.form.text(u"cboPuestoVacante"), u"10003");
    EXPECT_EQ(t.form.text(u"txtDescVacantes"), u"Facultativo/a de cardiología");
    EXPECT_TRUE(t.form.isVisible(u"txtDescVacantes"));
    EXPECT_FALSE(t.form.isVisible(u"lblPlazas"));
    for (const char* control : {"cboProvinciaVacantes", "cboConsejeriaVacantes", "cboLocalidadVacantes",
                                "cboPuestoVacante", "txtCodVacante", "txtDescVacantes"})
        EXPECT_FALSE(t.form.isEnabled(QString::fromLatin1(control))) << control;
    EXPECT_EQ(t.form.focused(), u"txtOrdenVacante");

    // Nothing or several rows selected: nothing happens.
    list().cancel();
    list().modify({});
    list().modify({0, 1});
    EXPECT_EQ(list().mode(), RequestedPositionList::Adding);
}

TEST_F(RequestedPositionListTest, MovingWithoutAnOrderWarnsAndStaysModifying) {
    requestFive();
    modify(1, "");
    const auto accepted = list().accept();
    ASSERT_FALSE(accepted);
    EXPECT_EQ(accepted.error().reason, RequestedPositionList::Refused::NoOrder);
    EXPECT_EQ(accepted.error().message.text, u"Debe asignar un orden a esta plaza");
    EXPECT_EQ(accepted.error().message.title, u"Error");
    EXPECT_EQ(accepted.error().message.icon, MessageIcon::Warning);
    EXPECT_EQ(list().mode(), RequestedPositionList::Modifying);
    EXPECT_EQ(rows(vacantes()), codes({"10001", "10002", "10003", "10004", "10005"}));
}

TEST_F(RequestedPositionListTest, AddingAfterModifyStartsANewRow) {
    requestFive();
    modify(1, "4");
    list().add();
    EXPECT_EQ(list().mode(), RequestedPositionList::Adding);
    EXPECT_EQ(t.form.text(u"txtOrdenVacante"), u"");
    EXPECT_TRUE(t.form.isEnabled(u"cboPuestoVacante"));
    EXPECT_EQ(t.form.focused(), u"txtOrdenVacante");
    ASSERT_TRUE(request(list(), "10006", "2"));
    EXPECT_EQ(rows(vacantes()), codes({"10001", "10006", "10002", "10003", "10004", "10005"}));
}

TEST_F(RequestedPositionListTest, DeletingRenumbersAndKeepsTheRelativeOrder) {
    requestFive();
    t.messages.enqueue(MessageAnswer::Yes);
    EXPECT_TRUE(list().remove({1}, confirmThrough(t.messages)));
    EXPECT_EQ(t.messages.last().text, u"¿Desea borrar la fila seleccionada?");
    EXPECT_EQ(t.messages.last().title, u"Solicitudes");
    EXPECT_EQ(t.messages.last().buttons, MessageButtons::YesNo);
    EXPECT_EQ(rows(vacantes()), codes({"10001", "10003", "10004", "10005"}));
    EXPECT_TRUE(t.form.isVisible(u"grdVacantes"));

    t.messages.enqueue(MessageAnswer::No);
    EXPECT_FALSE(list().remove({0}, confirmThrough(t.messages)));
    EXPECT_EQ(vacantes().rowCount(), 4);
    // Several rows selected: no question, the panel is reset all the same.
    const auto asked = t.messages.messages().size();
    t.type(QStringLiteral("txtOrdenVacante"), QStringLiteral("3"));
    EXPECT_FALSE(list().remove({0, 1}, confirmThrough(t.messages)));
    EXPECT_EQ(t.messages.messages().size(), asked);
    EXPECT_EQ(t.form.text(u"txtOrdenVacante"), u"");
    // The largest identifier was 4; the next row gets 5.
    ASSERT_TRUE(request(list(), "10002"));
    EXPECT_EQ(idOf(vacantes(), QStringLiteral("10002")), 5);
}

TEST_F(RequestedPositionListTest, BodyListOpensAgainOnlyWhenBothListsAreEmpty) {
    ASSERT_TRUE(request(list(), "10001"));
    ASSERT_TRUE(request(t.resultasList, "60001"));
    t.messages.enqueue(MessageAnswer::Yes);
    ASSERT_TRUE(list().remove({0}, confirmThrough(t.messages)));
    EXPECT_FALSE(t.form.isEnabled(u"cboCuerpo"));
    t.messages.enqueue(MessageAnswer::Yes);
    ASSERT_TRUE(t.resultasList.remove({0}, confirmThrough(t.messages)));
    EXPECT_TRUE(t.form.isEnabled(u"cboCuerpo"));
    EXPECT_FALSE(t.form.isEnabled(u"cboGrupo"));
}

TEST_F(RequestedPositionListTest, APositionStandsOnceInAListButMayStandInBoth) {
    ASSERT_TRUE(request(list(), "10001", "1"));
    t.type(QStringLiteral("txtOrdenVacante"), QStringLiteral("1"));
    const auto again = request(list(), "10001", "1");
    ASSERT_FALSE(again);
    EXPECT_EQ(again.error().reason, RequestedPositionList::Refused::AlreadyRequested);
    EXPECT_EQ(again.error().message.text, u"Este puesto ya ha sido agregado a la solicitud");
    EXPECT_EQ(again.error().message.title, u"Solicitud Vacantes");
    EXPECT_EQ(t.form.text(u"txtOrdenVacante"), u""); // the panel was reset
    EXPECT_EQ(rows(vacantes()), codes({"10001"}));

    EXPECT_TRUE(request(t.resultasList, "10001"));
    EXPECT_EQ(rows(*t.catalogue.working.resultas), codes({"10001"}));
    const auto twice = request(t.resultasList, "10001");
    ASSERT_FALSE(twice);
    EXPECT_EQ(twice.error().message.title, u"Solicitud Resultas");
}

TEST_F(RequestedPositionListTest, PositionTheListDoesNotOfferIsRefusedAndTheEntryKept) {
    t.type(QStringLiteral("txtCodVacante"), QStringLiteral("10004"));
    t.search.onCodeLeft(SearchTab::Vacantes); // the list now offers 10004 only
    const auto refused = request(list(), "10001", "2");
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().reason, RequestedPositionList::Refused::InvalidPosition);
    EXPECT_EQ(refused.error().message.text, u"El puesto elegido no es válido");
    EXPECT_EQ(refused.error().message.title, u"Solicitud Vacantes");
    EXPECT_EQ(t.form.text(u"txtOrdenVacante"), u"2");
    EXPECT_EQ(vacantes().rowCount(), 0);
    EXPECT_TRUE(t.form.isEnabled(u"cboCuerpo"));
}

TEST_F(RequestedPositionListTest, InsertAllSkipsRequestedCodesAndContinuesOrdersAndIds) {
    // A list holding the orders 1..3 with identifiers up to 7.
    Table& v = vacantes();
    const std::initializer_list<std::tuple<int, int, const char*>> existing = {
        {0, 1, "99991"}, {7, 2, "10003"}, {2, 3, "99992"}};
    for (const auto& [id, order, code] : existing) {
        v.addRow();
        v.setNumber(u"IdSolicitud", id);
        v.setNumber(u"Orden", order);
        v.setText(u"CodConvocatoria", QString::fromLatin1(code));
    }
    // Five candidates, 10003 among them.
    t.type(QStringLiteral("cboProvinciaVacantes"), QStringLiteral("24"));
    t.search.onVacancyProvince(ListEvent::Chosen);
    ASSERT_EQ(t.visibleCodes(SearchTab::Vacantes), codes({"10001", "10002", "10003", "10004", "10006"}));
    int repaints = 0;
    list().setRepaint([&] { ++repaints; });
    t.search.insertAll(SearchTab::Vacantes, list());
    EXPECT_EQ(rows(v), codes({"99991", "10003", "99992", "10001", "10002", "10004", "10006"}));
    EXPECT_EQ(idOf(v, QStringLiteral("10001")), 8);
    EXPECT_EQ(idOf(v, QStringLiteral("10006")), 11);
    EXPECT_EQ(v.textAt(6, v.requireField(u"Area")), u"Área de Ponferrada");
    EXPECT_EQ(v.textAt(6, v.requireField(u"Zona")), u"Ponferrada I");
    EXPECT_GE(repaints, 1);
    // The body and group are locked as by "Aceptar"; the vacancy button stays.
    EXPECT_FALSE(t.form.isEnabled(u"cboCuerpo"));
    EXPECT_FALSE(t.form.isEnabled(u"cboGrupo"));
    EXPECT_TRUE(t.form.isEnabled(u"cmdTodasVacantes"));
    // A second run finds everything requested.
    EXPECT_EQ(list().insertAll(*t.search.positions(SearchTab::Vacantes)), 0);
}

TEST_F(RequestedPositionListTest, InsertAllAddsACodeTheCandidatesRepeatOnce) {
    const TablePtr candidates = createPositionTable(QStringLiteral("candidatas"));
    for (const char* code : {"10001", "10002", "10001"}) {
        candidates->addRow();
        candidates->setText(u"CodConvocatoria", QString::fromLatin1(code));
    }
    candidates->clearFilter();
    EXPECT_EQ(list().insertAll(*candidates), 2);
    EXPECT_EQ(rows(vacantes()), codes({"10001", "10002"}));
}

TEST_F(RequestedPositionListTest, InsertAllWithNoCandidateChangesNothing) {
    t.type(QStringLiteral("txtCodVacante"), QStringLiteral("99999"));
    t.search.onCodeLeft(SearchTab::Vacantes);
    int repaints = 0;
    list().setRepaint([&] { ++repaints; });
    t.search.insertAll(SearchTab::Vacantes, list());
    EXPECT_EQ(vacantes().rowCount(), 0);
    EXPECT_EQ(repaints, 0);
}

TEST_F(RequestedPositionListTest, ResultasInsertAllDisablesItsButton) {
    t.search.insertAll(SearchTab::Resultas, t.resultasList);
    EXPECT_EQ(rows(*t.catalogue.working.resultas), codes({"60003", "60001", "60002", "10001"}));
    EXPECT_FALSE(t.form.isEnabled(u"cmdInsertaTodasResultas"));
}

TEST_F(RequestedPositionListTest, ResultasResetOpensTheSearchListsOfBothTabs) {
    t.type(QStringLiteral("cboProvinciaVacantes"), QStringLiteral("24"));
    for (const char* list : {"cboProvinciaResultas", "cboConsejeriaResultas", "cboLocalidadResultas"})
        t.form.setEnabled(QString::fromLatin1(list), false);
    t.resultasList.resetEntryPanel();
    for (const char* list :
         {"cboProvinciaResultas", "cboConsejeriaResultas", "cboLocalidadResultas", "cboConsejeriaVacantes",
          "cboLocalidadVacantes", "cboAreasVacantes", "cboZonasVacantes"})
        EXPECT_TRUE(t.form.isEnabled(QString::fromLatin1(list))) << list;
    // With a province chosen on the vacancy tab its list stays locked.
    EXPECT_FALSE(t.form.isEnabled(u"cboProvinciaVacantes"));
    EXPECT_FALSE(t.form.isVisible(u"txtDescResultas"));
}
