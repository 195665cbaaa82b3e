#include "document/PdfPages.h"

#include <memory>
#include <mutex>

#include <QDir>
#include <QFile>

#include <poppler/cpp/poppler-document.h>
#include <poppler/cpp/poppler-image.h>
#include <poppler/cpp/poppler-page-renderer.h>
#include <poppler/cpp/poppler-page.h>

#include "document/BarcodeErrors.h"

namespace velantor {
namespace {

// Poppler keeps global state; the pages of a batch are rendered one at a time.
std::mutex popplerLock;

void quietPoppler(const std::string&, void*) {}

Result<std::unique_ptr<poppler::document>> open(const QString& path) {
    const QString shown = QDir::toNativeSeparators(path);
    if (!QFile::exists(path))
        return std::unexpected(makeError(errors::kFileNotFound, QStringLiteral("No existe el fichero «%1».").arg(shown)));
    poppler::set_debug_error_function(quietPoppler, nullptr);
    std::unique_ptr<poppler::document> document(
        poppler::document::load_from_file(QFile::encodeName(path).toStdString()));
    if (!document)
        return std::unexpected(makeError(errors::kBarcodeUnreadable,
                                         QStringLiteral("El fichero «%1» no es un PDF que se pueda leer.").arg(shown)));
    if (document->is_locked())
        return std::unexpected(makeError(errors::kBarcodeUnreadable,
                                         QStringLiteral("El PDF «%1» está protegido con contraseña.").arg(shown)));
    return document;
}

} // namespace

Result<int> PdfPages::pageCount(const QString& path) {
    const std::lock_guard lock(popplerLock);
    auto document = open(path);
    if (!document)
        return std::unexpected(document.error());
    return (*document)->pages();
}

Result<ScanImage> PdfPages::render(const QString& path, int index, int dotsPerInch) {
    const std::lock_guard lock(popplerLock);
    auto document = open(path);
    if (!document)
        return std::unexpected(document.error());
    const std::unique_ptr<poppler::page> page((*document)->create_page(index));
    poppler::page_renderer renderer;
    renderer.set_image_format(poppler::image::format_gray8);
    const poppler::image image = page ? renderer.render_page(page.get(), dotsPerInch, dotsPerInch) : poppler::image();
    if (!image.is_valid())
        return std::unexpected(makeError(errors::kBarcodeUnreadable,
                                         QStringLiteral("No se pudo representar la página %1 del PDF «%2».")
                                             .arg(index + 1)
                                             .arg(QDir::toNativeSeparators(path))));
    return ScanImage::fromGrey(reinterpret_cast<const unsigned char*>(image.const_data()), image.width(),
                               image.height(), image.bytes_per_row());
}

} // namespace velantor
