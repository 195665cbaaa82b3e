#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include "platform/Error.h"
#include "platform/MessageService.h"

namespace velantor::catalogues {

// A catalogue file is text in which every byte is stored one code above its plain value.
// Decoding writes the plain text of the file to the work file "temp.tmp" beside it, and
// the readers cut their fields out of that file.

inline constexpr char kWorkFileName[] = "temp.tmp";

// Every character's code moved by `amount`; the same length as `text`. A character
// outside Windows-1252 or a code that leaves 0..255 is an error (number 1001).
Result<QString> DesplazaTexto(QStringView text, qint16 amount);

// Moves every byte of every non-empty line of `stored` by `amount` and ends each line with
// CR LF. Lines end at CR LF, CR or LF; empty lines are left out; a last line without a line
// end counts. `fileName` names the file in the error of a code out of range.
Result<QByteArray> shiftCatalogueLines(QByteArrayView stored, int amount, const QString& fileName);

// Decodes folder/fileName into folder/temp.tmp and returns "temp.tmp". On failure it shows
// the decoding message (critical icon, default title), leaves no work file behind and
// returns the error, which the calling reader passes on as its own failure.
Result<QString> DecodificaFichero(const QString& folder, const QString& fileName, MessageService& messages);

// "Se ha producido el siguiente error " + number + "-" + description.
QString decodingFailureText(const Error& error);

} // namespace velantor::catalogues
