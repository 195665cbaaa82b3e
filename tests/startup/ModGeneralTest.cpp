#include <gtest/gtest.h>

#include "platform/CodePage.h"
#include "platform/MessageService.h"
#include "startup/ModGeneral.h"

using namespace velantor;

TEST(Rellenar, PadsOnEitherSideAndNeverCuts) {
    RecordingMessageService messages;
    const QString a = QStringLiteral("A");
    const QString zero = QStringLiteral("0");
    EXPECT_EQ(Rellenar(a, 2, true, zero, messages), QStringLiteral("0A"));
    EXPECT_EQ(Rellenar(a, 2, false, zero, messages), QStringLiteral("A0"));
    EXPECT_EQ(Rellenar(a, 1, true, zero, messages), a);
    EXPECT_EQ(Rellenar(a, 0, false, zero, messages), a);
    EXPECT_EQ(Rellenar(a, -5, true, zero, messages), a);
    EXPECT_EQ(Rellenar(QStringLiteral("1234567890"), 4, true, zero, messages), QStringLiteral("1234567890"));
    EXPECT_EQ(Rellenar(QString(), 3, false, QStringLiteral("_"), messages), QStringLiteral("___"));
    EXPECT_EQ(Rellenar(QStringLiteral("12"), 5, true, QStringLiteral(" "), messages),
              QStringLiteral("   12"));
    EXPECT_TRUE(messages.empty());
}

TEST(Rellenar, PadOfOtherThanOneCharacterIsReportedAndGivesEmptyText) {
    for (const QString& pad : {QStringLiteral("00"), QString(), QStringLiteral("😀")}) {
        RecordingMessageService messages;
        EXPECT_EQ(Rellenar(QStringLiteral("A"), 4, true, pad, messages), QString());
        ASSERT_EQ(messages.messages().size(), 1u);
        const Message& m = messages.last();
        EXPECT_EQ(m.text,
                  QStringLiteral("Sólo se admiten caracteres, no cadenas en el argumento 'caracter'"));
        EXPECT_EQ(m.title, QStringLiteral("Error"));
        EXPECT_EQ(m.icon, MessageIcon::None);
        EXPECT_EQ(m.buttons, MessageButtons::Ok);
    }
}

TEST(OemAAnsi, ReadsTheAnsiBytesAgainAsOemCharacters) {
    // A catalogue written in code page 850 and read as Windows-1252 shows "¤" for "ñ",
    // "¥" for "Ñ" and "‚" for "é".
    EXPECT_EQ(OemAAnsi(QStringLiteral("Espa¤a")), QStringLiteral("España"));
    EXPECT_EQ(OemAAnsi(QStringLiteral("CORU¥A")), QStringLiteral("CORUÑA"));
    EXPECT_EQ(OemAAnsi(QStringLiteral("M‚dico")), QStringLiteral("Médico"));
    EXPECT_EQ(OemAAnsi(QStringLiteral("ABC 123 ;|")), QStringLiteral("ABC 123 ;|"));
    EXPECT_EQ(OemAAnsi(QString()), QString());
    // Every Windows-1252 character maps to exactly one character.
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    const QString converted = OemAAnsi(codepage::fromWindows1252(all));
    EXPECT_EQ(converted, codepage::fromCp850(all));
    // A character the ANSI code page lacks cannot have been read from a file; it keeps
    // its place as "?".
    EXPECT_EQ(OemAAnsi(QStringLiteral("a─b")), QStringLiteral("a?b"));
}
