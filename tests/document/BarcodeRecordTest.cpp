#include <QStringList>

#include <gtest/gtest.h>

#include "document/BarcodeErrors.h"
#include "document/BarcodeRecord.h"

using namespace velantor;
using namespace velantor::barcode;
using namespace Qt::Literals::StringLiterals;

namespace {

// Every text distinct, so a field taken from the wrong control shows.
BarcodeRecordInput filledInput() {
    BarcodeRecordInput in;
    in.optForzoso = true;
    in.txtApellido1 = u"GARCÍA"_s;
    in.txtApellido2 = u" López "_s;
    in.txtNombre = u"Ana"_s;
    in.txtDNI = u"12345678Z"_s;
    in.txtFecNacimiento = u"05/03/1980"_s;
    in.txtTelefono = u"600111222"_s;
    in.optPetConyugeSi = true;
    in.txtDNIConyuge = u"87654321X"_s;
    in.txtConyuApellido1 = u"PÉREZ"_s;
    in.txtCOnyuApellido2 = u"RUIZ"_s;
    in.txtConyuNombre = u"Luis"_s;
    in.optDiscSi = true;
    in.txtTipoDisc = u"Motora"_s;
    in.txtAdaptaciones = u"Rampa"_s;
    in.txtDomicilio = u"C/ Mayor 1"_s;
    in.txtLocalidad = u"Mérida"_s;
    in.cboProvincia = u"BADAJOZ"_s;
    in.txtCP = u"06800"_s;
    in.cboCuerpo = u"123"_s;
    in.cuerpoGrupo = u" A2 "_s;
    in.cboGrupo = u"A"_s;
    in.txtNRP = u"NRP-9"_s;
    in.txtFechaIngreso = u"01/09/2005"_s;
    in.optActivo = false;
    in.situacionEsOtras = u"0"_s;
    in.situacionNombre = u"Excedencia"_s;
    in.txtSitAdm = u"texto libre"_s;
    in.txtFechaSit = u"15/06/2020"_s;
    in.optSSOndex = true;
    in.txtSS = u"Otro servicio"_s;
    in.optDefinitivo = true;
    in.txtPuesto = u"Hospital"_s;
    in.txtLocalidadPuesto = u"Cáceres"_s;
    in.txtProvinciaPuesto = u"CÁCERES"_s;
    in.optReingesoSi = true;
    in.txtFecPosesion = u"02/01/2010"_s;
    in.txtInstiAct = u"Centro de Salud"_s;
    in.txtZBSAct = u"ZBS Norte"_s;
    in.txtProvAct = u"Badajoz"_s;
    return in;
}

QStringList fieldsOf(const BarcodeRecordInput& in) {
    const auto record = buildApplicationRecord(in);
    EXPECT_TRUE(record.has_value()) << qPrintable(record ? QString() : record.error().description);
    if (!record)
        return {};
    EXPECT_TRUE(record->endsWith(u'|'));
    QStringList fields = record->split(u'|');
    EXPECT_EQ(fields.size(), kApplicationRecordFields + 1);
    fields.removeLast(); // after the final separator
    return fields;
}

} // namespace

TEST(BarcodeHeader, WidthsAndFills) {
    BarcodeRecordInput in = filledInput();
    EXPECT_EQ(buildBarcodeHeader(in), u"12345678ZA200123A"_s); // three-digit body: two leading zeros
    in.txtDNI = u"1234567A"_s;
    in.cboGrupo.clear();
    EXPECT_EQ(buildBarcodeHeader(in), u"1234567A A200123 "_s);
    // Longer values are never cut.
    in.txtDNI = u"X12345678Z"_s;
    in.cboCuerpo = u"1234567"_s;
    in.cboGrupo = u"AB"_s;
    EXPECT_EQ(buildBarcodeHeader(in), u"X12345678ZA21234567AB"_s);
}

