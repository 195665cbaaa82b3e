#define ZX_USE_UTF8
#include "document/BarcodeReader.h"

#include <algorithm>
#include <memory>

#include <QDir>
#include <QFile>

#include <ZXing/ReadBarcode.h>
#include <poppler/cpp/poppler-document.h>
#include <poppler/cpp/poppler-image.h>
#include <poppler/cpp/poppler-page-renderer.h>
#include <poppler/cpp/poppler-page.h>

#include "document/BarcodeErrors.h"
#include "document/BarcodeText.h"

using namespace Qt::Literals::StringLiterals;

namespace velantor {
namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

Result<QByteArray> readWhole(const QString& path) {
    QFile file(path);
    if (!file.exists())
        return std::unexpected(
            makeError(errors::kFileNotFound, u"No existe el fichero «%1»."_s.arg(shown(path))));
    if (!file.open(QIODevice::ReadOnly)) {
        return std::unexpected(makeError(errors::kFileAccess, u"No se puede abrir el fichero «%1»: %2."_s.arg(
                                                                  shown(path), file.errorString())));
    }
    return file.readAll();
}

QList<FoundBarcode> onPage(const QList<QByteArray>& payloads, int page) {
    QList<FoundBarcode> found;
    for (const QByteArray& bytes : payloads)
        found.append(FoundBarcode{page, bytes});
    return found;
}

// Poppler reports every oddity of a PDF on standard error; the tool's own messages say
// what matters.
void quietPoppler(const std::string&, void*) {}

} // namespace

QString FoundBarcode::text() const {
    return barcode::barcodeTextFromBytes(bytes);
}

QList<QByteArray> BarcodeReader::read(const unsigned char* grey, int width, int height, int stride) {
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::PDF417);
    hints.setTryHarder(true);
    hints.setTryRotate(true);
    const ZXing::ImageView view(grey, width, height, ZXing::ImageFormat::Lum, stride);
    ZXing::Results results = ZXing::ReadBarcodes(view, hints);

    struct Placed {
        int top;
        int left;
        int bottom;
        int right;
        QByteArray bytes;
        bool overlaps(const Placed& other) const {
            return left <= other.right && other.left <= right && top <= other.bottom && other.top <= bottom;
        }
        qint64 area() const { return qint64(right - left) * (bottom - top); }
    };
    std::vector<Placed> placed;
    for (const ZXing::Result& result : results) {
        if (!result.isValid())
            continue;
        Placed item{height, width, 0, 0, {}};
        for (const ZXing::PointI& corner : result.position()) {
            item.top = std::min(item.top, corner.y);
            item.left = std::min(item.left, corner.x);
            item.bottom = std::max(item.bottom, corner.y);
            item.right = std::max(item.right, corner.x);
        }
        const ZXing::ByteArray& bytes = result.bytes();
        item.bytes =
            QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
        placed.push_back(std::move(item));
    }
    // Symbols stacked with the same width can also be taken for one tall symbol that reads
    // as the upper one; such a find covers a tighter find of the same payload and is dropped.
    std::vector<const Placed*> kept;
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const Placed& item = placed[i];
        bool covers = false;
        for (std::size_t j = 0; j < placed.size() && !covers; ++j) {
            const Placed& other = placed[j];
            covers = j != i && other.bytes == item.bytes && other.overlaps(item) &&
                     (other.area() < item.area() || (other.area() == item.area() && j < i));
        }
        if (!covers)
            kept.push_back(&item);
    }
    std::stable_sort(kept.begin(), kept.end(), [](const Placed* a, const Placed* b) {
        return a->top != b->top ? a->top < b->top : a->left < b->left;
    });
    QList<QByteArray> payloads;
    for (const Placed* item : kept)
        payloads.append(item->bytes);
    return payloads;
}

QList<QByteArray> BarcodeReader::read(const BarcodeImage& image) {
    if (image.isNull())
        return {};
    return read(image.row(0), image.width(), image.height(), image.width());
}

