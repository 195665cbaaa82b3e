#include "document/BarcodePictureFile.h"

#include <QDir>
#include <QFile>

#include "document/BarcodeText.h"

using namespace Qt::Literals::StringLiterals;

namespace velantor {
namespace {

bool taken(const QString& path) {
    return QFile::exists(path + u".bmp"_s) || QFile::exists(path + u".png"_s);
}

// A temporary picture under a name nobody else uses: written straight, without the flush
// to disk a user's file gets, and removed again when it could not be written in full.
Result<void> writePicture(const QString& path, const QByteArray& contents) {
    QFile file(path);
    const bool written =
        file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size() && file.flush();
    const QString why = file.errorString();
    file.close();
    if (!written) {
        QFile::remove(path);
        return std::unexpected(makeError(
            errors::kWriteFailed, u"No se pudo escribir la imagen del código de barras «%1»: %2."_s.arg(
                                      QDir::toNativeSeparators(path), why)));
    }
    return {};
}

} // namespace

void BarcodePictureFile::remove() const {
    QFile::remove(bmpPath);
    QFile::remove(pngPath);
}

QString barcodePicturePath(const QString& applicationsFolder, const QDateTime& now) {
    const QString base =
        QDir(applicationsFolder)
            .filePath(now.toString(u"yyyyMMdd"_s) + now.toString(u"HHmmss"_s) + now.toString(u"mm"_s));
    QString path = base;
    for (int suffix = 2; taken(path); ++suffix)
        path = base + u'_' + QString::number(suffix);
    return path;
}

Result<BarcodePictureFile> makeBarcodePicture(const QString& payload, BarcodeBox box,
                                              const QString& applicationsFolder, const QDateTime& now) {
    const QByteArray bytes = barcode::barcodeBytes(barcode::foldBarcodeText(payload));
    auto picture = Pdf417Picture::make(bytes, box);
    if (!picture)
        return std::unexpected(picture.error());

    BarcodePictureFile file;
    file.path = barcodePicturePath(applicationsFolder, now);
    file.bmpPath = file.path + u".bmp"_s;
    file.pngPath = file.path + u".png"_s;
    file.payload = bytes;
    file.picture = std::move(*picture);
    if (auto written = writePicture(file.bmpPath, file.picture.image().toBmp()); !written)
        return std::unexpected(written.error());
    if (auto written = writePicture(file.pngPath, file.picture.image().toPng()); !written) {
        QFile::remove(file.bmpPath);
        return std::unexpected(written.error());
    }
    return file;
}

} // namespace velantor
