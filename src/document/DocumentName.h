#pragma once

#include <QString>

#include "platform/Error.h"

namespace velantor {

// The file name of an application document, 21 characters for the usual values:
//   the identity number's first 9 characters, "0"-filled on the left to 9;
//   the body code's first 6 characters, "_"-filled on the left to 6;
//   the group's first character, "0"-filled on the left to 2;
//   ".doc".
// The positions XML has the same name with ".xml" (PositionsXml::fileNameFor).
//
// The name is a path inside the applications folder, so a value that would put a
// folder separator, a drive colon or ".." into it is refused (errors::kUnsafeName) with
// a message naming the field.
Result<QString> documentFileName(const QString& dni, const QString& bodyCode, const QString& group);

} // namespace velantor
