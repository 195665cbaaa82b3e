#pragma once

#include <QByteArray>

#include "document/BarcodeImage.h"
#include "platform/Error.h"

namespace velantor {

// The box a barcode picture fills on the page, in twips (1/1440 inch).
struct BarcodeBox {
    int widthTwips = 0;
    int heightTwips = 0;
};

// The generator asks for 6000 × 2000 on the first page and 6000 × 900 on position pages;
// the height is scaled by 1.3 (rounded to the nearest, halves to even).
int scaledBarcodeHeight(int requestedHeightTwips);

// The boxes are as wide as the page's text less a table cell's margins (165 mm of an A4
// page with 2 cm margins), so that a full page of positions or a long first page still
// prints modules of 0.5 mm, which a scanner at 200 dots per inch resolves as four dots.
// They are taller than asked for too: the first page's 60 mm (in place of 45.9 mm) hold
// the record of names and addresses of everyday length at 0.5 mm one level above the
// recommended error correction, and fit in the space the first page leaves free; a
// position page's 24.7 mm (in place of 20.6 mm) hold a page of 40 positions at 0.5 mm.
inline constexpr int kBarcodeBoxWidthTwips = 9360;
inline constexpr BarcodeBox kFirstPageBarcodeBox{kBarcodeBoxWidthTwips, 3400};
inline constexpr BarcodeBox kPositionPageBarcodeBox{kBarcodeBoxWidthTwips, 1400};

// The narrowest module that scans reliably: 0.5 mm on paper.
inline constexpr double kScannableModuleMillimetres = 0.5;

// A PDF417 symbol drawn to fill a box without distortion.
//
// Error correction: never below the level ISO/IEC 15438 recommends for the number of data
// codewords (up to 40: 2, up to 160: 3, up to 320: 4, up to 863: 5), and one level above
// it whenever the payload still fits with modules of at least kScannableModuleMillimetres,
// because a printed page gets creased, stamped and photocopied. When neither level gives
// such modules, the one with the wider modules is taken.
//
// Size: the fewest data columns whose symbol, with rows at least three modules high and a
// quiet zone of two modules all round, fits the box's proportions. Fewer columns mean
// wider modules and so a more forgiving print. Every module is a whole number of pixels
// (about 300 dots per inch across the box at most, so that a PDF writer has no reason to
// resample it); the picture has exactly the box's proportions, so placing it in the box
// scales both directions alike, and the unused height is white above and below.
class Pdf417Picture {
public:
    static Result<Pdf417Picture> make(const QByteArray& payload, BarcodeBox box);

    // The level ISO/IEC 15438 recommends for this payload.
    static Result<int> recommendedErrorCorrection(const QByteArray& payload);

    const BarcodeImage& image() const { return m_image; }
    const QByteArray& payload() const { return m_payload; }
    int columns() const { return m_columns; }
    int rows() const { return m_rows; }
    int errorCorrectionLevel() const { return m_errorCorrectionLevel; }
    int modulePixels() const { return m_modulePixels; }
    int rowPixels() const { return m_rowPixels; }
    // The module width on paper when the picture fills its box.
    double moduleMillimetres() const { return m_moduleMillimetres; }

private:
    BarcodeImage m_image;
    QByteArray m_payload;
    int m_columns = 0;
    int m_rows = 0;
    int m_errorCorrectionLevel = 0;
    int m_modulePixels = 0;
    int m_rowPixels = 0;
    double m_moduleMillimetres = 0;
};

} // namespace velantor
