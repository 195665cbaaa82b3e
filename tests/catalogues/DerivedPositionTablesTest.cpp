#include <gtest/gtest.h>

#include "BruteForce.h"
#include "catalogues/CatalogueTables.h"
#include "catalogues/Catalogues.h"
#include "catalogues/DerivedPositionTables.h"

using namespace velantor;
using namespace velantor::catalogues;
using velantor::catalogues::testing::bruteForceCopy;
using velantor::catalogues::testing::tableRows;

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

void addRow(Table& table, const QStringList& values) {
    table.addRow();
    for (int f = 0; f < values.size(); ++f)
        table.setText(f, values[f]);
}

void addPosition(Table& table, const char* code, const char* area) {
    addRow(table, {s(code),
                   s("Plaza ") + s(code),
                   s("Institución"),
                   s("León (León)"),
                   s("01"),
                   s("2408900"),
                   s("24"),
                   s("01000000"),
                   {},
                   s(area)});
}

QStringList codes(const TablePtr& table) {
    QStringList result;
    for (const QStringList& row : tableRows(*table))
        result << row[0];
    return result;
}

// Three bodies (one of group "X"), three groups, vacancies and "Resultas" with their lists,
// and maps with a duplicate code, a code in no position file and a row for the "X" body.
class DerivedPositionTablesTest : public ::testing::Test {
protected:
    Catalogues c;

    void SetUp() override {
        c.rsCuerpos = createBodyTable(s("rsCuerpos"));
        addRow(*c.rsCuerpos, {s("A"), s("00101"), s("Facultativo/a")});
        addRow(*c.rsCuerpos, {s("X"), s("00901"), s("A extinguir")});
        addRow(*c.rsCuerpos, {s("B"), s("00201"), s("Enfermero/a")});
        c.rsGrupos = createGroupTable(s("rsGrupos"));
        for (const char* g : {"A", "B", "X"})
            addRow(*c.rsGrupos, {s(g)});

        c.rsConvocatoriasVacantes = createPositionTable(s("rsConvocatoriasVacantes"));
        for (const char* code : {"10003", "10004", "10005"})
            addPosition(*c.rsConvocatoriasVacantes, code, "Área de Salud de León");
        c.rsConvocatoriasResultas = createPositionTable(s("rsConvocatoriasResultas"));
        addPosition(*c.rsConvocatoriasResultas, "60001", "Área de Salud de León");
        c.rsListaVacantes = createCodeListTable(s("rsListaVacantes"));
        addPosition(*c.rsListaVacantes, "10004", "Área de Salud de León");
        c.rsListaResultas = createCodeListTable(s("rsListaResultas"));
        addPosition(*c.rsListaResultas, "60001", "Área de Salud de León");

        c.rsPlazasCuerpo = createBodyMapTable(s("rsPlazasCuerpo"));
        for (const auto& [code, body] : {std::pair{"10003", "00101"},
                                         {"99999", "00101"},
                                         {"10004", "00101"},
                                         {"10003", "00101"},
                                         {"10005", "00201"},
                                         {"60001", "00101"},
                                         {"10004", "00901"}})
            addRow(*c.rsPlazasCuerpo, {s(code), s(body)});
        c.rsPlazasGrupo = createGroupMapTable(s("rsPlazasGrupo"));
        for (const auto& [code, group] :
             {std::pair{"10003", "A"}, {"10004", "A"}, {"60001", "A"}, {"10005", "B"}, {"99999", "B"}})
            addRow(*c.rsPlazasGrupo, {s(code), s(group)});
    }
};

} // namespace

TEST_F(DerivedPositionTablesTest, BodySlotsInBodyOrderWithoutGroupX) {
    int steps = 0;
    const auto entries = CargaPlazasPorCuerpo(c, [&] { ++steps; });
    EXPECT_EQ(steps, 8); // four per body that gets entries
    ASSERT_EQ(entries.size(), 6u);
    EXPECT_EQ(entries[0].CodCuerpo, s("00101"));
    EXPECT_TRUE(entries[0].TodasLasPlazas);
    EXPECT_EQ(entries[1].CodCuerpo, s("00101"));
    EXPECT_FALSE(entries[1].TodasLasPlazas);
    EXPECT_EQ(entries[2].CodCuerpo, s("00201"));
    EXPECT_TRUE(entries[2].TodasLasPlazas);
    EXPECT_EQ(entries[3].CodCuerpo, s("00201"));
    // The "X" body takes no slot, so the last two stay empty.
    EXPECT_TRUE(entries[4].empty());
    EXPECT_TRUE(entries[5].empty());
    EXPECT_TRUE(entries[5].CodCuerpo.isEmpty());
}

