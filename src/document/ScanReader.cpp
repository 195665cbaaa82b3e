#include "document/ScanReader.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include <ZXing/ReadBarcode.h>

namespace velantor {
namespace {

constexpr unsigned char kDark = 128;
constexpr double kMillimetresPerInch = 25.4;
constexpr double kA4ShortSideInches = 210.0 / kMillimetresPerInch;

QList<QByteArray> decode(const ScanImage& image, ZXing::Binarizer binarizer = ZXing::Binarizer::LocalAverage) {
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::PDF417);
    hints.setTryHarder(true);
    hints.setTryRotate(true);
    hints.setBinarizer(binarizer);
    const ZXing::ImageView view(image.bits(), image.width(), image.height(), ZXing::ImageFormat::Lum);
    // Top to bottom, then left to right, like the plain reader.
    ZXing::Results results = ZXing::ReadBarcodes(view, hints);
    std::stable_sort(results.begin(), results.end(), [](const ZXing::Result& a, const ZXing::Result& b) {
        const auto ta = a.position().topLeft(), tb = b.position().topLeft();
        return ta.y != tb.y ? ta.y < tb.y : ta.x < tb.x;
    });
    QList<QByteArray> payloads;
    for (const ZXing::Result& result : results) {
        if (!result.isValid())
            continue;
        const ZXing::ByteArray& bytes = result.bytes();
        const QByteArray payload(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
        if (!payloads.contains(payload))
            payloads.append(payload);
    }
    return payloads;
}

int guessDotsPerInch(const ScanImage& page, int given) {
    if (given > 0)
        return given;
    return std::max(50, int(std::lround(std::min(page.width(), page.height()) / kA4ShortSideInches)));
}

struct Attempt {
    const char* step;
    QList<QByteArray> payloads;
};

// Every step after the first works on one cut-out area.
Attempt readArea(const ScanImage& area, int dotsPerInch) {
    const double skew = ScanReader::skewDegrees(area);
    const ScanImage straight = std::abs(skew) < 0.2 ? area : area.rotated(-skew);
    if (auto found = decode(straight); !found.isEmpty())
        return {"enderezado", found};
    const bool lowResolution = dotsPerInch < 250;
    const ScanImage larger = lowResolution ? straight.upscaled() : straight;
    if (lowResolution) {
        if (auto found = decode(larger); !found.isEmpty())
            return {"ampliado", found};
    }
    if (auto found = decode(larger, ZXing::Binarizer::GlobalHistogram); !found.isEmpty())
        return {"binarizado", found};
    if (auto found = decode(larger.blurred()); !found.isEmpty())
        return {"suavizado", found};
    for (int degrees = 1; degrees <= int(ScanReader::kMaxSkewDegrees); ++degrees) {
        for (const int sign : {1, -1}) {
            const ScanImage turned = area.rotated(sign * degrees);
            if (auto found = decode(lowResolution ? turned.upscaled() : turned); !found.isEmpty())
                return {"giros", found};
        }
    }
    return {nullptr, {}};
}

} // namespace

QList<QByteArray> ScanReader::readPlain(const ScanImage& page) {
    return page.isNull() ? QList<QByteArray>() : decode(page);
}

ScanReading ScanReader::read(const ScanImage& page, int dotsPerInch) {
    ScanReading reading;
    if (page.isNull())
        return reading;
    if (auto found = decode(page); !found.isEmpty()) {
        reading.outcome = ScanReading::Outcome::Read;
        reading.payloads = found;
        reading.step = QStringLiteral("directo");
        return reading;
    }
    const int dpi = guessDotsPerInch(page, dotsPerInch);
    const QList<PixelRect> areas = barcodeAreas(page, dpi);
    if (areas.isEmpty())
        return reading;
    reading.outcome = ScanReading::Outcome::Unreadable;
    for (const PixelRect& rect : areas) {
        Attempt attempt = readArea(page.cropped(rect), dpi);
        if (attempt.payloads.isEmpty())
            continue;
        reading.outcome = ScanReading::Outcome::Read;
        if (reading.step.isEmpty())
            reading.step = QString::fromLatin1(attempt.step);
        for (const QByteArray& payload : attempt.payloads)
            if (!reading.payloads.contains(payload))
                reading.payloads.append(payload);
    }
    return reading;
}

QList<PixelRect> ScanReader::barcodeAreas(const ScanImage& page, int dotsPerInch) {
    const int dpi = guessDotsPerInch(page, dotsPerInch);
    // Blocks of about 1.6 mm: a few modules of a printed barcode, less than a letter.
    const int block = std::max(4, dpi / 16);
    const int columns = page.width() / block;
    const int rows = page.height() / block;
    if (columns < 2 || rows < 2)
        return {};
    std::vector<unsigned char> dense(std::size_t(columns) * rows, 0);
    for (int by = 0; by < rows; ++by) {
        for (int bx = 0; bx < columns; ++bx) {
            int dark = 0;
            for (int y = by * block; y < (by + 1) * block; ++y) {
                const unsigned char* p = page.bits() + qsizetype(y) * page.width() + bx * block;
                for (int x = 0; x < block; ++x)
                    dark += p[x] < kDark;
            }
            const double share = double(dark) / (block * block);
            dense[std::size_t(by) * columns + bx] = share > 0.25 && share < 0.85;
        }
    }
    // Dense blocks no more than two blocks apart belong to one area.
    const double blocksPerMm = dpi / kMillimetresPerInch / block;
    std::vector<int> label(dense.size(), -1);
    QList<PixelRect> areas;
    std::vector<int> queue;
    for (std::size_t start = 0; start < dense.size(); ++start) {
        if (!dense[start] || label[start] >= 0)
            continue;
        label[start] = int(start);
        queue.assign(1, int(start));
        int left = columns, right = -1, top = rows, bottom = -1, count = 0;
        for (std::size_t at = 0; at < queue.size(); ++at) {
            const int bx = queue[at] % columns, by = queue[at] / columns;
            left = std::min(left, bx), right = std::max(right, bx);
            top = std::min(top, by), bottom = std::max(bottom, by);
            ++count;
            for (int ny = std::max(0, by - 2); ny <= std::min(rows - 1, by + 2); ++ny) {
                for (int nx = std::max(0, bx - 2); nx <= std::min(columns - 1, bx + 2); ++nx) {
                    const std::size_t n = std::size_t(ny) * columns + nx;
                    if (dense[n] && label[n] < 0) {
                        label[n] = int(start);
                        queue.push_back(int(n));
                    }
                }
            }
        }
        const int spanX = right - left + 1, spanY = bottom - top + 1;
        const double longSide = std::max(spanX, spanY) / blocksPerMm;
        const double shortSide = std::min(spanX, spanY) / blocksPerMm;
        if (longSide < 25 || shortSide < 5 || count < 0.35 * spanX * spanY)
            continue;
        const int margin = int(4 * dpi / kMillimetresPerInch); // quiet zone and a little more
        areas.append(PixelRect{left * block - margin, top * block - margin, spanX * block + 2 * margin,
                               spanY * block + 2 * margin});
    }
    std::sort(areas.begin(), areas.end(), [](const PixelRect& a, const PixelRect& b) {
        return a.top != b.top ? a.top < b.top : a.left < b.left;
    });
    return areas;
}

double ScanReader::skewDegrees(const ScanImage& area) {
    // The dark pixels, thinned out to a bounded number.
    std::vector<std::pair<float, float>> dark;
    const double cx = area.width() / 2.0, cy = area.height() / 2.0;
    qsizetype total = 0;
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x)
            total += area.pixel(x, y) < kDark;
    const qsizetype every = std::max<qsizetype>(1, total / 60000);
    qsizetype seen = 0;
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x)
            if (area.pixel(x, y) < kDark && seen++ % every == 0)
                dark.emplace_back(float(x - cx), float(y - cy));
    if (dark.size() < 100)
        return 0;
    // Straight bars and lines pile up in few bins of the projection across them.
    const int extent = int(std::hypot(area.width(), area.height())) + 2;
    std::vector<int> across(std::size_t(extent) * 2), along(std::size_t(extent) * 2);
    double bestScore = -1, best = 0;
    for (double degrees = -kMaxSkewDegrees; degrees <= kMaxSkewDegrees + 1e-9; degrees += 0.25) {
        const double radians = degrees * std::numbers::pi / 180.0;
        const float c = float(std::cos(radians)), s = float(std::sin(radians));
        std::fill(across.begin(), across.end(), 0);
        std::fill(along.begin(), along.end(), 0);
        for (const auto& [x, y] : dark) {
            ++across[std::size_t(int(std::lround(x * c + y * s)) + extent)];
            ++along[std::size_t(int(std::lround(y * c - x * s)) + extent)];
        }
        double score = 0;
        for (std::size_t i = 0; i < across.size(); ++i)
            score += double(across[i]) * across[i] + double(along[i]) * along[i];
        if (score > bestScore + 1e-6 * score || (std::abs(score - bestScore) <= 1e-6 * score &&
                                                 std::abs(degrees) < std::abs(best))) {
            bestScore = score;
            best = degrees;
        }
    }
    // The projections straighten when turned against the skew.
    return -best;
}

} // namespace velantor
