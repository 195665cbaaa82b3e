#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "document/ScanImage.h"
#include "platform/Error.h"

namespace velantor::cli {

// One page of a scan file: a PDF page, a page of a multi-page TIFF, or a whole picture.
struct ScanSource {
    enum class Kind { Pdf, Picture };
    QString path;
    QString shown; // the name paginas.csv gives it
    Kind kind = Kind::Picture;
    int index = 0; // 0-based page within the file
};

// A page loaded as grey, with its resolution when the file gives a plausible one.
struct LoadedScan {
    ScanImage image;
    int dotsPerInch = 0;
};

// PDF pages are rendered at this resolution.
inline constexpr int kScanPdfDotsPerInch = 300;

// The pages of the given files and folders (a folder's files in name order), or the
// first file that is missing or is neither a PDF nor a picture Qt reads.
Result<QList<ScanSource>> listScanPages(const QStringList& arguments);

// Safe to call from several threads at once.
Result<LoadedScan> loadScanPage(const ScanSource& source);

} // namespace velantor::cli
