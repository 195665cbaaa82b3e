#include "startup/Validacion.h"

#include "digest/CSHA256.h"

namespace velantor {
namespace {

constexpr int kDniLength = 9;
constexpr int kNumberLength = 8;
// The control letter of number n is the letter at n mod 23.
constexpr char16_t kControlLetters[] = u"TRWAGMYFPDXBNJZSQVHLCKE";

bool isDecimalDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Only the plain letters a-z count as the lower-case form of a control letter; a wider
// upper-casing would let look-alikes such as "ſ" (long s → "S") pass as valid.
QChar asciiUpper(QChar c) {
    return c >= QLatin1Char('a') && c <= QLatin1Char('z') ? QChar(c.unicode() - u'a' + u'A') : c;
}

} // namespace

DniCheck checkDni(const QString& text) {
    DniCheck check;
    check.text = text;
    if (check.text.size() < kDniLength)
        check.text.prepend(QString(kDniLength - check.text.size(), QLatin1Char('0')));
    if (check.text.size() != kDniLength)
        return check;

    int number = 0;
    for (int i = 0; i < kNumberLength; ++i) {
        const QChar c = check.text.at(i);
        if (!isDecimalDigit(c))
            return check;
        number = number * 10 + (c.unicode() - u'0');
    }
    const QChar letter = asciiUpper(check.text.at(kNumberLength));
    if (letter != QChar(kControlLetters[number % 23]))
        return check;

    check.text[kNumberLength] = letter;
    check.valid = true;
    return check;
}

QString HashTexto(const QString& text) {
    return CSHA256().SHA256(text).toUpper();
}

} // namespace velantor
