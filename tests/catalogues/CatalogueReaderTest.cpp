#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "CatalogueTestFolder.h"
#include "catalogues/CatalogueReader.h"
#include "catalogues/CatalogueTables.h"
#include "platform/CodePage.h"
#include "platform/MessageService.h"

using namespace velantor;
using namespace velantor::catalogues;
using velantor::catalogues::testing::writeBytes;
using velantor::catalogues::testing::writeCatalogue;

namespace {

// Every value of a table, row by row, in field order.
QList<QStringList> rowsOf(const Table& table) {
    QList<QStringList> rows;
    for (int r = 0; r < table.rowCount(); ++r) {
        QStringList row;
        for (int f = 0; f < table.fieldCount(); ++f)
            row << table.textAt(r, f);
        rows << row;
    }
    return rows;
}

QStringList fieldNames(const Table& table) {
    QStringList names;
    for (int f = 0; f < table.fieldCount(); ++f)
        names << table.field(f).name;
    return names;
}

QString s(const char* text) {
    return QString::fromUtf8(text);
}

class CatalogueReaderTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    RecordingMessageService messages;
    CatalogueReader reader{dir.path(), messages};

    void write(const char* name, const QStringList& lines) {
        writeCatalogue(QDir(dir.path()), QString::fromLatin1(name), lines);
    }

    // A fixed-column record from (start column, text) pieces; gaps are blanks.
    static QString record(std::initializer_list<std::pair<int, const char*>> pieces) {
        QString line;
        for (const auto& [start, text] : pieces) {
            line = line.leftJustified(start - 1, u' ');
            line += QString::fromUtf8(text);
        }
        return line;
    }
};

} // namespace

TEST_F(CatalogueReaderTest, ProvincesAndGroups) {
    write("F0001.enc",
          {s("01Araba/Álava"), s("38S.C. de Tenerife    XX"), s("15Provincia con nombre muy largo")});
    TablePtr provinces = createProvinceTable(QStringLiteral("rsProvincias"));
    ASSERT_TRUE(reader.readProvincias(*provinces, QStringLiteral("F0001.enc")));
    EXPECT_EQ(fieldNames(*provinces), (QStringList{s("CodProvincia"), s("Provincia")}));
    EXPECT_EQ(rowsOf(*provinces), (QList<QStringList>{{s("01"), s("Araba/Álava")},
                                                      {s("38"), s("S.C. de Tenerife")},
                                                      {s("15"), s("Provincia con nombre")}}));

    write("F0005.enc", {s("A"), s("BZ"), s("X")});
    TablePtr groups = createGroupTable(QStringLiteral("rsGrupos"));
    ASSERT_TRUE(reader.readGrupos(*groups, QStringLiteral("F0005.enc")));
    EXPECT_EQ(rowsOf(*groups), (QList<QStringList>{{s("A")}, {s("B")}, {s("X")}}));
}

TEST_F(CatalogueReaderTest, LocalitiesAreSortedByNameWhateverTheFileOrder) {
    write("F0003.enc", {s("24089León"), s("24008Astorga"), s("34120Palencia"), s("24010Bañeza, La")});
    TablePtr localities = createLocalityTable(QStringLiteral("rsLocalidades"));
    ASSERT_TRUE(reader.readLocalidades(*localities, QStringLiteral("F0003.enc")));
    EXPECT_EQ(fieldNames(*localities), (QStringList{s("CodProvincia"), s("CodLocalidad"), s("Localidad")}));
    EXPECT_EQ(rowsOf(*localities), (QList<QStringList>{{s("24"), s("008"), s("Astorga")},
                                                       {s("24"), s("010"), s("Bañeza, La")},
                                                       {s("24"), s("089"), s("León")},
                                                       {s("34"), s("120"), s("Palencia")}}));
}

