#include <limits>

#include <gtest/gtest.h>

#include "form/EntryRules.h"
#include "platform/MessageService.h"
#include "support/FakeFormView.h"

using namespace velantor;
using velantor::test::FakeFormView;

namespace {

// Types the characters one by one through the key filter, as the window does.
QString typeInto(QString text, const QString& keys, bool numeric, int* focusMoves = nullptr) {
    for (QChar key : keys) {
        const KeyFilterResult result = FiltroTeclas(text, key, numeric);
        if (result.moveFocus && focusMoves)
            ++*focusMoves;
        if (!result.keep)
            continue;
        if (result.character == u'\b')
            text.chop(1);
        else
            text += result.character;
    }
    return text;
}

const QDate kToday(2024, 5, 15);

} // namespace

TEST(FiltroTeclas, NumericFieldsTakeDigitsAndOneComma) {
    EXPECT_EQ(typeInto({}, QStringLiteral("12.5"), true), u"12,5");
    EXPECT_EQ(typeInto({}, QStringLiteral("1n2"), true), u"1,2");
    EXPECT_EQ(typeInto({}, QStringLiteral("1,2,3.4n5"), true), u"1,2345");
    EXPECT_EQ(typeInto({}, QStringLiteral("a1b-2 N"), true), u"1-2");
    EXPECT_EQ(typeInto(QStringLiteral("123"), QStringLiteral("\b\b4"), true), u"14");
    // Backspace over the comma lets a new one in.
    EXPECT_EQ(typeInto(QStringLiteral("1,"), QStringLiteral("\b,5"), true), u"1,5");
}

TEST(FiltroTeclas, EnterMovesTheFocusAndAddsNothing) {
    int moves = 0;
    EXPECT_EQ(typeInto(QStringLiteral("600"), QStringLiteral("\r"), true, &moves), u"600");
    EXPECT_EQ(moves, 1);
    EXPECT_EQ(typeInto(QStringLiteral("Pérez"), QStringLiteral("\r"), false, &moves), u"Pérez");
    EXPECT_EQ(moves, 2);
    const KeyFilterResult digit = FiltroTeclas({}, u'7', true);
    EXPECT_TRUE(digit.keep);
    EXPECT_FALSE(digit.moveFocus);
}

TEST(FiltroTeclas, TextFieldsDropOnlyQuotes) {
    EXPECT_EQ(typeInto({}, QStringLiteral("O'Donnell \"Ñ\" 12.5n"), false), u"ODonnell Ñ 12.5n");
}

TEST(Dates, AcceptedSpellingsAreRewritten) {
    EXPECT_EQ(checkDate(QStringLiteral("1-2-1980"), kToday).rewritten, u"01/02/1980");
    EXPECT_EQ(checkDate(QStringLiteral("1-2-1980"), kToday).status, DateCheck::Ok);
    EXPECT_EQ(checkDate(QStringLiteral("03.11.1975"), kToday).rewritten, u"03/11/1975");
    EXPECT_EQ(checkDate(QStringLiteral(" 29/2/2000 "), kToday).rewritten, u"29/02/2000");
    for (const char* text : {"31/02/1980", "29/02/1900", "1/2/80", "12/1980", "01/13/1980", "uno/2/1980", "",
                             "01/02/19800", "0/1/1980"})
        EXPECT_EQ(checkDate(QString::fromLatin1(text), kToday).status, DateCheck::NotADate) << text;
}

TEST(Dates, RangeIsFrom1900UpToToday) {
    EXPECT_EQ(checkDate(QStringLiteral("31/12/1899"), kToday).status, DateCheck::OutOfRange);
    EXPECT_EQ(checkDate(QStringLiteral("31/12/1899"), kToday).rewritten, u"31/12/1899");
    EXPECT_EQ(checkDate(QStringLiteral("1/1/1900"), kToday).status, DateCheck::Ok);
    EXPECT_EQ(checkDate(QStringLiteral("15/05/2024"), kToday).status, DateCheck::Ok);
    EXPECT_EQ(checkDate(QStringLiteral("16/05/2024"), kToday).status, DateCheck::OutOfRange);
}

TEST(Numbers, DecimalsUseTheComma) {
    EXPECT_EQ(parseDecimal(QStringLiteral("12,5")), 12.5);
    EXPECT_EQ(parseDecimal(QStringLiteral(",5")), 0.5);
    EXPECT_EQ(parseDecimal(QStringLiteral("7,")), 7.0);
    EXPECT_EQ(parseDecimal(QStringLiteral(" -3 ")), -3.0);
    for (const char* text : {"", ",", "-", "1-2", "12.5", "1.000", "1,2,3", "abc", "1e5"})
        EXPECT_FALSE(parseDecimal(QString::fromLatin1(text)).has_value()) << text;
}

TEST(Numbers, RoundingTakesHalvesToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(12.51), 13);
    EXPECT_EQ(roundHalfEven(12.49), 12);
    EXPECT_EQ(roundHalfEven(1e30), std::numeric_limits<qint64>::max());
    EXPECT_EQ(roundHalfEven(-1e30), std::numeric_limits<qint64>::min());
}

class FieldLeft : public ::testing::Test {
protected:
    bool leave(const QString& control, const QString& text) {
        view.setText(control, text);
        return onFieldLeft(view, messages, control, kToday);
    }
    FakeFormView view;
    RecordingMessageService messages;
};

