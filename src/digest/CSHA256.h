#pragma once

#include <QString>

namespace velantor {

// SHA-256 (FIPS 180-2) of a text. Each 16-bit character gives one message byte, its
// low eight bits, so Latin-1 texts hash as their Latin-1 bytes and a character above
// U+00FF loses its high byte. The result is 64 lower-case hexadecimal digits.
class CSHA256 {
public:
    QString SHA256(const QString& text) const;
};

} // namespace velantor