TEST_F(CatalogueReaderTest, BodiesInstitutionsSituationsAndInstitutionLocalities) {
    write("F0004.enc",
          {s("A00101Facultativo/a Especialista de Área de Alergología"), s("X00901Personal de Cupo")});
    TablePtr bodies = createBodyTable(QStringLiteral("rsCuerpos"));
    ASSERT_TRUE(reader.readCuerpos(*bodies, QStringLiteral("F0004.enc")));
    EXPECT_EQ(fieldNames(*bodies), (QStringList{s("Grupo"), s("CodCuerpo"), s("DescCuerpo")}));
    EXPECT_EQ(rowsOf(*bodies), (QList<QStringList>{{s("A"), s("00101"),
                                                    s("Facultativo/a Especialista de Área de Alergología")},
                                                   {s("X"), s("00901"), s("Personal de Cupo")}}));

    write(
        "F0006.enc",
        {record({{1, "07"}, {3, "Complejo Asistencial Universitario de Palencia"}, {53, "03"}, {61, "34"}})});
    TablePtr institutions = createInstitutionTable(QStringLiteral("rsConsejeriasVacantes"));
    ASSERT_TRUE(reader.readConsejerias(*institutions, QStringLiteral("F0006.enc")));
    EXPECT_EQ(rowsOf(*institutions),
              (QList<QStringList>{
                  {s("07"), s("Complejo Asistencial Universitario de Palencia"), s("03"), s("34")}}));

    write("F0015.enc", {s("010Servicio activo"), s("081Otra")});
    TablePtr situations = createSituationTable(QStringLiteral("rsSituaciones"));
    ASSERT_TRUE(reader.readSituaciones(*situations, QStringLiteral("F0015.enc")));
    EXPECT_EQ(fieldNames(*situations), (QStringList{s("CodSituacion"), s("esOtras"), s("Situacion")}));
    EXPECT_EQ(rowsOf(*situations),
              (QList<QStringList>{{s("01"), s("0"), s("Servicio activo")}, {s("08"), s("1"), s("Otra")}}));

    write("F0016.enc", {s("012408900"), s("0224115")});
    TablePtr served = createInstitutionLocalityTable(QStringLiteral("rsInstitucionLocalidad"));
    ASSERT_TRUE(reader.readInstitucionLocalidad(*served, QStringLiteral("F0016.enc")));
    EXPECT_EQ(rowsOf(*served), (QList<QStringList>{{s("01"), s("2408900")}, {s("02"), s("24115")}}));
}

TEST_F(CatalogueReaderTest, MapsReadTheirColumnsOnly) {
    write("F0007.enc", {s("10003A"), s("60001CX")});
    TablePtr groupMap = createGroupMapTable(QStringLiteral("rsPlazasGrupo"));
    ASSERT_TRUE(reader.readPlazasGrupo(*groupMap, QStringLiteral("F0007.enc")));
    EXPECT_EQ(rowsOf(*groupMap), (QList<QStringList>{{s("10003"), s("A")}, {s("60001"), s("C")}}));

    // Column 6 of the body map is not read, whatever it holds.
    write("F0008.enc", {s("10003 00101"), s("10004Z00205")});
    TablePtr bodyMap = createBodyMapTable(QStringLiteral("rsPlazasCuerpo"));
    ASSERT_TRUE(reader.readPlazasCuerpo(*bodyMap, QStringLiteral("F0008.enc")));
    EXPECT_EQ(rowsOf(*bodyMap), (QList<QStringList>{{s("10003"), s("00101")}, {s("10004"), s("00205")}}));
}

TEST_F(CatalogueReaderTest, EmptyLinesGiveNoRowAndBlankLinesGiveEmptyRows) {
    writeBytes(QDir(dir.path()).filePath(QStringLiteral("F0001.enc")),
               QByteArray("12Mfpo") + "\r\n\r\n" + QByteArray(5, '!') + "\r\n" + "35[bnpsb");
    TablePtr provinces = createProvinceTable(QStringLiteral("rsProvincias"));
    ASSERT_TRUE(reader.readProvincias(*provinces, QStringLiteral("F0001.enc")));
    EXPECT_EQ(rowsOf(*provinces),
              (QList<QStringList>{{s("01"), s("Leon")}, {QString(), QString()}, {s("24"), s("Zamora")}}));
}

