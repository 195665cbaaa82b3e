#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "document/BarcodeErrors.h"
#include "document/BarcodeReader.h"
#include "document/BarcodeRecord.h"
#include "document/BarcodeText.h"
#include "document/Pdf417Picture.h"

using namespace velantor;
using namespace velantor::barcode;
using namespace Qt::Literals::StringLiterals;

namespace {

// Typed text of a given length, with the accents and "Ñ" of Spanish names, which folding
// turns into two characters each.
QString typed(int length) {
    const QString pattern = u"MARÍA DEL CARMEN GARCÍA-NÚÑEZ "_s;
    QString text;
    while (text.size() < length)
        text += pattern;
    return text.left(length);
}

// A first page with every typed text at the length the form allows, or at most `longest`.
QString firstPage(int longest = 1000) {
    const auto typed = [longest](int length) { return ::typed(std::min(length, longest)); };
    BarcodeRecordInput in;
    in.txtApellido1 = typed(30);
    in.txtApellido2 = typed(30);
    in.txtNombre = typed(30);
    in.txtDNI = u"12345678Z"_s;
    in.txtFecNacimiento = u"05/03/1980"_s;
    in.txtTelefono = u"924000000000"_s;
    in.optPetConyugeSi = true;
    in.txtDNIConyuge = u"87654321X"_s;
    in.txtConyuApellido1 = typed(30);
    in.txtCOnyuApellido2 = typed(30);
    in.txtConyuNombre = typed(30);
    in.optDiscSi = true;
    in.txtTipoDisc = typed(50);
    in.txtAdaptaciones = typed(100);
    in.txtDomicilio = typed(60);
    in.txtLocalidad = typed(50);
    in.cboProvincia = typed(50);
    in.txtCP = u"06800"_s;
    in.cboCuerpo = u"123456"_s;
    in.cuerpoGrupo = u"A1"_s;
    in.cboGrupo = u"A"_s;
    in.txtNRP = typed(20);
    in.txtFechaIngreso = u"01/09/2005"_s;
    in.situacionEsOtras = u"1"_s;
    in.txtSitAdm = typed(50);
    in.txtFechaSit = u"15/06/2020"_s;
    in.txtSS = typed(50);
    in.txtPuesto = typed(53);
    in.txtLocalidadPuesto = typed(53);
    in.txtProvinciaPuesto = typed(50);
    in.txtFecPosesion = u"02/01/2010"_s;
    in.txtInstiAct = typed(53);
    in.txtZBSAct = typed(53);
    in.txtProvAct = typed(50);
    const BarcodeStamp stamp{u"31/12/2024"_s, u"23:59:59"_s};
    return firstPagePayload(buildBarcodeHeader(in), stamp, *buildApplicationRecord(in));
}

QString largestFirstPage() {
    return firstPage();
}

QString positionPage(int count) {
    std::vector<BarcodePosition> positions;
    for (int orden = 1; orden <= count; ++orden)
        positions.push_back(
            {orden, orden % 4 ? QString::number(10000 + orden * 7) : QString::number(1000 + orden)});
    return barcodePayload(u"12345678ZA100123A"_s, BarcodeStamp{u"31/12/2024"_s, u"23:59:59"_s},
                          kVacanciesLetter, 999, barcodePositionText(positions));
}

// The picture must have the box's proportions to the pixel, modules must be whole pixels
// and pure black or white, and the payload must read back exactly.
void expectSoundPicture(const Pdf417Picture& picture, BarcodeBox box) {
    const BarcodeImage& image = picture.image();
    EXPECT_EQ(image.height(), std::lround(double(image.width()) * box.heightTwips / box.widthTwips));
    const int p = picture.modulePixels();
    EXPECT_GE(picture.rowPixels(), 3 * p);
    for (int y = 0; y < image.height(); ++y) {
        int run = 0;
        for (int x = 0; x < image.width(); ++x) {
            const unsigned char value = image.pixel(x, y);
            ASSERT_TRUE(value == 0 || value == 255);
            if (value == 0) {
                ++run;
            } else if (run > 0) {
                ASSERT_EQ(run % p, 0) << "row " << y;
                run = 0;
            }
        }
        // Quiet zone: two modules of white on the left and the right.
        EXPECT_EQ(image.pixel(2 * p - 1, y), 255);
        EXPECT_EQ(image.pixel(image.width() - 2 * p, y), 255);
    }
    for (int x = 0; x < image.width(); ++x) {
        EXPECT_EQ(image.pixel(x, 2 * p - 1), 255);
        EXPECT_EQ(image.pixel(x, image.height() - 2 * p), 255);
    }
    const auto recommended = Pdf417Picture::recommendedErrorCorrection(picture.payload());
    ASSERT_TRUE(recommended.has_value());
    EXPECT_GE(picture.errorCorrectionLevel(), *recommended);
    EXPECT_EQ(BarcodeReader::read(image), QList<QByteArray>{picture.payload()});
}

} // namespace