TEST(BarcodeRecord, ThirtySevenFieldsInOrder) {
    const QStringList expected{u"S"_s,
                               u"GARCÍA"_s,
                               u" López "_s,
                               u"Ana"_s,
                               u"12345678Z"_s,
                               u"19800305"_s,
                               u"600111222"_s,
                               u"S"_s,
                               u"87654321X"_s,
                               u"PÉREZ"_s,
                               u"RUIZ"_s,
                               u"Luis"_s,
                               u"S"_s,
                               u"Motora"_s,
                               u"Rampa"_s,
                               u"C/ Mayor 1"_s,
                               u"Mérida"_s,
                               u"BADAJOZ"_s,
                               u"06800"_s,
                               u"A123"_s,
                               u"A"_s,
                               u"NRP-9"_s,
                               u"20050901"_s,
                               u"O"_s,
                               u"Excedencia"_s,
                               u"20200615"_s,
                               u"S"_s,
                               u"Otro servicio"_s,
                               u"D"_s,
                               u"Hospital"_s,
                               u"Cáceres"_s,
                               u"CÁCERES"_s,
                               u"S"_s,
                               u"20100102"_s,
                               u"Centro de Salud"_s,
                               u"ZBS Norte"_s,
                               u"Badajoz"_s};
    EXPECT_EQ(fieldsOf(filledInput()), expected);
}

TEST(BarcodeRecord, FlagsWhenNotSelected) {
    BarcodeRecordInput in;
    const QStringList fields = fieldsOf(in);
    ASSERT_EQ(fields.size(), kApplicationRecordFields);
    EXPECT_EQ(fields[0], u"N"_s);
    EXPECT_EQ(fields[7], u"N"_s);
    EXPECT_EQ(fields[12], u"N"_s);
    EXPECT_EQ(fields[23], u"O"_s); // not active: other situation
    EXPECT_EQ(fields[26], u"O"_s); // another health service
    EXPECT_EQ(fields[28], u"P"_s); // provisional post
    EXPECT_EQ(fields[32], u"N"_s);
    in.optActivo = true;
    EXPECT_EQ(fieldsOf(in)[23], u"A"_s);
}

TEST(BarcodeRecord, NoPostLeavesFields27And29Empty) {
    BarcodeRecordInput in = filledInput();
    in.OptNo = true;
    const auto record = buildApplicationRecord(in);
    ASSERT_TRUE(record.has_value());
    const QStringList fields = record->split(u'|');
    EXPECT_EQ(fields[26], QString());
    EXPECT_EQ(fields[28], QString());
    EXPECT_TRUE(record->contains(u"|20200615||Otro servicio||Hospital|"_s));
}

TEST(BarcodeRecord, SituationFromTheListOrTyped) {
    BarcodeRecordInput in = filledInput();
    in.situacionEsOtras = u"1"_s;
    EXPECT_EQ(fieldsOf(in)[24], u"texto libre"_s);
    in.situacionEsOtras = u"0"_s;
    EXPECT_EQ(fieldsOf(in)[24], u"Excedencia"_s);
    in.situacionEsOtras.clear(); // no situation chosen (active)
    in.situacionNombre.clear();
    EXPECT_EQ(fieldsOf(in)[24], QString());
}

TEST(BarcodeRecord, DatesAreAlwaysEightCharacters) {
    BarcodeRecordInput in = filledInput();
    in.txtFechaIngreso.clear();
    in.txtFecPosesion.clear();
    const QStringList fields = fieldsOf(in);
    for (int index : {5, 22, 25, 33})
        EXPECT_EQ(fields[index].size(), 8) << index;
    EXPECT_EQ(fields[22], u"00000000"_s);
    EXPECT_EQ(fields[33], u"00000000"_s);
}

TEST(BarcodeRecord, AnInvalidDateIsRefusedNamingTheField) {
    BarcodeRecordInput in = filledInput();
    for (const QString& bad : {u"abc"_s, u"31/02/2000"_s, u"1/2/1980"_s, u"1980-03-05"_s}) {
        in.txtFecNacimiento = bad;
        const auto record = buildApplicationRecord(in);
        ASSERT_FALSE(record.has_value()) << qPrintable(bad);
        EXPECT_EQ(record.error().number, errors::kBarcodeInvalidDate);
        EXPECT_TRUE(record.error().description.contains(u"Fecha de nacimiento"_s));
        EXPECT_TRUE(record.error().description.contains(bad));
    }
    in = filledInput();
    in.txtFechaSit = u"99/99/9999"_s;
    ASSERT_FALSE(buildApplicationRecord(in).has_value());
    EXPECT_TRUE(buildApplicationRecord(in).error().description.contains(u"situación administrativa"_s));
}

TEST(BarcodeRecord, EthBecomesEnyeAndBarsCannotSplitAField) {
    BarcodeRecordInput in = filledInput();
    in.txtApellido1 = u"PEÐA"_s;
    in.txtDomicilio = u"Calle A|B"_s;
    const QStringList fields = fieldsOf(in);
    EXPECT_EQ(fields[1], u"PEÑA"_s);
    EXPECT_EQ(fields[15], u"Calle A B"_s);
}
