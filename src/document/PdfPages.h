#pragma once

#include <QString>

#include "document/ScanImage.h"
#include "platform/Error.h"

namespace velantor {

// The pages of a PDF as grey pictures, rendered by poppler.
class PdfPages {
public:
    static Result<int> pageCount(const QString& path);
    // `index` counts from 0.
    static Result<ScanImage> render(const QString& path, int index, int dotsPerInch);
};

} // namespace velantor
