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
// the height is scaled by 1.3 (rounded to the nearest, halves to even) to give the box.
int scaledBarcodeHeight(int requestedHeightTwips);
inline constexpr BarcodeBox kFirstPageBarcodeBox{6000, 2600};
inline constexpr BarcodeBox kPositionPageBarcodeBox{6000, 1170};

// A PDF417 symbol drawn to fill a box without distortion.
//
// Error correction: never below the level ISO/IEC 15438 recommends for the number of data
// codewords (up to 40: 2, up to 160: 3, up to 320: 4, up to 863: 5), and one level above
// it whenever the payload still fits, because a printed page gets creased, stamped and
// photocopied.
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
