#include "platform/FileLock.h"

#include <QDir>
#include <QLockFile>

namespace velantor {

FileLock::FileLock(const QString& guardedFile, int staleAfterMs)
    : m_lock(std::make_unique<QLockFile>(lockPathFor(guardedFile))) {
    m_lock->setStaleLockTime(staleAfterMs);
}

FileLock::~FileLock() = default;

QString FileLock::lockPathFor(const QString& guardedFile) {
    return guardedFile + QStringLiteral(".lock");
}

Result<void> FileLock::lock(int waitMs, const QString& busyText) {
    if (m_lock->isLocked())
        return {};
    if (m_lock->tryLock(waitMs))
        return {};
    if (m_lock->error() == QLockFile::LockFailedError)
        return std::unexpected(makeError(errors::kFileLocked, busyText));
    return std::unexpected(makeError(
        errors::kFileAccess, QStringLiteral("No se puede crear el archivo de bloqueo «%1».")
                                 .arg(QDir::toNativeSeparators(m_lock->fileName()))));
}

bool FileLock::isLocked() const {
    return m_lock->isLocked();
}

void FileLock::unlock() {
    m_lock->unlock();
}

} // namespace velantor
