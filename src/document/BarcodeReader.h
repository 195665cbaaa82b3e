#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include "document/BarcodeImage.h"
#include "platform/Error.h"

namespace velantor {

// One PDF417 barcode found on a page or picture.
struct FoundBarcode {
    int page = 0;         // 1-based page of a PDF; 0 for a picture
    QByteArray bytes;     // the raw payload bytes
    QString text() const; // the bytes read as Windows-1252
};

// Finds and reads PDF417 barcodes: in grey pictures, in BMP files and in the pages of a
// PDF rendered at 300 dots per inch. Barcodes come in reading order: page by page, and on
// a page from top to bottom (left to right for barcodes side by side).
class BarcodeReader {
public:
    static constexpr int kPdfDotsPerInch = 300;

    // `stride` is the number of bytes from one row to the next.
    static QList<QByteArray> read(const unsigned char* grey, int width, int height, int stride);
    static QList<QByteArray> read(const BarcodeImage& image);

    static Result<QList<FoundBarcode>> readBmpFile(const QString& path);
    static Result<QList<FoundBarcode>> readPdfFile(const QString& path, int dotsPerInch = kPdfDotsPerInch);
    // A PDF or a BMP file, told apart by their contents.
    static Result<QList<FoundBarcode>> readFile(const QString& path);

    // Reads a barcode picture just written and compares it with the payload it was made
    // from; a picture that does not read back exactly must never reach paper.
    static Result<void> verifyPicture(const QString& bmpPath, const QByteArray& payload);
};

} // namespace velantor
