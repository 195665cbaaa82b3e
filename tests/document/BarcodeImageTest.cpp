#include <QImage>
#include <QtEndian>

#include <gtest/gtest.h>

#include "document/BarcodeErrors.h"
#include "document/BarcodeImage.h"

using namespace velantor;

namespace {

// 5 × 3 with a grey pixel, so the picture is not pure black and white.
BarcodeImage sample() {
    BarcodeImage image(5, 3);
    image.fillRect(0, 0, 2, 1, 0);
    image.fillRect(4, 2, 1, 1, 0);
    image.fillRect(2, 1, 1, 1, 128);
    image.setDotsPerMeter(11811);
    return image;
}

quint32 le32(const QByteArray& data, int offset) {
    return qFromLittleEndian<quint32>(data.constData() + offset);
}

// A BMP of `bits` bits per pixel with a black-and-white palette where there is one.
QByteArray handMadeBmp(int bits, int width, int height, const QByteArray& rows, quint32 compression = 0) {
    QByteArray out("BM", 2);
    const int palette = bits <= 8 ? 2 : 0;
    auto put32 = [&](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        out.append(b, 4);
    };
    auto put16 = [&](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        out.append(b, 2);
    };
    put32(54 + palette * 4 + rows.size());
    put32(0);
    put32(54 + palette * 4);
    put32(40);
    put32(static_cast<quint32>(width));
    put32(static_cast<quint32>(height));
    put16(1);
    put16(static_cast<quint16>(bits));
    put32(compression);
    put32(static_cast<quint32>(rows.size()));
    put32(0);
    put32(0);
    put32(palette);
    put32(0);
    if (palette) {
        out.append("\0\0\0\0", 4);       // index 0 black
        out.append("\xFF\xFF\xFF\0", 4); // index 1 white
    }
    return out + rows;
}

} // namespace

TEST(BarcodeImageBmp, PlainTwentyFourBitFileReadsBack) {
    const BarcodeImage image = sample();
    const QByteArray bmp = image.toBmp();
    ASSERT_TRUE(bmp.startsWith("BM"));
    EXPECT_EQ(le32(bmp, 2), static_cast<quint32>(bmp.size()));
    EXPECT_EQ(le32(bmp, 10), 54u); // pixels right after the two headers
    EXPECT_EQ(le32(bmp, 14), 40u); // BITMAPINFOHEADER
    EXPECT_EQ(le32(bmp, 22), 3u);  // positive height: bottom-up
    EXPECT_EQ(qFromLittleEndian<quint16>(bmp.constData() + 28), 24);
    EXPECT_EQ(bmp.size(), 54 + 3 * 16); // 15 bytes a row, padded to 16
    EXPECT_EQ(bmp.at(54 + 32), '\0');   // first stored row is the top row, black at x = 0
    EXPECT_EQ(le32(bmp, 38), 11811u);

    const auto back = BarcodeImage::fromBmp(bmp);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->pixels(), image.pixels());
    EXPECT_EQ(back->dotsPerMeter(), 11811);
    EXPECT_EQ(QImage::fromData(bmp).convertToFormat(QImage::Format_Grayscale8).pixelColor(2, 1).red(), 128);
}

TEST(BarcodeImageBmp, ReadsPaletteAndTopDownFiles) {
    // 1 bit, 3 × 2, bottom-up: bottom row "black white black", top row all white.
    const QByteArray oneBit("\x40\0\0\0\xE0\0\0\0", 8);
    const auto mono = BarcodeImage::fromBmp(handMadeBmp(1, 3, 2, oneBit));
    ASSERT_TRUE(mono.has_value());
    EXPECT_EQ(mono->pixels(), QByteArray("\xFF\xFF\xFF\x00\xFF\x00", 6));

    // 8 bits, top-down (negative height), 2 × 1.
    QByteArray topDown = handMadeBmp(8, 2, 1, QByteArray("\x01\x00\0\0", 4));
    qToLittleEndian<qint32>(-1, topDown.data() + 22);
    const auto eight = BarcodeImage::fromBmp(topDown);
    ASSERT_TRUE(eight.has_value());
    EXPECT_EQ(eight->pixels(), QByteArray("\xFF\x00", 2));

    // 32 bits, blue-green-red-alpha: pure red is a dark grey.
    const auto direct = BarcodeImage::fromBmp(handMadeBmp(32, 1, 1, QByteArray("\0\0\xFF\xFF", 4)));
    ASSERT_TRUE(direct.has_value());
    EXPECT_EQ(static_cast<unsigned char>(direct->pixels().at(0)), 76);
}

TEST(BarcodeImageBmp, RefusesWhatItCannotRead) {
    const QByteArray good = sample().toBmp();
    for (const QByteArray& bad :
         {QByteArray("GIF89a"), good.left(60), handMadeBmp(8, 2, 1, "\x01\x00\0\0", 1),
          handMadeBmp(16, 1, 1, QByteArray(4, '\0')),
          // A header size of 4 GiB - 1 that once wrapped round and let the reader past the end.
          QByteArray::fromBase64("Qk0AMM4Ay00AMM4Ay////////////////wA=")}) {
        const auto read = BarcodeImage::fromBmp(bad);
        ASSERT_FALSE(read.has_value());
        EXPECT_EQ(read.error().number, errors::kBarcodeUnreadable);
        EXPECT_TRUE(read.error().description.startsWith(QStringLiteral("La imagen BMP no se puede leer")));
    }
}

TEST(BarcodeImagePng, OneBitForBlackAndWhiteEightForGrey) {
    BarcodeImage blackAndWhite(19, 4);
    blackAndWhite.fillRect(3, 1, 9, 2, 0);
    blackAndWhite.setDotsPerMeter(11811);
    const QImage mono = QImage::fromData(blackAndWhite.toPng(), "PNG");
    ASSERT_FALSE(mono.isNull());
    EXPECT_EQ(mono.depth(), 1);
    EXPECT_EQ(mono.dotsPerMeterX(), 11811);
    const QImage monoGrey = mono.convertToFormat(QImage::Format_Grayscale8);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 19; ++x)
            ASSERT_EQ(monoGrey.pixelColor(x, y).red(), blackAndWhite.pixel(x, y)) << x << "," << y;

    const BarcodeImage grey = sample();
    const QImage eight = QImage::fromData(grey.toPng(), "PNG");
    ASSERT_FALSE(eight.isNull());
    EXPECT_EQ(eight.format(), QImage::Format_Grayscale8);
    EXPECT_EQ(eight.pixelColor(2, 1).red(), 128);
    EXPECT_EQ(eight.pixelColor(4, 2).red(), 0);
}
