#pragma once

#include "platform/Table.h"

namespace velantor::catalogues {
struct Catalogues;
}

namespace velantor {

// The catalogue tables the application form's lists show, by their catalogue names.
// The loading sequence fills them; tests build small ones by hand. The Resultas-side
// area and zone tables may be left empty: the form then clones rsAreas and rsZonas so
// that the two search tabs filter independent copies.
struct FormCatalogueTables {
    TablePtr rsCuerpos;
    TablePtr rsGrupos;
    TablePtr rsProvincias;
    TablePtr rsProvinciasVrk;
    TablePtr rsSituaciones;
    TablePtr rsLocalidades;
    TablePtr rsLocalidadesVacantes;
    TablePtr rsLocalidadesResultas;
    TablePtr rsLocalidadesVrk;
    TablePtr rsConsejeriasVacantes;
    TablePtr rsConsejeriasResultas;
    TablePtr rsAreas;
    TablePtr rsAreasResultas;
    TablePtr rsAreasVrk;
    TablePtr rsZonas;
    TablePtr rsZonasResultas;
    TablePtr rsZonasVrk;
};

// The four tables of the application being edited, shown by the four grids.
struct FormWorkingTables {
    TablePtr vacantes;
    TablePtr resultas;
    TablePtr cursos;
    TablePtr documentos;
};

// The tables of a loaded run as the form takes them; missing working tables are created.
FormCatalogueTables formCatalogueTables(const catalogues::Catalogues& loaded);
FormWorkingTables formWorkingTables(const catalogues::Catalogues& loaded);

} // namespace velantor
