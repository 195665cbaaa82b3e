#pragma once

#include "platform/Table.h"

namespace velantor::catalogues {
struct Catalogues;
}

namespace velantor {

// The four tables of the application being edited, shown by the form's four grids.
struct FormWorkingTables {
    TablePtr vacantes;
    TablePtr resultas;
    TablePtr cursos;
    TablePtr documentos;
};

// The working tables of a loaded run; those the loading has not made are created empty.
FormWorkingTables formWorkingTables(const catalogues::Catalogues& loaded);

} // namespace velantor
