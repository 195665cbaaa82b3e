#pragma once

#include <functional>
#include <optional>

#include <QByteArray>
#include <QFileDevice>
#include <QString>

#include "platform/Error.h"

namespace velantor {

// Writes user data through a temporary file in the same folder that is renamed into
// place only when everything was written, so a crash or a full disk never leaves a
// half-written file under the final name; the previous file stays as it was.
// `permissions`, when given, are set on the temporary file before it takes the final
// name, so the file is never readable by others for a moment (where the platform has
// such permissions); otherwise an existing file keeps its own.
Result<void> writeFileAtomically(const QString& path, const QByteArray& contents,
                                 std::optional<QFileDevice::Permissions> permissions = std::nullopt);

// Test seam: lets tests fail a write at one of its stages, in this order: creating the
// temporary file, writing it, flushing it to the system, renaming it into place.
// Commit is the older name of the rename.
enum class WriteStage { Open, Write, Flush, Rename, Commit = Rename };
using WriteFaultHook = std::function<bool(const QString& path, WriteStage stage)>; // true = fail
void setWriteFaultHook(WriteFaultHook hook);

} // namespace velantor
