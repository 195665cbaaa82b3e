#include <gtest/gtest.h>

#include "tables/FilterExpression.h"
#include "tables/Table.h"
#include "TableTestData.h"

using namespace velantor;
using namespace velantor::testing;

namespace {

QStringList filtered(const QString& expression) {
    TablePtr table = makeSamplePositions();
    table->setFilter(expression);
    return codes(*table);
}

QStringList list(std::initializer_list<const char16_t*> values) {
    QStringList result;
    for (const char16_t* value : values)
        result.append(QString::fromUtf16(value));
    return result;
}

} // namespace

TEST(FilterExpression, EqualityComparesStoredTextExactly) {
    EXPECT_EQ(filtered(QStringLiteral("CodProvincia='05' ")), list({u"10001", u"10003"}));
    EXPECT_EQ(filtered(QStringLiteral("   CODPROVINCIA   =   '05'")), list({u"10001", u"10003"}));
    EXPECT_EQ(filtered(QStringLiteral("codprovincia='05'")), list({u"10001", u"10003"}));
    // Leading zeros are part of the text.
    EXPECT_TRUE(filtered(QStringLiteral("CodProvincia='5'")).isEmpty());
    // An unquoted number against a text field is compared as written.
    EXPECT_EQ(filtered(QStringLiteral("CodProvincia=05 ")), list({u"10001", u"10003"}));
    EXPECT_TRUE(filtered(QStringLiteral("CodProvincia=5")).isEmpty());
    EXPECT_EQ(filtered(QStringLiteral("CodProvincia <> '05'")), list({u"10002", u"10004", u"10005"}));
    // "=" respects letter case; only like ignores it.
    EXPECT_EQ(filtered(QStringLiteral("Localidad='Burgos'")), list({u"10002"}));
}

TEST(FilterExpression, OrderingOfTextIsTextualAndOfIntegersNumeric) {
    EXPECT_EQ(filtered(QStringLiteral("CodConvocatoria >= '10003'")), list({u"10003", u"10004", u"10005"}));
    EXPECT_EQ(filtered(QStringLiteral("CodConvocatoria < '10002'")), list({u"10001"}));
    EXPECT_EQ(filtered(QStringLiteral("CodConvocatoria <= 10002")), list({u"10001", u"10002"}));
    EXPECT_EQ(filtered(QStringLiteral("CodConvocatoria > '1'")).size(), 5);

    TablePtr table = Table::create(QStringLiteral("t"), {FieldDef::text(QStringLiteral("Code"), 5),
                                                         FieldDef::integer(QStringLiteral("Number"))});
    for (int value : {9, 10, -3}) {
        table->addRow();
        table->setText(u"Code", QString::number(value));
        table->setNumber(u"Number", value);
    }
    table->setFilter(QStringLiteral("Code > '5'")); // "10" sorts before "5" as text
    EXPECT_EQ(column(*table, u"Code"), list({u"9"}));
    table->setFilter(QStringLiteral("Number > 5"));
    EXPECT_EQ(column(*table, u"Code"), list({u"9", u"10"}));
    table->setFilter(QStringLiteral("Number < -1"));
    EXPECT_EQ(column(*table, u"Code"), list({u"-3"}));
    table->setFilter(QStringLiteral("Number = '10'")); // quoted number against an integer field
    EXPECT_EQ(column(*table, u"Code"), list({u"10"}));
    table->setFilter(QStringLiteral("Number = ' 010 '"));
    EXPECT_EQ(column(*table, u"Code"), list({u"10"}));
    table->setFilter(QStringLiteral("Number < 9.5"));
    EXPECT_EQ(column(*table, u"Code"), list({u"9", u"-3"}));
    table->setFilter(QStringLiteral("Number < 99999999999999999999"));
    EXPECT_EQ(table->rowCount(), 3);
}

TEST(FilterExpression, IntegerRangesAsTheOrderListsWriteThem) {
    EXPECT_EQ(filtered(QStringLiteral(" ORDEN >= 3 and ORDEN <= 5 ")), list({u"10001", u"10003", u"10005"}));
    EXPECT_EQ(filtered(QStringLiteral(" ORDEN < 3 and ORDEN >= 2 ")), list({u"10004"}));
    EXPECT_EQ(filtered(QStringLiteral("Orden=1")), list({u"10002"}));
    EXPECT_EQ(filtered(QStringLiteral("Orden>-1")).size(), 5);
}

