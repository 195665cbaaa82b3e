#include <random>

#include <gtest/gtest.h>

#include "document/BarcodeText.h"
#include "document/ScanReader.h"
#include "support/ScanSample.h"

using namespace velantor;

namespace {

const QString kPayload = barcode::barcodePayload(
    QStringLiteral("00000001RA001010A"), barcode::BarcodeStamp{QStringLiteral("07/12/2026"), QStringLiteral("10:15:00")},
    barcode::kVacanciesLetter, 3, QStringLiteral("0001100010002 10030003 2001"));

// The upper part of an A4 page at 150 dpi, the barcode in it as a position page has it.
ScanImage scannedPage() {
    return test::pageWith(test::printedBarcode(kPayload), 1240, 500, 150, 120, 0.5);
}

struct Turn {
    double degrees;
};

class ScanReaderTurnTest : public ::testing::TestWithParam<Turn> {};

// Feeders skew sheets by a few degrees and pages get fed upside down.
TEST_P(ScanReaderTurnTest, ReadsTheTurnedPage) {
    const ScanImage page = scannedPage().rotated(GetParam().degrees);
    const ScanReading reading = ScanReader::read(page, 150);
    ASSERT_EQ(reading.outcome, ScanReading::Outcome::Read) << GetParam().degrees;
    ASSERT_EQ(reading.payloads.size(), 1);
    EXPECT_EQ(barcode::barcodeTextFromBytes(reading.payloads.front()), kPayload);
    EXPECT_FALSE(reading.step.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Skews, ScanReaderTurnTest,
                         ::testing::Values(Turn{0}, Turn{4}, Turn{-6}, Turn{7.5}, Turn{180}, Turn{183.5}, Turn{90},
                                           Turn{-95}));

TEST(ScanReaderTest, EstimatesTheSkewOfTheBars) {
    const ScanImage page = scannedPage();
    const QList<PixelRect> areas = ScanReader::barcodeAreas(page.rotated(5), 150);
    ASSERT_EQ(areas.size(), 1);
    EXPECT_NEAR(ScanReader::skewDegrees(page.rotated(5).cropped(areas.front())), 5.0, 0.5);
    EXPECT_NEAR(ScanReader::skewDegrees(page.rotated(-3)), -3.0, 0.5);
}

TEST(ScanReaderTest, TellsBlankPagesFromSpoiledBarcodes) {
    EXPECT_EQ(ScanReader::read(ScanImage(700, 500), 150).outcome, ScanReading::Outcome::NoBarcode);

    // Every other pixel of the barcode turned at random: still a barcode to the eye, but
    // past what error correction mends.
    ScanImage spoiled = scannedPage();
    std::mt19937 random(17);
    for (int y = 120; y < 250; ++y)
        for (int x = 40; x < 660; ++x)
            if (random() % 2)
                spoiled.bits()[qsizetype(y) * spoiled.width() + x] = random() % 2 ? 0 : 255;
    const ScanReading reading = ScanReader::read(spoiled, 150);
    EXPECT_EQ(reading.outcome, ScanReading::Outcome::Unreadable);
    EXPECT_TRUE(reading.payloads.isEmpty());
}

} // namespace
