#include <gtest/gtest.h>

#include "digest/CSHA256.h"
#include "startup/Validacion.h"

using namespace velantor;

namespace {

void expectDni(const QString& typed, const QString& shown, bool valid) {
    const DniCheck check = checkDni(typed);
    EXPECT_EQ(check.text, shown) << typed.toStdString();
    EXPECT_EQ(check.valid, valid) << typed.toStdString();
}

} // namespace

TEST(CheckDni, ValidNumbersArePaddedAndUpperCased) {
    expectDni(QStringLiteral("1234567l"), QStringLiteral("01234567L"), true); // 1234567 mod 23 = 19
    expectDni(QStringLiteral("00000000T"), QStringLiteral("00000000T"), true);
    expectDni(QStringLiteral("00000023T"), QStringLiteral("00000023T"), true);
    expectDni(QStringLiteral("12345678z"), QStringLiteral("12345678Z"), true); // mod 23 = 14
    expectDni(QStringLiteral("99999999r"), QStringLiteral("99999999R"), true); // largest number
    expectDni(QStringLiteral("15s"), QStringLiteral("00000015S"), true);
    expectDni(QStringLiteral("T"), QStringLiteral("00000000T"), true);
}

TEST(CheckDni, WrongLetterKeepsPaddingButNotUpperCase) {
    expectDni(QStringLiteral("1234567Y"), QStringLiteral("01234567Y"), false);
    expectDni(QStringLiteral("1234567y"), QStringLiteral("01234567y"), false);
    expectDni(QStringLiteral("00000001T"), QStringLiteral("00000001T"), false);
}

TEST(CheckDni, MalformedNumbersAreInvalid) {
    expectDni(QString(), QStringLiteral("000000000"), false);
    expectDni(QStringLiteral("123456789"), QStringLiteral("123456789"), false); // ninth is a digit
    expectDni(QStringLiteral("00000000"), QStringLiteral("000000000"), false);
    expectDni(QStringLiteral("X1234567L"), QStringLiteral("X1234567L"), false); // foreign resident
    expectDni(QStringLiteral("1234567LL"), QStringLiteral("1234567LL"), false);
    // Longer texts are never shortened, nor upper-cased.
    expectDni(QStringLiteral("12345678zab"), QStringLiteral("12345678zab"), false);
    expectDni(QStringLiteral("012345678Z"), QStringLiteral("012345678Z"), false);
}

TEST(CheckDni, OnlyPlainDigitsFormTheNumber) {
    expectDni(QStringLiteral(" 1234567L"), QStringLiteral(" 1234567L"), false);
    expectDni(QStringLiteral(" 234567L"), QStringLiteral("0 234567L"), false);
    expectDni(QStringLiteral("+1234567L"), QStringLiteral("+1234567L"), false);
    expectDni(QStringLiteral("-1234567L"), QStringLiteral("-1234567L"), false);
    expectDni(QStringLiteral("1.234567L"), QStringLiteral("1.234567L"), false);
    expectDni(QStringLiteral("1234567 L"), QStringLiteral("1234567 L"), false);
    expectDni(QStringLiteral("&H1234AL"), QStringLiteral("0&H1234AL"), false);
    // Full-width and Arabic-Indic digits are digits to Unicode, not to an identity number.
    expectDni(QStringLiteral("１２３４５６７８Z"), QStringLiteral("１２３４５６７８Z"), false);
    expectDni(QStringLiteral("٠٠٠٠٠٠٠٠T"), QStringLiteral("٠٠٠٠٠٠٠٠T"), false);
}

TEST(CheckDni, OnlyPlainLettersAreControlLetters) {
    // "ſ" upper-cases to "S", the letter of 15, and must not pass for it.
    expectDni(QStringLiteral("00000015ſ"), QStringLiteral("00000015ſ"), false);
    expectDni(QStringLiteral("00000000Ｔ"), QStringLiteral("00000000Ｔ"), false);
}

TEST(HashTexto, IsTheUpperCaseDigest) {
    EXPECT_EQ(HashTexto(QStringLiteral("abc")),
              QStringLiteral("BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD"));
    const QString digest = HashTexto(QStringLiteral("01234567L"));
    EXPECT_EQ(digest.size(), 64);
    EXPECT_EQ(digest, CSHA256().SHA256(QStringLiteral("01234567L")).toUpper());
    // The digest is of the text as given: normalising is the caller's job.
    EXPECT_NE(HashTexto(QStringLiteral("01234567l")), digest);
}
