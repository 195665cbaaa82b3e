#pragma once

#include "platform/Table.h"

namespace velantor {

// The four working tables of an application, created empty with their layouts:
// the requested vacancies and "Resultas" (one position-list layout), the courses and
// the documents.
TablePtr createPositionListTable(const QString& name); // "Vacantes" or "Resultas"
TablePtr createCursosTable();
TablePtr createDocumentosTable();

} // namespace velantor
