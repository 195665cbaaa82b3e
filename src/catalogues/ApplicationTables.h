#pragma once

#include "tables/Table.h"

namespace velantor {

// The four working tables of an application: the requested vacancies and "Resultas" (one
// position-list layout), the courses and the documents. The form shows them in its grids,
// the positions XML stores them, the document generator prints them.
struct ApplicationTables {
    TablePtr vacantes;
    TablePtr resultas;
    TablePtr cursos;
    TablePtr documentos;

    // All four, created empty with their layouts.
    static ApplicationTables create();
};

TablePtr createPositionListTable(const QString& name); // "Vacantes" or "Resultas"
TablePtr createCursosTable();
TablePtr createDocumentosTable();

namespace catalogues {
struct Catalogues;
}
// The working tables of a loaded run; those the loading has not made are created empty.
ApplicationTables workingTablesOf(const catalogues::Catalogues& loaded);

} // namespace velantor