TEST(FilterExpression, LikeMatchesPercentWildcardsIgnoringCase) {
    EXPECT_EQ(filtered(QStringLiteral(" CodLocalidad like '%123%' ")), list({u"10002", u"10003", u"10004"}));
    EXPECT_EQ(filtered(QStringLiteral("Localidad like 'bur%'")), list({u"10002", u"10005"}));
    EXPECT_EQ(filtered(QStringLiteral("Localidad LIKE '%A'")), list({u"10001", u"10004"}));
    EXPECT_EQ(filtered(QStringLiteral("Localidad Like 'a%de%o'")), list({u"10003"}));
    EXPECT_EQ(filtered(QStringLiteral("Localidad like 'áVILA'")), list({u"10001"}));
    EXPECT_EQ(filtered(QStringLiteral("Localidad like '%'")).size(), 5);
    EXPECT_EQ(filtered(QStringLiteral("Localidad like '%%r%%g%'")), list({u"10002", u"10005"}));
    // Only "%" is a wildcard.
    EXPECT_TRUE(filtered(QStringLiteral("Localidad like 'Burgo_'")).isEmpty());
    EXPECT_TRUE(filtered(QStringLiteral("Localidad like 'Bur*'")).isEmpty());
    // A part may not be used twice: "a%a" needs two a's.
    EXPECT_EQ(filtered(QStringLiteral("CodProvincia like '0%5'")), list({u"10001", u"10003"}));
    EXPECT_TRUE(filtered(QStringLiteral("CodProvincia like '05%5'")).isEmpty());
    // On an integer field like looks at the decimal text.
    EXPECT_EQ(filtered(QStringLiteral("Orden like '%4%'")), list({u"10005"}));
}

TEST(FilterExpression, AndBindsTighterThanOrAndGroupsNest) {
    EXPECT_EQ(filtered(QStringLiteral(" ( CodArea='01000000' OR  CodArea='03000000' ) AND Orden >= 3")),
              list({u"10001", u"10003"}));
    EXPECT_EQ(filtered(QStringLiteral("CodProvincia='09' oR CodProvincia='05' And Orden > 3")),
              list({u"10002", u"10003", u"10005"}));
    EXPECT_EQ(filtered(QStringLiteral("((CodProvincia='49'))")), list({u"10004"}));
    EXPECT_EQ(
        filtered(QStringLiteral(" CodProvincia='05' AND CodArea='01000000' AND CodLocalidad like '%123%' ")),
        list({u"10003"}));
    EXPECT_EQ(filtered(QStringLiteral("CodProvincia='05'AND CodArea='01000000'")),
              list({u"10001", u"10003"}));
}

TEST(FilterExpression, EmptyGroupMatchesNothing) {
    EXPECT_TRUE(filtered(QStringLiteral(" ( ) ")).isEmpty());
    EXPECT_TRUE(filtered(QStringLiteral("()")).isEmpty());
    EXPECT_TRUE(filtered(QStringLiteral("CodProvincia='05' AND ( )")).isEmpty());
    EXPECT_EQ(filtered(QStringLiteral("( ) OR CodProvincia='49'")), list({u"10004"}));
}

TEST(FilterExpression, DoubledQuoteStandsForOneQuote) {
    TablePtr table = makePositionTable();
    addPositions(*table, {{u"1", u"L'Hospitalet", u"", u"", u"", 0}, {u"2", u"L", u"", u"", u"", 0}});
    table->setFilter(QStringLiteral("Localidad='L''Hospitalet'"));
    EXPECT_EQ(codes(*table), list({u"1"}));
    table->setFilter(QStringLiteral("Localidad like '%''%'"));
    EXPECT_EQ(codes(*table), list({u"1"}));
    table->setFilter(QStringLiteral("Localidad=''"));
    EXPECT_TRUE(codes(*table).isEmpty());
    table->setFilter(QStringLiteral("CodArea=''")); // never written: empty text
    EXPECT_EQ(table->rowCount(), 2);
    // A typed text, quotes and all, quoted as a literal reads back as itself.
    ASSERT_TRUE(
        table->applyFilter(QStringLiteral("Localidad=") + filterLiteral(u"L'Hospitalet")).has_value());
    EXPECT_EQ(codes(*table), list({u"1"}));
    ASSERT_TRUE(table->applyFilter(QStringLiteral("Localidad=") + filterLiteral(u"'")).has_value());
    EXPECT_TRUE(codes(*table).isEmpty());
    // A text put in unquoted is an error value, and the filter before it stays.
    const Result<void> bad = table->applyFilter(QStringLiteral("Localidad='L'Hospitalet'"));
    ASSERT_FALSE(bad.has_value());
    EXPECT_EQ(bad.error().number, errors::kMalformedFilter);
    EXPECT_EQ(table->filter(), QStringLiteral("Localidad=''''"));
}