Result<QList<FoundBarcode>> BarcodeReader::readBmpFile(const QString& path) {
    const auto data = readWhole(path);
    if (!data)
        return std::unexpected(data.error());
    const auto image = BarcodeImage::fromBmp(*data);
    if (!image) {
        return std::unexpected(
            makeError(image.error().number, u"«%1»: %2"_s.arg(shown(path), image.error().description)));
    }
    return onPage(read(*image), 0);
}

Result<QList<FoundBarcode>> BarcodeReader::readPdfFile(const QString& path, int dotsPerInch) {
    if (!QFile::exists(path))
        return std::unexpected(
            makeError(errors::kFileNotFound, u"No existe el fichero «%1»."_s.arg(shown(path))));
    poppler::set_debug_error_function(quietPoppler, nullptr);
    const std::unique_ptr<poppler::document> document(
        poppler::document::load_from_file(QFile::encodeName(path).toStdString()));
    if (!document) {
        return std::unexpected(
            makeError(errors::kBarcodeUnreadable,
                      u"El fichero «%1» no es un PDF que se pueda leer."_s.arg(shown(path))));
    }
    if (document->is_locked()) {
        return std::unexpected(makeError(errors::kBarcodeUnreadable,
                                         u"El PDF «%1» está protegido con contraseña."_s.arg(shown(path))));
    }
    poppler::page_renderer renderer;
    renderer.set_image_format(poppler::image::format_gray8);
    QList<FoundBarcode> found;
    for (int index = 0; index < document->pages(); ++index) {
        const std::unique_ptr<poppler::page> page(document->create_page(index));
        const poppler::image image =
            page ? renderer.render_page(page.get(), dotsPerInch, dotsPerInch) : poppler::image();
        if (!image.is_valid()) {
            return std::unexpected(makeError(
                errors::kBarcodeUnreadable,
                u"No se pudo representar la página %1 del PDF «%2»."_s.arg(index + 1).arg(shown(path))));
        }
        found += onPage(read(reinterpret_cast<const unsigned char*>(image.const_data()), image.width(),
                             image.height(), image.bytes_per_row()),
                        index + 1);
    }
    return found;
}

Result<QList<FoundBarcode>> BarcodeReader::readFile(const QString& path) {
    QFile file(path);
    if (!file.exists())
        return std::unexpected(
            makeError(errors::kFileNotFound, u"No existe el fichero «%1»."_s.arg(shown(path))));
    if (!file.open(QIODevice::ReadOnly)) {
        return std::unexpected(makeError(errors::kFileAccess, u"No se puede abrir el fichero «%1»: %2."_s.arg(
                                                                  shown(path), file.errorString())));
    }
    const QByteArray magic = file.peek(5);
    if (magic.startsWith("%PDF"))
        return readPdfFile(path);
    if (magic.startsWith("BM"))
        return readBmpFile(path);
    return std::unexpected(makeError(errors::kBarcodeUnreadable,
                                     u"El fichero «%1» no es un PDF ni una imagen BMP."_s.arg(shown(path))));
}

Result<void> BarcodeReader::verifyPicture(const QString& bmpPath, const QByteArray& payload) {
    const auto found = readBmpFile(bmpPath);
    if (!found)
        return std::unexpected(found.error());
    const auto matches = [&](const FoundBarcode& barcode) { return barcode.bytes == payload; };
    if (found->size() == 1 && matches(found->front()))
        return {};
    if (found->isEmpty()) {
        return std::unexpected(
            makeError(errors::kBarcodeMismatch, u"El código de barras generado en «%1» no se puede leer. "
                                                u"La solicitud no se imprimirá."_s.arg(shown(bmpPath))));
    }
    const QByteArray& read = found->front().bytes;
    qsizetype at = 0;
    while (at < read.size() && at < payload.size() && read[at] == payload[at])
        ++at;
    return std::unexpected(makeError(
        errors::kBarcodeMismatch, u"El código de barras generado en «%1» no contiene los datos de la página "
                                  u"(se leen %2 códigos; el primero difiere desde el carácter %3). "
                                  u"La solicitud no se imprimirá."_s.arg(shown(bmpPath))
                                      .arg(found->size())
                                      .arg(at + 1)));
}

} // namespace velantor