TEST_F(CatalogueReaderTest, PositionColumnsAreaLookUpAndProvinceFromLocality) {
    write("F0014.enc", {s("0124    Área de Salud de León                             24"),
                        s("0124    Otra área con el mismo código                     24"),
                        s("0334    Área de Salud de Palencia                         34")});
    TablePtr areas = createAreaTable(QStringLiteral("rsAreas"));
    ASSERT_TRUE(reader.readAreasA(*areas, QStringLiteral("F0014.enc")));

    const QString full = record({{1, "10003"},
                                 {6, "Enfermero/a"},
                                 {56, "Complejo Asistencial Universitario de León"},
                                 {106, "Z.B.S. La Bañeza (León) con un nombre más largo de lo"},
                                 {159, "01"},
                                 {161, "2401000"},
                                 {168, "01000000"},
                                 {176, "07"}});
    const QString unknownArea = record({{1, "10004"}, {161, "3412000"}, {168, "99000000"}});
    const QString shortLine = record({{1, "10005"}, {6, "Celador/a"}});
    write("F0009.enc", {full, unknownArea, shortLine, record({{1, "10006"}, {168, "03"}})});
    TablePtr positions = createPositionTable(QStringLiteral("rsConvocatoriasVacantes"));
    ASSERT_TRUE(reader.readConvocatorias(*positions, QStringLiteral("F0009.enc"), *areas));
    EXPECT_EQ(fieldNames(*positions),
              (QStringList{s("CodConvocatoria"), s("NomConvocatoria"), s("Consejeria"), s("Localidad"),
                           s("CodConsejeria"), s("CodLocalidad"), s("CodProvincia"), s("CodArea"),
                           s("CodZona"), s("Area")}));
    const QList<QStringList> rows = rowsOf(*positions);
    ASSERT_EQ(rows.size(), 4);
    // The area found by the first two characters of CodArea, from the first area row that has them.
    EXPECT_EQ(rows[0],
              (QStringList{s("10003"), s("Enfermero/a"), s("Complejo Asistencial Universitario de León"),
                           s("Z.B.S. La Bañeza (León) con un nombre más largo de lo"), s("01"), s("2401000"),
                           s("24"), s("01000000"), s("07"), s("Área de Salud de León")}));
    EXPECT_EQ(rows[1],
              (QStringList{s("10004"), {}, {}, {}, {}, s("3412000"), s("34"), s("99000000"), {}, {}}));
    EXPECT_EQ(rows[2], (QStringList{s("10005"), s("Celador/a"), {}, {}, {}, {}, {}, {}, {}, {}}));
    EXPECT_EQ(rows[3].last(), s("Área de Salud de Palencia"));
    EXPECT_FALSE(areas->hasFilter());
}

TEST_F(CatalogueReaderTest, CodeListsCopyTheFirstMatchingPositionAndKeepUnknownCodes) {
    TablePtr details = createPositionTable(QStringLiteral("rsConvocatoriasVacantes"));
    const auto addPosition = [&](const char* code, const char* name, const QString& locality) {
        details->addRow();
        details->setText(u"CodConvocatoria", s(code));
        details->setText(u"NomConvocatoria", s(name));
        details->setText(u"Localidad", locality);
        details->setText(u"Area", s("Área de Salud de León"));
    };
    const QString longLocality = QString(53, u'L');
    addPosition("10003", "Enfermero/a", longLocality);
    addPosition("10004", "Celador/a", s("León (León)"));
    addPosition("10003", "Repetida", s("otra"));
    write("F0011.enc", {s("10004"), s("99999"), s("10003")});

    TablePtr list = createCodeListTable(QStringLiteral("rsListaVacantes"));
    ASSERT_TRUE(reader.readListaPlazas(*list, QStringLiteral("F0011.enc"), *details));
    const QList<QStringList> rows = rowsOf(*list);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0][1], s("Celador/a"));
    EXPECT_EQ(rows[1], (QStringList{s("99999"), {}, {}, {}, {}, {}, {}, {}, {}, {}}));
    EXPECT_EQ(rows[2][1], s("Enfermero/a"));
    EXPECT_EQ(rows[2][3], longLocality.left(50)); // a list holds 50 characters of Localidad
    EXPECT_EQ(rows[2][9], s("Área de Salud de León"));
}

