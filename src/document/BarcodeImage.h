#pragma once

#include <QByteArray>

#include "platform/Error.h"

namespace velantor {

// An 8-bit grey picture (0 black, 255 white), one byte per pixel, rows top to bottom with
// no padding. Barcode pictures are drawn into it and written as BMP or PNG; pictures read
// back for checking come out of it. Kept free of the window libraries, so the core and the
// command-line tool can make and read barcodes without a display.
class BarcodeImage {
public:
    BarcodeImage() = default;
    BarcodeImage(int width, int height, unsigned char fill = 255);

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool isNull() const { return m_width == 0 || m_height == 0; }
    const QByteArray& pixels() const { return m_pixels; }
    const unsigned char* row(int y) const;
    unsigned char pixel(int x, int y) const { return row(y)[x]; }
    void fillRect(int x, int y, int width, int height, unsigned char value);

    // Resolution written into the file headers, so that the picture's natural size is the
    // size of the box it is made for (0: none given).
    int dotsPerMeter() const { return m_dotsPerMeter; }
    void setDotsPerMeter(int dotsPerMeter) { m_dotsPerMeter = dotsPerMeter; }

    // A 24-bit BMP with a BITMAPINFOHEADER, bottom-up rows: the plainest form every
    // program reads.
    QByteArray toBmp() const;
    // A greyscale PNG: 1 bit per pixel when the picture is pure black and white, else 8.
    QByteArray toPng() const;

    // Reads an uncompressed BMP of 1, 4, 8, 24 or 32 bits per pixel (palette or direct
    // colour, bottom-up or top-down), turning its colours into grey.
    static Result<BarcodeImage> fromBmp(const QByteArray& data);

private:
    int m_width = 0;
    int m_height = 0;
    int m_dotsPerMeter = 0;
    QByteArray m_pixels;
};

} // namespace velantor