TEST(BarcodeBoxes, GeneratorHeightsScaledByOnePointThreeAndNoLowerOnPaper) {
    EXPECT_EQ(scaledBarcodeHeight(2000), 2600);
    EXPECT_EQ(scaledBarcodeHeight(900), 1170);
    EXPECT_GE(kFirstPageBarcodeBox.heightTwips, scaledBarcodeHeight(2000));
    EXPECT_GE(kPositionPageBarcodeBox.heightTwips, scaledBarcodeHeight(900));
    // An A4 page's text, 2 cm margins, less a cell's margins on both sides.
    EXPECT_LE(kBarcodeBoxWidthTwips, 11906 - 2 * 1134 - 2 * 108);
}

TEST(Pdf417Picture, LargestFirstPageFitsAndReadsBack) {
    const QByteArray bytes = barcodeBytes(foldBarcodeText(largestFirstPage()));
    const auto picture = Pdf417Picture::make(bytes, kFirstPageBarcodeBox);
    ASSERT_TRUE(picture.has_value()) << qPrintable(picture.error().description);
    EXPECT_GT(bytes.size(), 1150);
    expectSoundPicture(*picture, kFirstPageBarcodeBox);
    EXPECT_GE(picture->moduleMillimetres(), 0.3);
}

// Names and addresses of everyday length print modules a scanner at 200 dpi resolves,
// one level above the recommended error correction.
TEST(Pdf417Picture, EverydayFirstPageHasScannableModules) {
    const QByteArray bytes = barcodeBytes(foldBarcodeText(firstPage(24)));
    const auto picture = Pdf417Picture::make(bytes, kFirstPageBarcodeBox);
    ASSERT_TRUE(picture.has_value());
    EXPECT_GE(picture->moduleMillimetres(), kScannableModuleMillimetres) << bytes.size() << " bytes";
    EXPECT_EQ(picture->errorCorrectionLevel(), *Pdf417Picture::recommendedErrorCorrection(bytes) + 1);
    expectSoundPicture(*picture, kFirstPageBarcodeBox);
}

TEST(Pdf417Picture, FullPositionPageFitsAndReadsBack) {
    const QByteArray bytes = barcodeBytes(foldBarcodeText(positionPage(40)));
    const auto picture = Pdf417Picture::make(bytes, kPositionPageBarcodeBox);
    ASSERT_TRUE(picture.has_value()) << qPrintable(picture.error().description);
    expectSoundPicture(*picture, kPositionPageBarcodeBox);
    // A full page is recommended level 4: one more would make its modules too narrow to scan.
    EXPECT_EQ(picture->errorCorrectionLevel(), 4);
    EXPECT_GE(picture->moduleMillimetres(), kScannableModuleMillimetres);
}

TEST(Pdf417Picture, ErrorCorrectionFollowsTheDataSize) {
    // Upper-case text packs two letters to a codeword, plus the length descriptor.
    const auto level = [](int letters) {
        return *Pdf417Picture::recommendedErrorCorrection(QByteArray(letters, 'A'));
    };
    EXPECT_EQ(level(78), 2); // 40 data codewords
    EXPECT_EQ(level(79), 3);
    EXPECT_EQ(level(318), 3); // 160
    EXPECT_EQ(level(319), 4);
    EXPECT_EQ(level(638), 4); // 320
    EXPECT_EQ(level(639), 5);
    const auto small = Pdf417Picture::make("F", kPositionPageBarcodeBox);
    ASSERT_TRUE(small.has_value());
    EXPECT_EQ(small->errorCorrectionLevel(), 3);
    expectSoundPicture(*small, kPositionPageBarcodeBox);
}

TEST(Pdf417Picture, HighBytesSurviveTheRoundTrip) {
    const QByteArray bytes = barcodeBytes(u"Ðß€ÿ ŠŽ ‰ “x” ¤"_s) + QByteArray("\x81\x8D\x01\x7F", 4);
    const auto picture = Pdf417Picture::make(bytes, kFirstPageBarcodeBox);
    ASSERT_TRUE(picture.has_value());
    expectSoundPicture(*picture, kFirstPageBarcodeBox);
}

TEST(Pdf417Picture, RefusesWhatCannotBeEncoded) {
    const auto tooLong = Pdf417Picture::make(QByteArray(1500, '\xF1'), kFirstPageBarcodeBox);
    ASSERT_FALSE(tooLong.has_value());
    EXPECT_EQ(tooLong.error().number, errors::kBarcodeTooLong);
    EXPECT_TRUE(tooLong.error().description.contains(u"no caben"_s));
    EXPECT_FALSE(Pdf417Picture::make(QByteArray(), kFirstPageBarcodeBox).has_value());
    EXPECT_FALSE(Pdf417Picture::make("ABC", BarcodeBox{6000, 0}).has_value());
}

TEST(Pdf417Picture, ResolutionMakesTheNaturalSizeTheBox) {
    const auto picture = Pdf417Picture::make("12345678ZA100123A", kFirstPageBarcodeBox);
    ASSERT_TRUE(picture.has_value());
    const double metres = kFirstPageBarcodeBox.widthTwips / 1440.0 * 0.0254;
    EXPECT_NEAR(picture->image().width() / double(picture->image().dotsPerMeter()), metres, 0.0001);
    // At most 300 dots per inch across the box.
    EXPECT_LE(picture->image().width(), kFirstPageBarcodeBox.widthTwips / 1440.0 * 300);
}
