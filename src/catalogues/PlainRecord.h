#pragma once

#include <functional>

#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace velantor::catalogues {

// Fixed-column records of the plain catalogue text.

// Windows-1252 bytes as text.
QString fromAnsi(QByteArrayView bytes);

// The text at columns start..start+length-1 (counted from 1) with the spaces around it
// removed; the part the line covers when it is shorter, empty when it ends before start.
QStringView fieldValue(QStringView line, int start, int length);

// Spaces (only spaces, as in the records) removed from both ends.
QStringView trimSpaces(QStringView text);

// Calls `visit` for every line of `text`. Lines end at CR LF, CR or LF; a last line without
// a line end counts, and a line end at the very end opens no further line.
void forEachLine(QStringView text, const std::function<void(QStringView line)>& visit);

} // namespace velantor::catalogues
