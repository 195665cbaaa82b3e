#pragma once

#include <memory>

#include <QString>

#include "platform/Error.h"
#include "platform/FileLock.h"

namespace velantor {

// The lock on an application's pair (the document and its positions XML), a lock file
// beside the document. Whoever may write the pair holds it: a window from the moment it
// loads or first saves the application until it closes, `velantor-cli fill` while it
// saves. So two windows, or a window and a fill, never write one pair at once, and a
// window learns that the application is open elsewhere. A lock of a run that ended without
// letting go is taken over once its process is gone; on another computer only when it is
// deleted, since an editing window may hold it for hours.
class ApplicationLock {
public:
    // Takes the lock of the document at `documentPath`, waiting up to `waitMs`. Another
    // holder comes back as errors::kFileLocked with openElsewhereText().
    static Result<std::unique_ptr<ApplicationLock>> acquire(const QString& documentPath, int waitMs = 0);

    const QString& documentPath() const { return m_documentPath; }

    // "La solicitud está abierta en otro equipo o ventana: «name»."
    static QString openElsewhereText(const QString& documentPath);

private:
    explicit ApplicationLock(const QString& documentPath);

    QString m_documentPath;
    FileLock m_lock;
};

} // namespace velantor