TEST(FilterExpression, MalformedExpressionsNameTheirPositionAndKeepTheOldFilter) {
    struct Case {
        const char16_t* expression;
        int position;
    };
    const Case cases[] = {
        {u"CodProvincia='05", 13},        // text not closed: at its opening quote
        {u"CodProvincia '05'", 13},       // no operator
        {u"Provincia='05'", 0},           // no such field
        {u"CodProvincia=", 13},           // no value
        {u"CodProvincia == '05'", 14},    // second "=" where the value belongs
        {u" AND CodProvincia='05'", 1},   // a leading AND
        {u"CodProvincia='05' AND", 21},   // nothing after AND
        {u"CodProvincia='05' AND  ", 23}, // nor after it and some blanks
        {u"( CodProvincia='05'", 0},      // group not closed
        {u"CodProvincia='05' )", 18},     // closing parenthesis without opening
        {u"CodProvincia='05' CodArea='1'", 18},
        {u"Orden = 'abc'", 8}, // not a number for an integer field
        {u"Orden = ''", 8},
        {u"CodProvincia=05A", 13},
        {u"CodProvincia=1.2.3", 13},
        {u"CodLocalidad like 123", 18}, // like takes quoted patterns only
        {u"CodProvincia='05' # ", 18},
        {u"CodProvincia like", 17},
        {u"   ", 3},
        {u"0", 0}, // the "no condition" marker is no expression
        {u"(CodProvincia='05' OR )", 22},
    };
    TablePtr table = makeSamplePositions();
    table->setFilter(QStringLiteral("CodProvincia='09'"));
    table->moveNext();
    for (const Case& c : cases) {
        const QString expression = QString::fromUtf16(c.expression);
        SCOPED_TRACE(expression.toStdString());
        try {
            table->setFilter(expression);
            ADD_FAILURE() << "accepted";
        } catch (const FilterError& error) {
            EXPECT_EQ(error.position(), c.position);
            EXPECT_EQ(error.expression(), expression);
            EXPECT_FALSE(error.reason().isEmpty());
            EXPECT_NE(QString::fromStdString(error.what()).indexOf(expression), -1);
        }
        EXPECT_EQ(table->filter(), QStringLiteral("CodProvincia='09'"));
        EXPECT_EQ(codes(*table), list({u"10002", u"10005"}));
        EXPECT_EQ(table->position(), 1);
    }
}

TEST(FilterExpression, ReasonsAreSpanishAndSpecific) {
    const QList<FieldDef> fields{FieldDef::text(QStringLiteral("CodArea"), 8),
                                 FieldDef::integer(QStringLiteral("Orden"))};
    auto reasonFor = [&](const QString& expression) {
        try {
            FilterExpression::parse(expression, fields);
        } catch (const FilterError& error) {
            return error.reason();
        }
        return QString();
    };
    EXPECT_EQ(reasonFor(QStringLiteral("Area='1'")), QStringLiteral("no hay ningún campo llamado «Area»"));
    EXPECT_EQ(reasonFor(QStringLiteral("CodArea='1")),
              QStringLiteral("falta la comilla que cierra el texto"));
    EXPECT_EQ(reasonFor(QStringLiteral("Orden='x'")),
              QStringLiteral("el campo «Orden» es numérico y «x» no es un número"));
    EXPECT_EQ(reasonFor(QStringLiteral("(CodArea='1'")),
              QStringLiteral("falta el paréntesis que cierra este grupo"));
}

TEST(FilterExpression, SingleEqualityIsOfferedForIndexedLookUp) {
    const QList<FieldDef> fields{FieldDef::text(QStringLiteral("CodArea"), 8),
                                 FieldDef::integer(QStringLiteral("IdCurso"))};
    const auto text = FilterExpression::parse(QStringLiteral("CodArea = '01' "), fields).asEquality();
    ASSERT_TRUE(text);
    EXPECT_EQ(text->field, 0);
    EXPECT_EQ(text->key, QStringLiteral("01"));
    const auto number = FilterExpression::parse(QStringLiteral("IdCurso='03'"), fields).asEquality();
    ASSERT_TRUE(number);
    EXPECT_EQ(number->field, 1);
    EXPECT_EQ(number->key, QStringLiteral("3"));
    EXPECT_FALSE(FilterExpression::parse(QStringLiteral("CodArea like '01'"), fields).asEquality());
    EXPECT_FALSE(FilterExpression::parse(QStringLiteral("CodArea='01' AND IdCurso=3"), fields).asEquality());
    EXPECT_FALSE(FilterExpression::parse(QStringLiteral("CodArea<>'01'"), fields).asEquality());
}
