#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "CatalogueTestFolder.h"
#include "catalogues/Decoding.h"
#include "platform/MessageService.h"

using namespace velantor;
using namespace velantor::catalogues;
using velantor::catalogues::testing::readBytes;
using velantor::catalogues::testing::writeBytes;

namespace {

// Stored form of plain Latin-1/ASCII text: every byte one code up.
QByteArray stored(const QByteArray& plain) {
    QByteArray out = plain;
    for (char& c : out) {
        if (c != '\r' && c != '\n')
            c = char(static_cast<unsigned char>(c) + 1);
    }
    return out;
}

class DecodificaFicheroTest : public ::testing::Test {
protected:
    QTemporaryDir dir;

    QString path(const char* name) const { return QDir(dir.path()).filePath(QString::fromLatin1(name)); }
    // Decoding only reads: the data folder holds afterwards what it held before.
    QStringList entries() const { return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot); }
};

} // namespace

TEST(DesplazaTexto, MovesEveryCodeAndKeepsTheLength) {
    EXPECT_EQ(DesplazaTexto(u"IPMB!", -1).value(), QStringLiteral("HOLA "));
    EXPECT_EQ(DesplazaTexto(u"Año", 1).value(), QStringLiteral("Bòp"));
    // 0x80 is the euro sign in Windows-1252: the shift works on code-page codes, not Unicode.
    EXPECT_EQ(DesplazaTexto(QStringLiteral("\u20AC"), -1).value(), QString(QChar(0x7F)));
    EXPECT_EQ(DesplazaTexto(u"", -1).value(), QString());
}

TEST(DesplazaTexto, CodesOutsideTheCodePageFail) {
    const auto below = DesplazaTexto(QString(QChar(0)), -1);
    ASSERT_FALSE(below.has_value());
    EXPECT_EQ(below.error().number, errors::kCodeOutOfRange);
    EXPECT_FALSE(DesplazaTexto(QStringLiteral("\u00FF"), 1).has_value());
    EXPECT_FALSE(DesplazaTexto(QStringLiteral("\u0151"), -1).has_value()); // not in Windows-1252
}

TEST(ShiftCatalogueLines, LineRules) {
    // Empty lines vanish, a blanks-only line stays, every kind of line end is taken,
    // and a last line without a line end is kept.
    const QByteArray input =
        stored("AB") + "\r\n\r\n" + stored("   ") + "\n" + stored("C") + "\r" + stored("DE");
    EXPECT_EQ(shiftCatalogueLines(input, -1, QStringLiteral("F.enc")).value(),
              QByteArray("AB\r\n   \r\nC\r\nDE\r\n"));
    EXPECT_EQ(shiftCatalogueLines("", -1, QStringLiteral("F.enc")).value(), QByteArray());
    EXPECT_EQ(shiftCatalogueLines("\r\n\r\n", -1, QStringLiteral("F.enc")).value(), QByteArray());
}

TEST(ShiftCatalogueLines, OneCodeAboveABlankIsABlank) {
    EXPECT_EQ(shiftCatalogueLines("!!A!", -1, QStringLiteral("F.enc")).value(), QByteArray("  @ \r\n"));
}

TEST(ShiftCatalogueLines, AStoredZeroCannotBeDecodedAndNamesItsPlace) {
    const QByteArray input = stored("AB") + "\r\n" + QByteArray("BC\0D", 4) + "\r\n";
    const auto decoded = shiftCatalogueLines(input, -1, QStringLiteral("F0004.enc"));
    ASSERT_FALSE(decoded.has_value());
    EXPECT_EQ(decoded.error().number, errors::kCodeOutOfRange);
    EXPECT_TRUE(decoded.error().description.contains(QStringLiteral("línea 2 de F0004.enc")));
    EXPECT_TRUE(decoded.error().description.contains(QStringLiteral("columna 3")));
}

