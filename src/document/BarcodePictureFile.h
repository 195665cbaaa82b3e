#pragma once

#include <QDateTime>
#include <QString>

#include "document/Pdf417Picture.h"
#include "platform/Error.h"

namespace velantor {

// A barcode picture written for the document: path + ".bmp" (the form the generator has
// always inserted) and path + ".png" beside it (kept lossless by PDF writers, so it is the
// one to insert when the document is turned into PDF). Both show the same pixels.
struct BarcodePictureFile {
    QString path; // without extension
    QString bmpPath;
    QString pngPath;
    QByteArray payload; // the Windows-1252 bytes encoded
    Pdf417Picture picture;

    // Deletes both files; a file already gone is no failure.
    void remove() const;
};

// Applications folder + date "yyyyMMdd" + time "HHmmss" + the minutes again "mm". Two
// barcodes made in the same second would share that name, and the second would overwrite
// a picture the first may still need; so when a picture of that name exists the name gets
// "_2", "_3", … until it is free.
QString barcodePicturePath(const QString& applicationsFolder, const QDateTime& now);

// Folds the payload, encodes its Windows-1252 bytes as PDF417 filling `box`, and writes
// the two picture files under the path rule above.
Result<BarcodePictureFile> makeBarcodePicture(const QString& payload, BarcodeBox box,
                                              const QString& applicationsFolder,
                                              const QDateTime& now = QDateTime::currentDateTime());

} // namespace velantor
