#include "cli/ScanFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include "document/BarcodeErrors.h"
#include "document/PdfPages.h"

namespace velantor::cli {
namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

Error unreadable(const QString& path) {
    return makeError(errors::kBarcodeUnreadable,
                     QStringLiteral("El fichero «%1» no es un PDF ni una imagen que se pueda leer "
                                    "(PDF, TIFF, PNG, JPEG o BMP).")
                         .arg(shown(path)));
}

Result<void> addFile(const QString& path, const QString& name, QList<ScanSource>& pages) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::unexpected(makeError(errors::kFileAccess, QStringLiteral("No se puede abrir el fichero «%1»: %2.")
                                                                 .arg(shown(path), file.errorString())));
    if (file.peek(5).startsWith("%PDF")) {
        file.close();
        const auto count = PdfPages::pageCount(path);
        if (!count)
            return std::unexpected(count.error());
        for (int i = 0; i < *count; ++i)
            pages.append(ScanSource{path, name, ScanSource::Kind::Pdf, i});
        return {};
    }
    QImageReader reader(&file);
    if (!reader.canRead())
        return std::unexpected(unreadable(path));
    // Multi-page TIFF files tell their page count; other pictures are one page.
    const int count = std::max(1, reader.imageCount());
    for (int i = 0; i < count; ++i)
        pages.append(ScanSource{path, name, ScanSource::Kind::Picture, i});
    return {};
}

int plausibleDotsPerInch(const QImage& image) {
    const int dpi = int(image.dotsPerMeterX() * 0.0254 + 0.5);
    const double shortSideInches = double(std::min(image.width(), image.height())) / std::max(1, dpi);
    // Many programs write 72 dpi whatever the scan's resolution was.
    return dpi >= 100 && dpi <= 1200 && shortSideInches > 3 && shortSideInches < 13 ? dpi : 0;
}

} // namespace

Result<QList<ScanSource>> listScanPages(const QStringList& arguments) {
    QList<ScanSource> pages;
    for (const QString& argument : arguments) {
        const QFileInfo info(argument);
        if (!info.exists())
            return std::unexpected(
                makeError(errors::kFileNotFound, QStringLiteral("No existe «%1».").arg(shown(argument))));
        if (info.isDir()) {
            const QDir folder(argument);
            for (const QString& name : folder.entryList(QDir::Files, QDir::Name))
                if (auto added = addFile(folder.filePath(name), folder.filePath(name), pages); !added)
                    return std::unexpected(added.error());
            continue;
        }
        if (auto added = addFile(argument, argument, pages); !added)
            return std::unexpected(added.error());
    }
    return pages;
}

Result<LoadedScan> loadScanPage(const ScanSource& source) {
    if (source.kind == ScanSource::Kind::Pdf) {
        auto image = PdfPages::render(source.path, source.index, kScanPdfDotsPerInch);
        if (!image)
            return std::unexpected(image.error());
        return LoadedScan{std::move(*image), kScanPdfDotsPerInch};
    }
    QImageReader reader(source.path);
    if (source.index > 0 && !reader.jumpToImage(source.index))
        return std::unexpected(makeError(errors::kBarcodeUnreadable, QStringLiteral("No se puede leer la página %1 de «%2».")
                                                                         .arg(source.index + 1)
                                                                         .arg(shown(source.path))));
    const QImage image = reader.read();
    if (image.isNull())
        return std::unexpected(unreadable(source.path));
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    return LoadedScan{ScanImage::fromGrey(grey.constBits(), grey.width(), grey.height(), int(grey.bytesPerLine())),
                      plausibleDotsPerInch(image)};
}

} // namespace velantor::cli
