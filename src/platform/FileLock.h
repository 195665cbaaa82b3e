#pragma once

#include <memory>

#include <QString>

#include "platform/Error.h"

class QLockFile;

namespace velantor {

// A lock file beside a file ("<file>.lock") that keeps other runs of the program, in this
// window, another window or on another computer sharing the folder, from changing the file
// while this one reads, changes and writes it back. The lock of a run that ended without
// letting go of it (it crashed, it was killed) is taken over: on this computer as soon as
// its process is gone, elsewhere once it is `staleAfterMs` old (never when 0).
class FileLock {
public:
    explicit FileLock(const QString& guardedFile, int staleAfterMs = 30000);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Takes the lock, waiting up to `waitMs` for another run to let go of it. A lock held
    // elsewhere comes back as errors::kFileLocked with `busyText`; a lock file that cannot
    // be made (a read-only folder) as errors::kFileAccess.
    Result<void> lock(int waitMs, const QString& busyText);
    bool isLocked() const;
    void unlock();

    static QString lockPathFor(const QString& guardedFile);

private:
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace velantor
