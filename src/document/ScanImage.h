#pragma once

#include <QByteArray>

namespace velantor {

// A rectangle of pixels, left/top inclusive.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// A scanned page as 8-bit grey (0 black, 255 white), rows top to bottom with no padding,
// and the handful of operations the barcode reading ladder needs on it. Pure Qt Core, so
// the reading runs in the core and in the benchmark without a display.
class ScanImage {
public:
    ScanImage() = default;
    ScanImage(int width, int height, unsigned char fill = 255);
    // Copies rows `stride` bytes apart.
    static ScanImage fromGrey(const unsigned char* grey, int width, int height, int stride);

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool isNull() const { return m_width == 0 || m_height == 0; }
    const unsigned char* bits() const { return reinterpret_cast<const unsigned char*>(m_pixels.constData()); }
    unsigned char* bits() { return reinterpret_cast<unsigned char*>(m_pixels.data()); }
    unsigned char pixel(int x, int y) const { return bits()[qsizetype(y) * m_width + x]; }

    // Turned by `degrees` counter-clockwise about the centre, bilinear, onto a canvas
    // large enough to keep every corner; uncovered pixels are white.
    ScanImage rotated(double degrees) const;
    // Twice the size, bilinear, for barcodes whose modules are only a few pixels wide.
    ScanImage upscaled() const;
    // 3 × 3 box blur, which evens out JPEG blocks and fax speckle before thresholding.
    ScanImage blurred() const;
    // The part inside `rect`, clipped to the picture.
    ScanImage cropped(PixelRect rect) const;

private:
    int m_width = 0;
    int m_height = 0;
    QByteArray m_pixels;
};

} // namespace velantor
