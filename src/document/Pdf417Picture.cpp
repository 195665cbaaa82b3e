#include "document/Pdf417Picture.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <optional>

#include <zint.h>

#include "document/BarcodeErrors.h"

using namespace Qt::Literals::StringLiterals;

namespace velantor {
namespace {

constexpr int kQuietModules = 2;  // ISO/IEC 15438 minimum on every side
constexpr int kMinRowModules = 3; // recommended minimum row height
constexpr int kMaxColumns = 30;
constexpr int kMaxErrorCorrection = 8;
constexpr int kTargetDotsPerInch = 300;
// The widest module drawn: 0.6 mm at 300 dots per inch. A short payload in a wide box
// would otherwise get modules of a few millimetres in a long flat symbol, which a
// scanner's search for barcode-like texture passes over and a skewed page shears across
// its rows; such a symbol is drawn narrower, with taller rows, in the middle of the box.
constexpr int kMaxModulePixels = 7;
constexpr double kTwipsPerInch = 1440.0;
constexpr double kMetresPerInch = 0.0254;

struct SymbolDeleter {
    void operator()(zint_symbol* symbol) const { ZBarcode_Delete(symbol); }
};
using Symbol = std::unique_ptr<zint_symbol, SymbolDeleter>;

struct Encoded {
    Symbol symbol;
    int status = 0;
};

// rows 0: the encoder takes as many as the columns need.
Encoded encode(const QByteArray& payload, int level, int columns, int rows) {
    Symbol symbol(ZBarcode_Create());
    symbol->symbology = BARCODE_PDF417;
    symbol->input_mode = DATA_MODE; // the bytes as given, no character set conversion
    symbol->option_1 = level;
    symbol->option_2 = columns;
    symbol->option_3 = rows;
    const int status =
        ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char*>(payload.constData()),
                        static_cast<int>(payload.size()));
    return Encoded{std::move(symbol), status};
}

int symbolColumns(const zint_symbol& symbol) {
    return (symbol.width - 69) / 17;
}

// True when the data codewords (with the length descriptor) number at most `limit`: a
// symbol of exactly limit + 2 codewords at level 0 must take them without added rows.
bool dataCodewordsAtMost(const QByteArray& payload, int columns, int rows) {
    const Encoded encoded = encode(payload, 0, columns, rows);
    return encoded.status == 0 && encoded.symbol->rows == rows && symbolColumns(*encoded.symbol) == columns;
}

struct Geometry {
    Symbol symbol;
    int columns = 0;
    int modulePixels = 0;
    int rowPixels = 0;
    int left = 0; // where the quiet zone begins
    int width = 0;
    int height = 0;
};

// The picture of a symbol of `widthModules` (quiet zone included) in the box: modules of
// whole pixels, at most kMaxModulePixels. Uncapped, the picture is the symbol's own width
// and placing it in the box stretches its modules to the box; capped, it is the box's
// width at 300 dpi with the symbol in the middle. Either way it has the box's proportions.
struct Layout {
    int modulePixels;
    int width;
    int height;
};
Layout layoutFor(int widthModules, BarcodeBox box) {
    const int targetWidth = static_cast<int>(box.widthTwips * kTargetDotsPerInch / kTwipsPerInch);
    const bool capped = targetWidth / widthModules > kMaxModulePixels;
    const int modulePixels = std::clamp(targetWidth / widthModules, 1, kMaxModulePixels);
    const int width = capped ? targetWidth : widthModules * modulePixels;
    return Layout{modulePixels, width,
                  static_cast<int>(std::lround(double(width) * box.heightTwips / box.widthTwips))};
}

// Fewest columns whose symbol fits the box with rows at least three modules high; nothing
// when the payload does not fit at this level.
std::optional<Geometry> fitToBox(const QByteArray& payload, int level, BarcodeBox box) {
    // The widest symbol tells how many codewords there are at least, which rules out the
    // column counts that would need too many rows without encoding them.
    const Encoded widest = encode(payload, level, kMaxColumns, 0);
    if (widest.status >= ZINT_ERROR)
        return std::nullopt;
    const int leastCodewords = widest.symbol->rows > 3 ? kMaxColumns * (widest.symbol->rows - 1) + 1 : 1;
    for (int columns = 1; columns <= kMaxColumns; ++columns) {
        const int leastRows = std::max(3, (leastCodewords + columns - 1) / columns);
        const int widthModules = 17 * columns + 69 + 2 * kQuietModules;
        const Layout layout = layoutFor(widthModules, box);
        const int p = layout.modulePixels;
        if (leastRows > 90 || (kMinRowModules * leastRows + 2 * kQuietModules) * p > layout.height + p)
            continue;
        Encoded encoded = encode(payload, level, columns, 0);
        if (encoded.status == ZINT_ERROR_TOO_LONG)
            return std::nullopt;
        if (encoded.status >= ZINT_ERROR || symbolColumns(*encoded.symbol) != columns)
            continue; // too many rows for so few columns
        const int rows = encoded.symbol->rows;
        const int rowPixels = (layout.height - 2 * kQuietModules * p) / rows;
        if (rowPixels < kMinRowModules * p)
            continue;
        const int left = (layout.width - widthModules * p) / 2;
        return Geometry{std::move(encoded.symbol), columns, p, rowPixels, left, layout.width, layout.height};
    }
    return std::nullopt;
}

BarcodeImage draw(const Geometry& geometry, BarcodeBox box) {
    const zint_symbol& symbol = *geometry.symbol;
    BarcodeImage image(geometry.width, geometry.height);
    const int p = geometry.modulePixels;
    const int left = geometry.left + kQuietModules * p;
    const int top = (geometry.height - symbol.rows * geometry.rowPixels) / 2;
    for (int row = 0; row < symbol.rows; ++row) {
        const int y = top + row * geometry.rowPixels;
        int x = 0;
        while (x < symbol.width) {
            const bool dark = symbol.encoded_data[row][x >> 3] & (1 << (x & 7));
            int end = x + 1;
            while (end < symbol.width && bool(symbol.encoded_data[row][end >> 3] & (1 << (end & 7))) == dark)
                ++end;
            if (dark)
                image.fillRect(left + x * p, y, (end - x) * p, geometry.rowPixels, 0);
            x = end;
        }
    }
    const double inches = box.widthTwips / kTwipsPerInch;
    image.setDotsPerMeter(static_cast<int>(std::lround(geometry.width / inches / kMetresPerInch)));
    return image;
}

Error tooLong(const QByteArray& payload) {
    return makeError(errors::kBarcodeTooLong,
                     u"Los datos de esta página (%1 caracteres) no caben en su código de barras. "
                     u"Acorte los textos más largos de la solicitud."_s.arg(payload.size()));
}

} // namespace

