#pragma once

#include <QString>

namespace velantor {

// The outcome of checking an identity number: the text as the field must show it
// afterwards (padded with leading zeros to nine characters, and in upper case when
// valid) and whether it is valid.
struct DniCheck {
    QString text;
    bool valid = false;
};

// The identity number rule: a text shorter than nine characters gets leading zeros;
// it is valid when it is then exactly eight decimal digits followed by the control
// letter of that number (upper or lower case). Blanks, signs, separators and foreign
// digits are not part of a number; a longer text is never shortened.
DniCheck checkDni(const QString& text);

// The digest the user registry stores for identity numbers and passwords: the SHA-256
// of the text in upper-case hexadecimal.
QString HashTexto(const QString& text);

} // namespace velantor
