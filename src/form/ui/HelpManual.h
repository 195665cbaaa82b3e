#pragma once

#include <QString>

#include "platform/Error.h"

namespace velantor {

// The user's manual is shipped in the program folder ("Manual de Usuario.doc"); "Ayuda"
// opens a fresh copy of it in the temporary folder, so whatever the reader changes and
// saves in the word processor never reaches the shipped manual. The copy is written to a
// temporary name and renamed into place, and is left writable (it is the user's to keep).
// Answers the copy's path, or a Spanish message when the manual is missing or cannot be
// copied.
Result<QString> manualCopy(const QString& programFolder, const QString& copyFolder = {});

} // namespace velantor
