#pragma once

#include <QString>

#include "platform/Error.h"

namespace velantor {

class WordDocument;

// Whether a document read from the applications folder is an application at all, and the
// one its file name says: it has the identity field of the form, the field holds a number,
// and the number is the one the name was made from (its first nine characters). Anything
// else (a damaged file a word processor turned into an empty text, another kind of
// document, a document renamed by hand) is errors::kNotAnApplication with a Spanish text
// naming the file, before anything of it reaches a form.
Result<void> checkIsApplication(const WordDocument& document, const QString& fileName);

} // namespace velantor
