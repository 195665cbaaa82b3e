#pragma once

#include <QString>

namespace velantor::testing {

// Copies what a program folder needs to run (conf.xml, the manual and the data folder
// with the catalogues and templates, but no saved application) from the sample program
// folder next to the executables into `to`.
bool copySampleProgram(const QString& to);

} // namespace velantor::testing
