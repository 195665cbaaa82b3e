#include "document/ScanImage.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace velantor {

ScanImage::ScanImage(int width, int height, unsigned char fill)
    : m_width(std::max(0, width)), m_height(std::max(0, height)),
      m_pixels(qsizetype(m_width) * m_height, char(fill)) {}

ScanImage ScanImage::fromGrey(const unsigned char* grey, int width, int height, int stride) {
    ScanImage image(width, height);
    for (int y = 0; y < height; ++y)
        std::memcpy(image.bits() + qsizetype(y) * width, grey + qsizetype(y) * stride, std::size_t(width));
    return image;
}

ScanImage ScanImage::rotated(double degrees) const {
    const double radians = degrees * std::numbers::pi / 180.0;
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    const int outWidth = int(std::ceil(std::abs(m_width * c) + std::abs(m_height * s)));
    const int outHeight = int(std::ceil(std::abs(m_width * s) + std::abs(m_height * c)));
    ScanImage out(outWidth, outHeight);
    const double cx = m_width / 2.0, cy = m_height / 2.0;
    const double ox = outWidth / 2.0, oy = outHeight / 2.0;
    const unsigned char* in = bits();
    unsigned char* dst = out.bits();
    for (int y = 0; y < outHeight; ++y) {
        const double dy = y - oy;
        // Source position for x = 0, then one step per output pixel.
        double sx = (0 - ox) * c - dy * s + cx;
        double sy = (0 - ox) * s + dy * c + cy;
        for (int x = 0; x < outWidth; ++x, sx += c, sy += s) {
            if (sx < 0 || sy < 0 || sx >= m_width - 1 || sy >= m_height - 1)
                continue;
            const int x0 = int(sx), y0 = int(sy);
            const double fx = sx - x0, fy = sy - y0;
            const unsigned char* p = in + qsizetype(y0) * m_width + x0;
            const double top = p[0] + (p[1] - p[0]) * fx;
            const double bottom = p[m_width] + (p[m_width + 1] - p[m_width]) * fx;
            dst[qsizetype(y) * outWidth + x] = static_cast<unsigned char>(top + (bottom - top) * fy + 0.5);
        }
    }
    return out;
}

ScanImage ScanImage::upscaled() const {
    ScanImage out(m_width * 2, m_height * 2);
    const unsigned char* in = bits();
    for (int y = 0; y < out.m_height; ++y) {
        const int y0 = std::min(y / 2, m_height - 1);
        const int y1 = std::min(y0 + (y & 1), m_height - 1);
        unsigned char* row = out.bits() + qsizetype(y) * out.m_width;
        for (int x = 0; x < out.m_width; ++x) {
            const int x0 = std::min(x / 2, m_width - 1);
            const int x1 = std::min(x0 + (x & 1), m_width - 1);
            const int sum = in[qsizetype(y0) * m_width + x0] + in[qsizetype(y0) * m_width + x1] +
                            in[qsizetype(y1) * m_width + x0] + in[qsizetype(y1) * m_width + x1];
            row[x] = static_cast<unsigned char>((sum + 2) / 4);
        }
    }
    return out;
}

ScanImage ScanImage::blurred() const {
    ScanImage out = *this;
    const unsigned char* in = bits();
    for (int y = 1; y + 1 < m_height; ++y) {
        unsigned char* row = out.bits() + qsizetype(y) * m_width;
        for (int x = 1; x + 1 < m_width; ++x) {
            int sum = 0;
            for (int dy = -1; dy <= 1; ++dy) {
                const unsigned char* p = in + qsizetype(y + dy) * m_width + x - 1;
                sum += p[0] + p[1] + p[2];
            }
            row[x] = static_cast<unsigned char>((sum + 4) / 9);
        }
    }
    return out;
}

ScanImage ScanImage::cropped(PixelRect rect) const {
    const int left = std::clamp(rect.left, 0, m_width);
    const int top = std::clamp(rect.top, 0, m_height);
    const int right = std::clamp(rect.left + rect.width, left, m_width);
    const int bottom = std::clamp(rect.top + rect.height, top, m_height);
    if (right == left || bottom == top)
        return {};
    return fromGrey(bits() + qsizetype(top) * m_width + left, right - left, bottom - top, m_width);
}

} // namespace velantor
