#include "document/BarcodeImage.h"

#include <algorithm>
#include <array>
#include <cstring>

#include <QtEndian>

#include "document/BarcodeErrors.h"

using namespace Qt::Literals::StringLiterals;

namespace velantor {
namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;

void putLe16(QByteArray& out, quint16 value) {
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void putLe32(QByteArray& out, quint32 value) {
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

void putBe32(QByteArray& out, quint32 value) {
    char bytes[4];
    qToBigEndian(value, bytes);
    out.append(bytes, 4);
}

quint32 crc32(const QByteArray& data, quint32 crc = 0xFFFFFFFFu) {
    static const auto table = [] {
        std::array<quint32, 256> t{};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    for (char byte : data)
        crc = table[(crc ^ static_cast<unsigned char>(byte)) & 0xFF] ^ (crc >> 8);
    return crc;
}

void putPngChunk(QByteArray& out, const char* type, const QByteArray& data) {
    putBe32(out, static_cast<quint32>(data.size()));
    QByteArray typed(type, 4);
    typed += data;
    out += typed;
    putBe32(out, crc32(typed) ^ 0xFFFFFFFFu);
}

Error unreadable(const QString& why) {
    return makeError(errors::kBarcodeUnreadable, u"La imagen BMP no se puede leer: %1."_s.arg(why));
}

quint32 le32(const QByteArray& data, qsizetype offset) {
    return qFromLittleEndian<quint32>(data.constData() + offset);
}

quint16 le16(const QByteArray& data, qsizetype offset) {
    return qFromLittleEndian<quint16>(data.constData() + offset);
}

unsigned char grey(unsigned blue, unsigned green, unsigned red) {
    return static_cast<unsigned char>((red * 299 + green * 587 + blue * 114 + 500) / 1000);
}

} // namespace

BarcodeImage::BarcodeImage(int width, int height, unsigned char fill)
    : m_width(width), m_height(height),
      m_pixels(static_cast<qsizetype>(width) * height, static_cast<char>(fill)) {}

const unsigned char* BarcodeImage::row(int y) const {
    return reinterpret_cast<const unsigned char*>(m_pixels.constData()) + static_cast<qsizetype>(y) * m_width;
}

void BarcodeImage::fillRect(int x, int y, int width, int height, unsigned char value) {
    char* data = m_pixels.data();
    for (int line = y; line < y + height; ++line)
        std::memset(data + static_cast<qsizetype>(line) * m_width + x, value,
                    static_cast<std::size_t>(width));
}

QByteArray BarcodeImage::toBmp() const {
    const int rowBytes = (m_width * 3 + 3) & ~3;
    const quint32 imageSize = static_cast<quint32>(rowBytes) * static_cast<quint32>(m_height);
    QByteArray out;
    out.reserve(kFileHeaderSize + kInfoHeaderSize + imageSize);
    out.append("BM", 2);
    putLe32(out, kFileHeaderSize + kInfoHeaderSize + imageSize);
    putLe32(out, 0); // reserved
    putLe32(out, kFileHeaderSize + kInfoHeaderSize);
    putLe32(out, kInfoHeaderSize);
    putLe32(out, static_cast<quint32>(m_width));
    putLe32(out, static_cast<quint32>(m_height)); // positive: bottom-up rows
    putLe16(out, 1);                              // planes
    putLe16(out, 24);                             // bits per pixel
    putLe32(out, 0);                              // BI_RGB
    putLe32(out, imageSize);
    putLe32(out, static_cast<quint32>(m_dotsPerMeter));
    putLe32(out, static_cast<quint32>(m_dotsPerMeter));
    putLe32(out, 0); // colours used
    putLe32(out, 0); // important colours
    const qsizetype start = out.size();
    out.resize(start + imageSize, '\0');
    auto* target = reinterpret_cast<unsigned char*>(out.data() + start);
    for (int y = m_height - 1; y >= 0; --y, target += rowBytes) {
        const unsigned char* source = row(y);
        for (int x = 0; x < m_width; ++x)
            target[3 * x] = target[3 * x + 1] = target[3 * x + 2] = source[x];
    }
    return out;
}

QByteArray BarcodeImage::toPng() const {
    const bool blackAndWhite = std::ranges::all_of(
        m_pixels, [](char value) { return value == 0 || value == static_cast<char>(255); });
    const int depth = blackAndWhite ? 1 : 8;
    const int rowBytes = blackAndWhite ? (m_width + 7) / 8 : m_width;

    QByteArray raw;
    raw.reserve(static_cast<qsizetype>(rowBytes + 1) * m_height);
    QByteArray line(rowBytes, '\0');
    for (int y = 0; y < m_height; ++y) {
        const unsigned char* source = row(y);
        if (blackAndWhite) {
            for (int x = 0; x < m_width; x += 8) {
                unsigned bits = 0;
                for (int bit = 0; bit < 8 && x + bit < m_width; ++bit)
                    bits |= (source[x + bit] ? 0x80u : 0u) >> bit;
                line[x / 8] = static_cast<char>(bits);
            }
        } else {
            std::memcpy(line.data(), source, static_cast<std::size_t>(m_width));
        }
        raw.append('\0'); // filter: none
        raw += line;
    }

    QByteArray out("\x89PNG\r\n\x1a\n", 8);
    QByteArray header;
    putBe32(header, static_cast<quint32>(m_width));
    putBe32(header, static_cast<quint32>(m_height));
    header.append(static_cast<char>(depth));
    header.append('\0'); // greyscale
    header.append('\0'); // deflate
    header.append('\0'); // adaptive filtering
    header.append('\0'); // not interlaced
    putPngChunk(out, "IHDR", header);
    if (m_dotsPerMeter > 0) {
        QByteArray physical;
        putBe32(physical, static_cast<quint32>(m_dotsPerMeter));
        putBe32(physical, static_cast<quint32>(m_dotsPerMeter));
        physical.append('\x01'); // unit: metre
        putPngChunk(out, "pHYs", physical);
    }
    // qCompress gives a zlib stream behind a 4-byte length of its own.
    putPngChunk(out, "IDAT", qCompress(raw).mid(4));
    putPngChunk(out, "IEND", {});
    return out;
}

Result<BarcodeImage> BarcodeImage::fromBmp(const QByteArray& data) {
    if (data.size() < kFileHeaderSize + 12 || !data.startsWith("BM"))
        return std::unexpected(unreadable(u"no es un fichero BMP"_s));
    const quint32 pixelOffset = le32(data, 10);
    const quint32 headerSize = le32(data, 14);
    // In 64 bits: a header size near 4 GiB must not wrap round to a small one.
    if (headerSize < kInfoHeaderSize || qint64(kFileHeaderSize) + headerSize > data.size())
        return std::unexpected(unreadable(u"cabecera de formato no admitido"_s));
    const qint64 width = static_cast<qint32>(le32(data, 18));
    const qint64 signedHeight = static_cast<qint32>(le32(data, 22));
    const int bits = le16(data, 28);
    const quint32 compression = le32(data, 30);
    quint32 paletteSize = le32(data, 46);
    const bool topDown = signedHeight < 0;
    const qint64 height = topDown ? -signedHeight : signedHeight;
    if (width <= 0 || height <= 0 || width > 30000 || height > 30000)
        return std::unexpected(unreadable(u"dimensiones no válidas"_s));
    const bool direct = bits == 24 || bits == 32;
    const bool indexed = bits == 1 || bits == 4 || bits == 8;
    if (!direct && !indexed)
        return std::unexpected(unreadable(u"%1 bits por píxel no admitidos"_s.arg(bits)));
    // Bit fields are accepted for 32 bits in the usual BGRA order only.
    if (compression != 0 && !(compression == 3 && bits == 32))
        return std::unexpected(unreadable(u"imagen comprimida no admitida"_s));

    std::array<unsigned char, 256> palette{};
    if (indexed) {
        if (paletteSize == 0 || paletteSize > (1u << bits))
            paletteSize = 1u << bits;
        const qsizetype paletteOffset = kFileHeaderSize + headerSize;
        if (paletteOffset + static_cast<qsizetype>(paletteSize) * 4 > data.size())
            return std::unexpected(unreadable(u"paleta incompleta"_s));
        for (quint32 i = 0; i < paletteSize; ++i) {
            const auto* entry =
                reinterpret_cast<const unsigned char*>(data.constData() + paletteOffset + i * 4);
            palette[i] = grey(entry[0], entry[1], entry[2]);
        }
    }

    const qint64 rowBytes = ((width * bits + 31) / 32) * 4;
    if (static_cast<qint64>(pixelOffset) + rowBytes * height > data.size())
        return std::unexpected(unreadable(u"datos de imagen incompletos"_s));

    BarcodeImage image(static_cast<int>(width), static_cast<int>(height));
    char* target = image.m_pixels.data();
    for (qint64 y = 0; y < height; ++y) {
        const qint64 fileRow = topDown ? y : height - 1 - y;
        const auto* source =
            reinterpret_cast<const unsigned char*>(data.constData() + pixelOffset + fileRow * rowBytes);
        auto* out = reinterpret_cast<unsigned char*>(target + y * width);
        for (qint64 x = 0; x < width; ++x) {
            switch (bits) {
            case 1:
                out[x] = palette[(source[x / 8] >> (7 - x % 8)) & 1];
                break;
            case 4:
                out[x] = palette[(source[x / 2] >> (x % 2 ? 0 : 4)) & 0xF];
                break;
            case 8:
                out[x] = palette[source[x]];
                break;
            case 24:
                out[x] = grey(source[x * 3], source[x * 3 + 1], source[x * 3 + 2]);
                break;
            default:
                out[x] = grey(source[x * 4], source[x * 4 + 1], source[x * 4 + 2]);
                break;
            }
        }
    }
    const qint32 dotsPerMeter = static_cast<qint32>(le32(data, 38));
    image.m_dotsPerMeter = dotsPerMeter > 0 ? dotsPerMeter : 0;
    return image;
}

} // namespace velantor