TEST_F(FieldLeft, BirthDateNotADateGetsAPlainBox) {
    EXPECT_TRUE(leave(QStringLiteral("txtFecNacimiento"), QStringLiteral("ayer")));
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.last().text, u"Fecha Errónea");
    EXPECT_TRUE(messages.last().title.isEmpty());
    EXPECT_EQ(messages.last().icon, MessageIcon::None);
    EXPECT_EQ(messages.last().buttons, MessageButtons::Ok);
    EXPECT_EQ(view.text(u"txtFecNacimiento"), u"ayer");
    EXPECT_EQ(view.focused(), u"txtFecNacimiento");
}

TEST_F(FieldLeft, OutOfRangeDatesKeepTheRewrittenText) {
    for (const char* field : {"txtFecNacimiento", "txtFechaIngreso", "txtFechaSit", "txtFecPosesion"}) {
        const QString control = QString::fromLatin1(field);
        messages.clear();
        EXPECT_TRUE(leave(control, QStringLiteral("31-12-1899"))) << field;
        ASSERT_EQ(messages.messages().size(), 1u);
        EXPECT_EQ(messages.last().text, u"Fecha Errónea");
        EXPECT_EQ(messages.last().title, u"Formato de Fecha erróneo");
        EXPECT_EQ(messages.last().icon, MessageIcon::Exclamation);
        EXPECT_EQ(view.text(control), u"31/12/1899");
        EXPECT_EQ(view.focused(), control);

        messages.clear();
        EXPECT_TRUE(leave(control, QStringLiteral("16/5/2024"))) << field;
        EXPECT_EQ(messages.last().title, u"Formato de Fecha erróneo");
    }
}

TEST_F(FieldLeft, OtherDateFieldsReportNonDatesWithTitle) {
    EXPECT_TRUE(leave(QStringLiteral("txtFechaSit"), QStringLiteral("32/01/2000")));
    EXPECT_EQ(messages.last().title, u"Formato de Fecha erróneo");
    EXPECT_EQ(messages.last().icon, MessageIcon::Exclamation);
    EXPECT_EQ(view.text(u"txtFechaSit"), u"32/01/2000");
}

TEST_F(FieldLeft, GoodDatesAreRewrittenSilently) {
    EXPECT_FALSE(leave(QStringLiteral("txtFechaIngreso"), QStringLiteral("1-2-1980")));
    EXPECT_EQ(view.text(u"txtFechaIngreso"), u"01/02/1980");
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(view.focusLog().isEmpty());
}

TEST_F(FieldLeft, EmptyFieldsAndUncheckedFieldsPass) {
    EXPECT_FALSE(leave(QStringLiteral("txtFecNacimiento"), {}));
    EXPECT_FALSE(leave(QStringLiteral("txtHoras"), {}));
    EXPECT_FALSE(leave(QStringLiteral("txtNombre"), QStringLiteral("31/12/1899")));
    EXPECT_TRUE(messages.empty());
}

TEST_F(FieldLeft, YearOutOfRangeIsEmptied) {
    for (const char* year : {"1949", "2025", "19-50"}) {
        messages.clear();
        EXPECT_TRUE(leave(QStringLiteral("txtAno"), QString::fromLatin1(year))) << year;
        ASSERT_EQ(messages.messages().size(), 1u);
        EXPECT_EQ(messages.last().text, u"El año introducido es erróneo");
        EXPECT_EQ(messages.last().title, u"Datos erróneos");
        EXPECT_EQ(messages.last().icon, MessageIcon::Exclamation);
        EXPECT_TRUE(view.text(u"txtAno").isEmpty());
        EXPECT_EQ(view.focused(), u"txtAno");
    }
    messages.clear();
    EXPECT_FALSE(leave(QStringLiteral("txtAno"), QStringLiteral("1950")));
    EXPECT_FALSE(leave(QStringLiteral("txtAno"), QStringLiteral("2024")));
    EXPECT_EQ(view.text(u"txtAno"), u"2024");
    EXPECT_TRUE(messages.empty());
}

TEST_F(FieldLeft, HoursBelowOneAreEmptied) {
    for (const char* hours : {"0", "0,5"}) {
        messages.clear();
        EXPECT_TRUE(leave(QStringLiteral("txtHoras"), QString::fromLatin1(hours)));
        EXPECT_EQ(messages.last().text, u"El número de horas debe ser mayor de 0");
        EXPECT_EQ(messages.last().title, u"Datos Erróneos");
        EXPECT_EQ(messages.last().icon, MessageIcon::Exclamation);
        EXPECT_TRUE(view.text(u"txtHoras").isEmpty());
    }
    messages.clear();
    EXPECT_FALSE(leave(QStringLiteral("txtHoras"), QStringLiteral("1")));
    EXPECT_EQ(view.text(u"txtHoras"), u"1");
    EXPECT_TRUE(messages.empty());
}

TEST_F(FieldLeft, OrdersOutOfRangeAreEmptiedSilently) {
    for (const char* field : {"txtOrdenVacante", "txtOrdenResultas"}) {
        const QString control = QString::fromLatin1(field);
        EXPECT_FALSE(leave(control, QStringLiteral("0")));
        EXPECT_TRUE(view.text(control).isEmpty());
        EXPECT_FALSE(leave(control, QStringLiteral("32001")));
        EXPECT_TRUE(view.text(control).isEmpty());
        EXPECT_FALSE(leave(control, QStringLiteral("32000")));
        EXPECT_EQ(view.text(control), u"32000");
    }
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(view.focusLog().isEmpty());
}
