#pragma once

#include <QString>

#include "document/BarcodeText.h"
#include "document/Pdf417Picture.h"
#include "document/ScanImage.h"

// Scanned-looking pages made from barcode payloads, for the intake tests.
namespace velantor::test {

// The printed barcode of a payload as the print draws it (about 300 dpi).
inline BarcodeImage printedBarcode(const QString& payload, BarcodeBox box = kPositionPageBarcodeBox) {
    auto picture = Pdf417Picture::make(barcode::barcodeBytes(payload), box);
    return picture ? picture->image() : BarcodeImage();
}

// A white page `width` × `height` with the barcode placed at (left, top), resampled by
// `scale` (0.5 gives a 150 dpi scan of a 300 dpi print).
inline ScanImage pageWith(const BarcodeImage& barcode, int width, int height, int left, int top,
                          double scale = 1.0) {
    ScanImage page(width, height);
    const int w = int(barcode.width() * scale), h = int(barcode.height() * scale);
    for (int y = 0; y < h && top + y < height; ++y)
        for (int x = 0; x < w && left + x < width; ++x)
            page.bits()[qsizetype(top + y) * width + left + x] = barcode.pixel(int(x / scale), int(y / scale));
    return page;
}

} // namespace velantor::test
