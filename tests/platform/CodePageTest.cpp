#include <iconv.h>

#include <set>

#include <QByteArray>
#include <QString>

#include <gtest/gtest.h>

#include "platform/CodePage.h"

using namespace velantor;

namespace {

QByteArray allBytes() {
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        bytes.append(static_cast<char>(b));
    return bytes;
}

// The C library's converter, as an independent reading of a byte; -1 when it has none.
int libcChar(const char* codePage, unsigned char byte) {
    iconv_t cd = iconv_open("UTF-16LE", codePage);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return -2;
    char in[1] = {static_cast<char>(byte)};
    unsigned char out[4] = {};
    char* inPtr = in;
    char* outPtr = reinterpret_cast<char*>(out);
    size_t inLeft = 1;
    size_t outLeft = sizeof out;
    const size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (done == static_cast<size_t>(-1) || outLeft != 2)
        return -1;
    return out[0] | (out[1] << 8);
}

} // namespace

TEST(CodePage, EveryByteRoundTripsThroughItsCharacter) {
    const QByteArray bytes = allBytes();
    const QString ansi = codepage::fromWindows1252(bytes);
    const QString oem = codepage::fromCp850(bytes);
    ASSERT_EQ(ansi.size(), 256);
    ASSERT_EQ(oem.size(), 256);
    EXPECT_EQ(codepage::toWindows1252(ansi), bytes);
    EXPECT_EQ(codepage::toCp850(oem), bytes);
    // Each code page gives 256 different characters, so no byte is lost on the way back.
    EXPECT_EQ(std::set<char16_t>(ansi.utf16(), ansi.utf16() + 256).size(), 256u);
    EXPECT_EQ(std::set<char16_t>(oem.utf16(), oem.utf16() + 256).size(), 256u);
    for (int b = 0; b < 256; ++b) {
        const QChar c = codepage::windows1252Char(static_cast<unsigned char>(b));
        EXPECT_EQ(c, ansi.at(b)) << b;
        EXPECT_EQ(codepage::windows1252Byte(c), b) << b;
    }
}

TEST(CodePage, TablesAgreeWithTheCLibrary) {
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        const QByteArray one(1, static_cast<char>(byte));
        const int oem = libcChar("CP850", byte);
        ASSERT_NE(oem, -2) << "CP850 converter missing";
        EXPECT_EQ(codepage::fromCp850(one).at(0).unicode(), oem) << b;
        const int ansi = libcChar("CP1252", byte);
        ASSERT_NE(ansi, -2) << "CP1252 converter missing";
        if (ansi >= 0) {
            EXPECT_EQ(codepage::fromWindows1252(one).at(0).unicode(), ansi) << b;
        }
    }
}

TEST(CodePage, KnownCharacters) {
    EXPECT_EQ(codepage::windows1252Char(0x80), QChar(0x20AC));
    EXPECT_EQ(codepage::windows1252Byte(QChar(0x20AC)), 0x80);
    EXPECT_EQ(codepage::windows1252Char(0xF1), QChar(0x00F1));
    EXPECT_EQ(codepage::fromCp850(QByteArray("\xA4\xA5", 2)), QStringLiteral("ñÑ"));
    EXPECT_EQ(codepage::toCp850(u"ñ─│é"), QByteArray("\xA4\xC4\xB3\x82"));
    EXPECT_EQ(codepage::toWindows1252(u"€ñŸ—"), QByteArray("\x80\xF1\x9F\x97"));
    EXPECT_EQ(codepage::fromLatin1(QByteArray("\x80\xF1", 2)), QStringView(u"\u0080ñ").toString());
    // Undefined Windows-1252 bytes stand for the C1 control of the same number.
    for (const int b : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        EXPECT_EQ(codepage::windows1252Char(static_cast<unsigned char>(b)), QChar(b));
        EXPECT_EQ(codepage::windows1252Byte(QChar(b)), b);
    }
    // Other C1 controls have no byte: 0x80 is the euro sign.
    EXPECT_EQ(codepage::windows1252Byte(QChar(0x80)), -1);
    EXPECT_EQ(codepage::windows1252Byte(QChar(0x9F)), -1);
}

TEST(CodePage, CharactersWithoutAByteBecomeTheReplacement) {
    EXPECT_EQ(codepage::toWindows1252(u"a─b\u4E2D"), QByteArray("a?b?"));
    EXPECT_EQ(codepage::toWindows1252(u"─", '_'), QByteArray("_"));
    EXPECT_EQ(codepage::toCp850(u"€x"), QByteArray("?x"));
    EXPECT_EQ(codepage::toCp850(QStringView()), QByteArray());
    EXPECT_EQ(codepage::fromWindows1252(QByteArray()), QString());
}

TEST(CodePage, XmlTextComesOutAsUtf8WhateverTheEditorSavedItIn) {
    const QString text = QStringLiteral("<?xml version=\"1.0\"?><a b=\"Documentación €\"/>");
    // UTF-8 stays as it is.
    EXPECT_EQ(codepage::xmlAsUtf8(text.toUtf8()), text.toUtf8());
    // UTF-16 with and without a byte order mark, both byte orders.
    QByteArray le("\xFF\xFE", 2);
    le.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    EXPECT_EQ(codepage::xmlAsUtf8(le), text.toUtf8());
    EXPECT_EQ(codepage::xmlAsUtf8(le.mid(2)), text.toUtf8());
    QByteArray be;
    for (const QChar c : text)
        be.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
    EXPECT_EQ(codepage::xmlAsUtf8(be), text.toUtf8());
    // Declared single-byte, and single-byte under a UTF-8 declaration (a hand edit on Windows).
    const QString declared = QStringLiteral("<?xml version=\"1.0\" encoding=\"Windows-1252\"?><a b=\"ó €\"/>");
    EXPECT_EQ(codepage::xmlAsUtf8(codepage::toWindows1252(declared)), declared.toUtf8());
    const QString mislabelled = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?><a b=\"ó\"/>");
    EXPECT_EQ(codepage::xmlAsUtf8(codepage::toWindows1252(mislabelled)), mislabelled.toUtf8());
    // A file mostly UTF-8 with one letter typed in the Windows code page keeps both right;
    // bytes that only look like UTF-8 (too long a form, beyond U+10FFFF, a surrogate, a cut
    // sequence) are single Windows-1252 characters.
    EXPECT_EQ(codepage::xmlAsUtf8(QByteArray("<a>\xC3\xB3 \xF3 \x80</a>")), QStringLiteral("<a>ó ó €</a>").toUtf8());
    EXPECT_EQ(QString::fromUtf8(codepage::xmlAsUtf8(QByteArray("\xC0\xAF\xF4\x90\x80\x80\xED\xA0\x80\xE2\x82"))),
              codepage::fromWindows1252(QByteArray("\xC0\xAF\xF4\x90\x80\x80\xED\xA0\x80\xE2\x82")));
    EXPECT_EQ(codepage::xmlAsUtf8(QByteArray("\xF0\x9F\x98\x80")), QByteArray("\xF0\x9F\x98\x80"));
    EXPECT_EQ(codepage::xmlAsUtf8(QByteArray()), QByteArray());
}
