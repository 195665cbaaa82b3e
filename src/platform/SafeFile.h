#pragma once

#include <functional>

#include <QByteArray>
#include <QString>

#include "platform/Error.h"

namespace velantor {

// Writes user data through a temporary file in the same folder that is renamed into
// place only when everything was written, so a crash or a full disk never leaves a
// half-written file under the final name; the previous file stays as it was.
Result<void> writeFileAtomically(const QString& path, const QByteArray& contents);

// Test seam: lets tests fail a write at one of its stages.
enum class WriteStage { Open, Write, Commit };
using WriteFaultHook = std::function<bool(const QString& path, WriteStage stage)>; // true = fail
void setWriteFaultHook(WriteFaultHook hook);

} // namespace velantor