TEST_F(DerivedPositionTablesTest, BodyTablesKeepMapOrderAndDuplicatesAndDropUnknownCodes) {
    const auto entries = CargaPlazasPorCuerpo(c, {});
    EXPECT_EQ(codes(entries[0].Vacantes), (QStringList{s("10003"), s("10004"), s("10003")}));
    EXPECT_EQ(codes(entries[0].Resultas), (QStringList{s("60001")}));
    EXPECT_EQ(codes(entries[1].Vacantes), (QStringList{s("10004")})); // only the listed codes
    EXPECT_EQ(codes(entries[1].Resultas), (QStringList{s("60001")}));
    EXPECT_EQ(codes(entries[2].Vacantes), (QStringList{s("10005")}));
    EXPECT_TRUE(codes(entries[2].Resultas).isEmpty());
    // Every field is copied, the area name too.
    EXPECT_EQ(tableRows(*entries[0].Vacantes)[0], tableRows(*c.rsConvocatoriasVacantes)[0]);
    for (std::size_t i = 0; i < 4; ++i) {
        const bool all = entries[i].TodasLasPlazas;
        const QString body = entries[i].CodCuerpo;
        EXPECT_EQ(tableRows(*entries[i].Vacantes),
                  bruteForceCopy(*c.rsPlazasCuerpo, u"CodCuerpo", body,
                                 all ? *c.rsConvocatoriasVacantes : *c.rsListaVacantes, true));
        EXPECT_EQ(tableRows(*entries[i].Resultas),
                  bruteForceCopy(*c.rsPlazasCuerpo, u"CodCuerpo", body,
                                 all ? *c.rsConvocatoriasResultas : *c.rsListaResultas, true));
    }
}

TEST_F(DerivedPositionTablesTest, CodesMatchAsTheTableFiltersDoWithoutRegardToCase) {
    addPosition(*c.rsConvocatoriasVacantes, "V00AB", "Área de Salud de León");
    addRow(*c.rsPlazasCuerpo, {s("v00ab"), s("00201")});
    const auto entries = CargaPlazasPorCuerpo(c, {});
    EXPECT_EQ(codes(entries[2].Vacantes), (QStringList{s("10005"), s("V00AB")}));
}

TEST_F(DerivedPositionTablesTest, AllBodiesCountWhateverFilterTheBodiesTableCarries) {
    c.rsCuerpos->setFilter(s("Grupo <> 'X'"));
    const auto entries = CargaPlazasPorCuerpo(c, {});
    EXPECT_EQ(entries.size(), 6u);
    EXPECT_EQ(c.rsCuerpos->filter(), s("Grupo <> 'X'"));
    EXPECT_EQ(c.rsCuerpos->rowCount(), 2);
}

TEST_F(DerivedPositionTablesTest, GroupSlotsFromTheListsWithoutAreaNames) {
    int steps = 0;
    const auto entries = CargaPlazasPorGrupo(c, [&] { ++steps; });
    EXPECT_EQ(steps, 3);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].Grupo, s("A"));
    EXPECT_EQ(codes(entries[0].Vacantes), (QStringList{s("10004")}));
    EXPECT_EQ(codes(entries[0].Resultas), (QStringList{s("60001")}));
    const QStringList resultas = tableRows(*entries[0].Resultas)[0];
    EXPECT_EQ(resultas[1], s("Plaza 60001"));
    EXPECT_TRUE(resultas[9].isEmpty()); // the list row has its area; the group table never does
    EXPECT_TRUE(codes(entries[1].Vacantes).isEmpty());
    EXPECT_EQ(entries[2].Grupo, s("X"));
    ASSERT_TRUE(entries[2].Vacantes && entries[2].Resultas);
    EXPECT_EQ(entries[2].Vacantes->totalRowCount(), 0);
}
