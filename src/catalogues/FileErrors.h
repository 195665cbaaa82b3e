#pragma once

#include <QString>

#include "platform/Error.h"

namespace velantor::catalogues {

// Errors of reading and writing the catalogue files, with the file system's numbers.

// Why a file could not be opened: its folder is missing (76), the file is missing (53),
// or it exists but cannot be used (75).
Error openFailure(const QString& path);
Error fileNotFound(const QString& path);
Error fileAccessFailure(const QString& path);
Error writeFailure(const QString& path);

// Reads a whole file, or the error that kept it from being read.
Result<QByteArray> readWholeFile(const QString& path);

} // namespace velantor::catalogues
