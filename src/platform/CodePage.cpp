#include "platform/CodePage.h"

#include <algorithm>
#include <array>
#include <utility>

#include <QRegularExpression>
#include <QStringDecoder>

namespace velantor::codepage {
namespace {

using UpperHalf = std::array<char16_t, 128>;

// Characters of bytes 0x80..0xFF; bytes 0x00..0x7F are ASCII in both code pages.
constexpr UpperHalf kWindows1252 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, //
    0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7, //
    0x00A8, 0x00A9, 0x00AA, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF, //
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7, //
    0x00B8, 0x00B9, 0x00BA, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF, //
    0x00C0, 0x00C1, 0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C6, 0x00C7, //
    0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD, 0x00CE, 0x00CF, //
    0x00D0, 0x00D1, 0x00D2, 0x00D3, 0x00D4, 0x00D5, 0x00D6, 0x00D7, //
    0x00D8, 0x00D9, 0x00DA, 0x00DB, 0x00DC, 0x00DD, 0x00DE, 0x00DF, //
    0x00E0, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x00E7, //
    0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x00EC, 0x00ED, 0x00EE, 0x00EF, //
    0x00F0, 0x00F1, 0x00F2, 0x00F3, 0x00F4, 0x00F5, 0x00F6, 0x00F7, //
    0x00F8, 0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x00FD, 0x00FE, 0x00FF, //
};

constexpr UpperHalf kCp850 = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, //
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5, //
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, //
    0x00FF, 0x00D6, 0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192, //
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA, //
    0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, //
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x00C0, //
    0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510, //
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3, //
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4, //
    0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE, //
    0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580, //
    0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE, //
    0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4, //
    0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8, //
    0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0, //
};

// Reverse look-up of an upper half: (character, byte) pairs sorted by character.
class ReverseTable {
public:
    explicit ReverseTable(const UpperHalf& half) {
        for (int i = 0; i < 128; ++i)
            m_pairs[i] = {half[i], static_cast<unsigned char>(0x80 + i)};
        std::ranges::sort(m_pairs);
    }

    int byteOf(char16_t c) const {
        if (c < 0x80)
            return c;
        const auto it = std::ranges::lower_bound(m_pairs, std::pair<char16_t, unsigned char>{c, 0});
        return it != m_pairs.end() && it->first == c ? it->second : -1;
    }

private:
    std::array<std::pair<char16_t, unsigned char>, 128> m_pairs{};
};

const ReverseTable& windows1252Reverse() {
    static const ReverseTable table(kWindows1252);
    return table;
}

const ReverseTable& cp850Reverse() {
    static const ReverseTable table(kCp850);
    return table;
}

QString decode(const QByteArray& bytes, const UpperHalf& half) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        *out++ = QChar(b < 0x80 ? char16_t(b) : half[b - 0x80]);
    }
    return text;
}

QByteArray encode(QStringView text, const ReverseTable& reverse, char replacement) {
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    for (const QChar c : text) {
        const int b = reverse.byteOf(c.unicode());
        *out++ = b < 0 ? replacement : static_cast<char>(b);
    }
    return bytes;
}

// The length of a well-formed UTF-8 sequence at `at` (shortest form, no surrogates, at
// most U+10FFFF), or 0 when the bytes there are not one.
int utf8SequenceAt(const QByteArray& bytes, qsizetype at) {
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(at);
    int length = 0;
    char32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (at + length > bytes.size())
        return 0;
    for (int i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(at + i) & 0x3F);
    }
    const bool shortest = length == 2 || (length == 3 && code >= 0x800) || (length == 4 && code >= 0x10000);
    return shortest && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF) ? length : 0;
}

// UTF-8 where the bytes are UTF-8; every other byte as the Windows-1252 character it is there.
QString utf8OrWindows1252(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    qsizetype from = 0; // start of the run of plain UTF-8 not yet appended
    for (qsizetype i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        if (const int length = utf8SequenceAt(bytes, i)) {
            i += length;
            continue;
        }
        text += QString::fromUtf8(bytes.constData() + from, i - from);
        text += windows1252Char(static_cast<unsigned char>(bytes[i]));
        from = ++i;
    }
    text += QString::fromUtf8(bytes.constData() + from, bytes.size() - from);
    return text;
}

} // namespace

QString fromWindows1252(const QByteArray& bytes) {
    return decode(bytes, kWindows1252);
}

QString fromCp850(const QByteArray& bytes) {
    return decode(bytes, kCp850);
}

QString fromLatin1(const QByteArray& bytes) {
    return QString::fromLatin1(bytes);
}

QByteArray toWindows1252(QStringView text, char replacement) {
    return encode(text, windows1252Reverse(), replacement);
}

QByteArray toCp850(QStringView text, char replacement) {
    return encode(text, cp850Reverse(), replacement);
}

int windows1252Byte(QChar c) {
    return windows1252Reverse().byteOf(c.unicode());
}

QChar windows1252Char(unsigned char byte) {
    return QChar(byte < 0x80 ? char16_t(byte) : kWindows1252[byte - 0x80]);
}

QByteArray xmlAsUtf8(const QByteArray& bytes) {
    const auto utf16 = [&](QStringDecoder::Encoding encoding) {
        QStringDecoder decoder(encoding);
        return QString(decoder.decode(bytes)).toUtf8();
    };
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith(QByteArrayView("<\0?\0", 4)))
        return utf16(QStringDecoder::Utf16LE);
    if (bytes.startsWith("\xFE\xFF") || bytes.startsWith(QByteArrayView("\0<\0?", 4)))
        return utf16(QStringDecoder::Utf16BE);

    static const QRegularExpression declaration(
        QStringLiteral(R"(^\s*<\?xml[^>]*encoding\s*=\s*["']([^"']+)["'])"),
        QRegularExpression::CaseInsensitiveOption);
    const auto match = declaration.match(QString::fromLatin1(bytes.left(200)));
    static const QStringList singleByte{QStringLiteral("windows-1252"), QStringLiteral("cp1252"),
                                        QStringLiteral("iso-8859-1"),   QStringLiteral("iso-8859-15"),
                                        QStringLiteral("latin1"),       QStringLiteral("latin-1")};
    if (match.hasMatch() && singleByte.contains(match.captured(1).toLower()))
        return fromWindows1252(bytes).toUtf8();

    return utf8OrWindows1252(bytes).toUtf8();
}

QString oemToAnsi(const QString& text) {
    return fromCp850(toWindows1252(text));
}

} // namespace velantor::codepage
