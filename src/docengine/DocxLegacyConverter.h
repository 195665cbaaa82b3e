#pragma once

#include <QByteArray>
#include <QString>

#include "platform/Error.h"

namespace velantor {

// Turns a document in the older binary word-processing format into the XML-based
// format, with LibreOffice in headless mode. The work happens on a copy in a
// temporary folder, with a LibreOffice profile of its own there, so the user's file
// is never opened for writing and a running LibreOffice is not disturbed.
class DocxLegacyConverter {
public:
    // The binary format's signature (a compound file).
    static bool isLegacy(const QByteArray& bytes);

    // The converted document's bytes.
    static Result<QByteArray> convert(const QString& path);

    // Seconds a conversion may take, a first start with a fresh profile included.
    static constexpr int kTimeoutSeconds = 180;
};

} // namespace velantor
