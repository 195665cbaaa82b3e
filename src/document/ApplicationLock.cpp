#include "document/ApplicationLock.h"

#include <QDir>
#include <QFileInfo>

namespace velantor {

ApplicationLock::ApplicationLock(const QString& documentPath)
    : m_documentPath(documentPath), m_lock(documentPath, 0) {}

QString ApplicationLock::openElsewhereText(const QString& documentPath) {
    return QString::fromUtf8("La solicitud está abierta en otro equipo o ventana: «%1».")
        .arg(QFileInfo(documentPath).fileName());
}

Result<std::unique_ptr<ApplicationLock>> ApplicationLock::acquire(const QString& documentPath, int waitMs) {
    // The first save of an application may be the one that makes its folder.
    QDir().mkpath(QFileInfo(documentPath).absolutePath());
    std::unique_ptr<ApplicationLock> held(new ApplicationLock(documentPath));
    if (Result<void> locked = held->m_lock.lock(waitMs, openElsewhereText(documentPath)); !locked)
        return std::unexpected(locked.error());
    return held;
}

} // namespace velantor