TEST_F(DecodificaFicheroTest, GivesThePlainTextAndWritesNothing) {
    writeBytes(path("F0005.enc"), stored("A\r\nB\r\n\r\nX"));
    const QStringList before = entries();
    const auto plain = DecodificaFichero(dir.path(), QStringLiteral("F0005.enc"));
    ASSERT_TRUE(plain.has_value());
    EXPECT_EQ(*plain, QByteArray("A\r\nB\r\nX\r\n"));
    EXPECT_EQ(entries(), before);
    EXPECT_EQ(readBytes(path("F0005.enc")), stored("A\r\nB\r\n\r\nX"));
}

TEST_F(DecodificaFicheroTest, FailuresComeBackWithTheirNumberAndTheTextShownForThem) {
    const auto missing = DecodificaFichero(dir.path(), QStringLiteral("F0016.enc"));
    ASSERT_FALSE(missing.has_value());
    EXPECT_EQ(missing.error().number, errors::kFileNotFound);
    EXPECT_TRUE(missing.error().description.startsWith(QStringLiteral("No se encuentra el archivo ")));
    EXPECT_TRUE(missing.error().description.endsWith(QStringLiteral("F0016.enc")));
    EXPECT_EQ(decodingFailureText(missing.error()),
              QStringLiteral("Se ha producido el siguiente error 53-") + missing.error().description);

    const auto noFolder = DecodificaFichero(path("no-existe"), QStringLiteral("F0001.enc"));
    ASSERT_FALSE(noFolder.has_value());
    EXPECT_EQ(noFolder.error().number, errors::kPathNotFound);

    // A code out of range anywhere fails the whole file.
    writeBytes(path("F0003.enc"), stored("24089Leon\r\n") + QByteArray("\0", 1));
    const auto outOfRange = DecodificaFichero(dir.path(), QStringLiteral("F0003.enc"));
    ASSERT_FALSE(outOfRange.has_value());
    EXPECT_EQ(outOfRange.error().number, errors::kCodeOutOfRange);

    // A folder in place of the file.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("F0005.enc")));
    const auto folder = DecodificaFichero(dir.path(), QStringLiteral("F0005.enc"));
    ASSERT_FALSE(folder.has_value());
    EXPECT_EQ(folder.error().number, errors::kFileAccess);
}

TEST_F(DecodificaFicheroTest, LargeFilesDecodeAlikeWhereverTheirLinesEnd) {
    // Lines of many lengths with every kind of line end, a CR LF pair falling on every
    // possible boundary, and one line longer than anything read at once.
    QByteArray plain;
    QByteArray encoded;
    const char* ends[] = {"\r\n", "\n", "\r", "\r\n\r\n"};
    for (int i = 0; i < 6000; ++i) {
        const QByteArray line = QByteArray::number(i).rightJustified(5, '0') + QByteArray(i % 97, char('A' + i % 26));
        encoded += stored(line) + ends[i % 4];
        plain += line + "\r\n";
    }
    const QByteArray longLine(300 * 1024, 'Z');
    encoded += stored(longLine) + "\r\n" + stored("fin");
    plain += longLine + "\r\n" + "fin\r\n";
    writeBytes(path("F0009.enc"), encoded);
    EXPECT_EQ(DecodificaFichero(dir.path(), QStringLiteral("F0009.enc")).value(), plain);
    EXPECT_EQ(shiftCatalogueLines(encoded, -1, QStringLiteral("F0009.enc")).value(), plain);
}

TEST_F(DecodificaFicheroTest, AnOutOfRangeCodeFarIntoTheFileNamesItsLine) {
    QByteArray encoded;
    for (int i = 0; i < 20000; ++i)
        encoded += stored("24089Leon") + "\r\n";
    encoded += stored("24") + QByteArray("\0", 1) + stored("89") + "\r\n";
    writeBytes(path("F0003.enc"), encoded);
    const auto decoded = DecodificaFichero(dir.path(), QStringLiteral("F0003.enc"));
    ASSERT_FALSE(decoded.has_value());
    EXPECT_TRUE(decoded.error().description.contains(QStringLiteral("línea 20001 de F0003.enc, columna 3")))
        << decoded.error().description.toStdString();
}
