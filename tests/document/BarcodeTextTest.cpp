#include <vector>

#include <QDateTime>

#include <gtest/gtest.h>

#include "document/BarcodeText.h"

using namespace velantor::barcode;
using namespace Qt::Literals::StringLiterals;

TEST(BarcodeFolding, SpanishLettersBecomeAmpersandCodes) {
    EXPECT_EQ(foldBarcodeText(u"MUÑOZ Muñoz"_s), u"MU&NOZ Mu&noz"_s);
    // An ampersand between blanks leaves three blanks; the accent after it is still folded.
    EXPECT_EQ(foldBarcodeText(u"Juan & María"_s), u"Juan   Mar&ia"_s);
    // "&" is blanked before the accents are folded, so a typed "&" never starts a code.
    EXPECT_EQ(foldBarcodeText(u"&á"_s), u" &a"_s);
    EXPECT_EQ(foldBarcodeText(u"äëïöü ÄËÏÖÜ âêîôû ÂÊÎÔÛ"_s),
              u"&a&e&i&o&u &A&E&I&O&U &a&e&i&o&u &A&E&I&O&U"_s);
    EXPECT_EQ(foldBarcodeText(u"áéíóú ÁÉÍÓÚ àèìòù ÀÈÌÒÙ"_s),
              u"&a&e&i&o&u &A&E&I&O&U &a&e&i&o&u &A&E&I&O&U"_s);
}

TEST(BarcodeFolding, MarksAndQuotes) {
    EXPECT_EQ(foldBarcodeText(u"3ºB 1ª planta"_s), u"3.B 1. planta"_s);
    EXPECT_EQ(foldBarcodeText(u"calle \"Real\" l·l"_s), u"calle 'Real' l.l"_s);
    EXPECT_EQ(foldBarcodeText(u"¿Qué? ¡Sí!"_s), u" Qu&e   S&i "_s);
    EXPECT_EQ(foldBarcodeText(u"91?234"_s), u"91 234"_s); // a telephone with a question mark
    EXPECT_EQ(foldBarcodeText(u"Barça FRANÇOIS"_s), u"Barca FRANCOIS"_s);
    // Anything outside the table is left alone (the record turns "Ð" into "Ñ" itself).
    EXPECT_EQ(foldBarcodeText(u"Ðß|ÿ/:"_s), u"Ðß|ÿ/:"_s);
}

TEST(BarcodeBytes, Windows1252WithBlanksForTheRest) {
    EXPECT_EQ(barcodeBytes(u"A€Šÿ"_s), QByteArray("A\x80\x8A\xFF"));
    // Greek, a CJK ideograph and a character outside the basic plane: one blank each.
    EXPECT_EQ(barcodeBytes(u"aα中😀b"_s), QByteArray("a   b"));
    const QByteArray all = [] {
        QByteArray bytes;
        for (int i = 1; i < 256; ++i)
            bytes.append(static_cast<char>(i));
        return bytes;
    }();
    EXPECT_EQ(barcodeBytes(barcodeTextFromBytes(all)), all);
    EXPECT_EQ(barcodeTextFromBytes(QByteArray("\x80\x9F\xD1")), u"€ŸÑ"_s);
}

TEST(BarcodePositionText, NineCharactersPerPosition) {
    const std::vector<BarcodePosition> positions{{1, u"12345"_s}, {2, u"1234"_s}, {3, u"54321"_s}};
    const QString text = barcodePositionText(positions);
    EXPECT_EQ(text.size(), 27);
    EXPECT_EQ(text, u"000112345"
                    u"0002 1234"
                    u"000354321"_s);
    // Wider values are kept whole rather than cut.
    EXPECT_EQ(barcodePositionEntry(12345, u"123456"_s), u"12345123456"_s);
    EXPECT_EQ(barcodePositionText({}), QString());
}

TEST(BarcodePayload, HeaderStampLetterPageBodyAndEnd) {
    const BarcodeStamp stamp = BarcodeStamp::at(QDateTime(QDate(2024, 2, 1), QTime(9, 5, 7)));
    EXPECT_EQ(stamp.date, u"01/02/2024"_s);
    EXPECT_EQ(stamp.time, u"09:05:07"_s);
    EXPECT_EQ(barcodePayload(u"12345678ZA00123A"_s, stamp, kVacanciesLetter, 2, u"000112345"_s),
              u"12345678ZA00123A01/02/202409:05:07V002000112345F"_s);
    EXPECT_EQ(barcodePayload(u"H"_s, stamp, kResultasLetter, 1234, QString()),
              u"H01/02/202409:05:07R1234F"_s);
    EXPECT_EQ(firstPagePayload(u"H"_s, stamp, u"S|A|"_s), u"H01/02/202409:05:07P001S|A|F"_s);
}
