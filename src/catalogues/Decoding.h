#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include "platform/Error.h"

namespace velantor::catalogues {

// A catalogue file is text in which every byte is stored one code above its plain value.
// Decoding gives the plain text in memory, so that any number of runs can read one data
// folder at the same time: no run writes anything into it.

// Every character's code moved by `amount`; the same length as `text`. A character
// outside Windows-1252 or a code that leaves 0..255 is an error (number 1001).
Result<QString> DesplazaTexto(QStringView text, qint16 amount);

// Moves every byte of every non-empty line of `stored` by `amount` and ends each line with
// CR LF. Lines end at CR LF, CR or LF; empty lines are left out; a last line without a line
// end counts. `fileName` names the file in the error of a code out of range.
Result<QByteArray> shiftCatalogueLines(QByteArrayView stored, int amount, const QString& fileName);

// The plain text of folder/fileName (every line ended by CR LF). A file that cannot be read
// or a stored code that cannot be decoded is the error; whoever shows it says
// decodingFailureText() of it (critical icon, default title).
Result<QByteArray> DecodificaFichero(const QString& folder, const QString& fileName);

// "Se ha producido el siguiente error " + number + "-" + description.
QString decodingFailureText(const Error& error);

} // namespace velantor::catalogues
