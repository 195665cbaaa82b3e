#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include "document/ScanImage.h"

namespace velantor {

// What reading one scanned page gave.
struct ScanReading {
    enum class Outcome {
        Read,       // at least one barcode decoded
        NoBarcode,  // nothing on the page looks like a barcode
        Unreadable, // something barcode-like is there, but no step decoded it
    };
    Outcome outcome = Outcome::NoBarcode;
    QList<QByteArray> payloads; // in reading order
    QString step;               // the step that decoded them (see ScanReader)
};

// Reads the PDF417 barcodes of a scanned page with a ladder of steps, each tried only when
// the ones before it found nothing:
//   "directo"     the whole page as it is (zxing-cpp, trying harder and turned pages);
//   "enderezado"  each barcode-like area cut out and turned straight by the angle its bars
//                 and the page's lines show (feeders skew sheets by a few degrees);
//   "ampliado"    that area at twice the size, when the scan is below 250 dpi;
//   "binarizado"  another threshold (the histogram's valley instead of a local average);
//   "suavizado"   a light blur first, against JPEG blocks and speckle;
//   "giros"       turns of the area in steps of 1° up to ±8°, when the angle was misjudged.
class ScanReader {
public:
    // `dotsPerInch` 0: guessed from the page size, taking the page for A4.
    static ScanReading read(const ScanImage& page, int dotsPerInch = 0);

    // Only the first step, as a plain reader would do it.
    static QList<QByteArray> readPlain(const ScanImage& page);

    // The areas of the page that look like a barcode: dense, evenly dark, at least 25 mm
    // long and 5 mm across, with their surroundings.
    static QList<PixelRect> barcodeAreas(const ScanImage& page, int dotsPerInch);

    // The skew in degrees (within ±8°, in the sense of ScanImage::rotated) by which the dark
    // pixels' rows or columns are turned: rotated(-skew) makes them straight.
    static double skewDegrees(const ScanImage& area);

    static constexpr double kMaxSkewDegrees = 8.0;
};

} // namespace velantor