TEST_F(CatalogueReaderTest, ZoneNamesAloneAreOemText) {
    // "Bañeza" written in code page 850 (ñ = 0xA4) inside a zone record, and the same bytes
    // in a province record, where they are Windows-1252 ("¤").
    const QByteArray oemName = codepage::toCp850(u"La Bañeza");
    QByteArray zone = "0107" + oemName;
    QByteArray province = "24" + oemName;
    for (QByteArray* line : {&zone, &province}) {
        for (char& c : *line)
            c = char(static_cast<unsigned char>(c) + 1);
    }
    writeBytes(QDir(dir.path()).filePath(QStringLiteral("F0013.enc")), zone + "\r\n");
    writeBytes(QDir(dir.path()).filePath(QStringLiteral("F0002.enc")), province + "\r\n");

    TablePtr zones = createZoneTable(QStringLiteral("rsZonas"));
    ASSERT_TRUE(reader.readZonas(*zones, QStringLiteral("F0013.enc")));
    EXPECT_EQ(fieldNames(*zones),
              (QStringList{s("CodZona"), s("Zona"), s("CodArea"), s("CodProvincia"), s("CodInstitucion")}));
    EXPECT_EQ(rowsOf(*zones), (QList<QStringList>{{s("07"), s("La Bañeza"), s("01"), {}, {}}}));

    TablePtr provinces = createProvinceTable(QStringLiteral("rsProvinciasVrk"));
    ASSERT_TRUE(reader.readProvincias(*provinces, QStringLiteral("F0002.enc")));
    EXPECT_EQ(provinces->textAt(0, 1), s("La Ba¤eza"));
}

TEST_F(CatalogueReaderTest, BothAreaReadingsReadTheSampleLayoutAlike) {
    // A name of 48 characters.
    const char* longName = "Área de Salud con un nombre de cuarenta y ocho l";
    write("F0014.enc", {s("0124    Área de Salud de León                             24"),
                        record({{1, "0534"}, {9, longName}, {59, "34"}})});
    TablePtr a = createAreaTable(QStringLiteral("rsAreas"));
    TablePtr b = createAreaTable(QStringLiteral("rsAreasVrk"));
    ASSERT_TRUE(reader.readAreasA(*a, QStringLiteral("F0014.enc")));
    ASSERT_TRUE(reader.readAreasB(*b, QStringLiteral("F0014.enc")));
    EXPECT_EQ(fieldNames(*a), (QStringList{s("CodArea"), s("Area"), s("CodProvincia")}));
    EXPECT_EQ(rowsOf(*a)[0], rowsOf(*b)[0]);
    // Reading B takes the name from column 5 on: it sees only the first 46 characters.
    EXPECT_EQ(rowsOf(*a)[1], (QStringList{s("05"), s(longName), s("34")}));
    EXPECT_EQ(rowsOf(*b)[1], (QStringList{s("05"), s(longName).left(46), s("34")}));
}

TEST_F(CatalogueReaderTest, ZonesTakeTheProvinceOfTheirArea) {
    TablePtr areas = createAreaTable(QStringLiteral("rsAreas"));
    for (const auto& [code, province] :
         {std::pair{"01", "24"}, std::pair{"01", "49"}, std::pair{"03", "34"}}) {
        areas->addRow();
        areas->setText(u"CodArea", s(code));
        areas->setText(u"CodProvincia", s(province));
    }
    write("F0013.enc", {s("0101León I"), s("0320Palencia Centro"), s("0930Sin área")});
    TablePtr zones = createZoneTable(QStringLiteral("rsZonas"));
    ASSERT_TRUE(reader.readZonas(*zones, QStringLiteral("F0013.enc")));
    completeZoneProvinces(*zones, *areas);
    const int province = zones->requireField(u"CodProvincia");
    EXPECT_EQ(zones->textAt(0, province), s("24")); // the first area row with code 01
    EXPECT_EQ(zones->textAt(1, province), s("34"));
    EXPECT_EQ(zones->textAt(2, province), QString());
    EXPECT_EQ(zones->textAt(0, zones->requireField(u"CodInstitucion")), QString());
}

TEST_F(CatalogueReaderTest, AFailedDecodingIsTheReadersFailure) {
    TablePtr provinces = createProvinceTable(QStringLiteral("rsProvincias"));
    const auto read = reader.readProvincias(*provinces, QStringLiteral("F0001.enc"));
    ASSERT_FALSE(read.has_value());
    EXPECT_EQ(read.error().number, errors::kFileNotFound);
    EXPECT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(provinces->totalRowCount(), 0);
}
