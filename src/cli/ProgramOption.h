#pragma once

#include <QString>
#include <QStringList>

#include "platform/Error.h"

namespace velantor::cli {

// The commands that work on a program folder take it as their first argument (after the
// sub-command for "catalogues dump") or as "--programa CARPETA" anywhere among their
// arguments. Returns the arguments with the folder in its place; an error for the option
// on a command without a program folder, or given without a folder, or twice.
Result<QStringList> placeProgramOption(const QString& command, QStringList args);

} // namespace velantor::cli
