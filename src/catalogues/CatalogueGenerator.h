#pragma once

#include <QString>

#include "platform/Error.h"

namespace velantor::catalogues {

// Writes a synthetic program folder about `scale` times the size of the sample: conf.xml,
// ficheros/F0001.enc ... F0016.enc, ficheros/FicheroTexto.txt and an empty ficheros/temp.
// The geography (provinces, localities, areas, zones, institutions) keeps the sample's size;
// the bodies, the offered positions, the maps and the code lists grow with the scale. It has
// the sample's peculiarities: bodies of group "X", map rows whose code is in no position file,
// codes mapped twice and listed codes that match no position. The same scale always gives
// the same files.
Result<void> generateProgramFolder(const QString& folder, int scale);

// The largest scale the five-character position codes allow.
inline constexpr int kMaxGeneratorScale = 500;

} // namespace velantor::catalogues