int scaledBarcodeHeight(int requestedHeightTwips) {
    // nearbyint rounds halves to the even neighbour in the default rounding mode.
    return static_cast<int>(std::nearbyint(requestedHeightTwips * 1.3));
}

Result<int> Pdf417Picture::recommendedErrorCorrection(const QByteArray& payload) {
    if (payload.isEmpty())
        return std::unexpected(makeError(errors::kBarcodeEncoder, u"El código de barras no tiene datos."_s));
    // Each pair gives columns × rows = limit + 2 codewords (level 0 adds two).
    if (dataCodewordsAtMost(payload, 3, 14)) // 40
        return 2;
    if (dataCodewordsAtMost(payload, 6, 27)) // 160
        return 3;
    if (dataCodewordsAtMost(payload, 7, 46)) // 320
        return 4;
    if (encode(payload, 5, kMaxColumns, 0).status >= ZINT_ERROR)
        return std::unexpected(tooLong(payload));
    return 5;
}

Result<Pdf417Picture> Pdf417Picture::make(const QByteArray& payload, BarcodeBox box) {
    if (box.widthTwips <= 0 || box.heightTwips <= 0) {
        return std::unexpected(makeError(
            errors::kBarcodeEncoder,
            u"Tamaño de código de barras no válido: %1 × %2."_s.arg(box.widthTwips).arg(box.heightTwips)));
    }
    const auto recommended = recommendedErrorCorrection(payload);
    if (!recommended)
        return std::unexpected(recommended.error());
    // One level above the recommended one while its modules are still wide enough for a
    // scanner; otherwise whichever level gives the wider modules (the higher on a tie).
    // Only the symbol chosen is drawn.
    std::optional<Geometry> chosen;
    int chosenLevel = 0;
    double chosenMillimetres = 0;
    for (int level = std::min(*recommended + 1, kMaxErrorCorrection); level >= *recommended; --level) {
        std::optional<Geometry> geometry = fitToBox(payload, level, box);
        if (!geometry)
            continue;
        const double millimetres = box.widthTwips / kTwipsPerInch * 25.4 * geometry->modulePixels / geometry->width;
        if (!chosen || millimetres > chosenMillimetres + 1e-9) {
            chosen = std::move(geometry);
            chosenLevel = level;
            chosenMillimetres = millimetres;
        }
        if (millimetres >= kScannableModuleMillimetres)
            break;
    }
    if (chosen) {
        Pdf417Picture picture;
        picture.m_image = draw(*chosen, box);
        picture.m_payload = payload;
        picture.m_columns = chosen->columns;
        picture.m_rows = chosen->symbol->rows;
        picture.m_errorCorrectionLevel = chosenLevel;
        picture.m_modulePixels = chosen->modulePixels;
        picture.m_rowPixels = chosen->rowPixels;
        picture.m_moduleMillimetres = chosenMillimetres;
        return picture;
    }
    return std::unexpected(tooLong(payload));
}

} // namespace velantor
