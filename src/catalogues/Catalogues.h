#pragma once

#include <utility>
#include <vector>

#include <QString>

#include "catalogues/ApplicationTables.h"
#include "catalogues/PlazasPorCuerpoEntry.h"
#include "tables/Table.h"

namespace velantor::catalogues {

// Every catalogue table of a run, by the name the rest of the program knows it by, with the
// derived per-body and per-group position tables and the four working tables of the
// application. The bodies table is loaded before login; the loading sequence fills the rest.
struct Catalogues {
    TablePtr rsCuerpos;

    TablePtr rsSituaciones;
    TablePtr rsGrupos;
    TablePtr rsAreas;
    TablePtr rsAreasVrk;
    TablePtr rsZonas;
    TablePtr rsZonasVrk;
    TablePtr rsLocalidades;
    TablePtr rsLocalidadesVrk;
    TablePtr rsInstitucionLocalidad;
    TablePtr rsConsejeriasVacantes;
    TablePtr rsConsejeriasResultas;
    TablePtr rsProvinciasVrk;
    TablePtr rsProvincias;
    TablePtr rsConvocatoriasResultas;
    TablePtr rsConvocatoriasVacantes;
    TablePtr rsPlazasCuerpo;
    TablePtr rsPlazasGrupo;
    TablePtr rsListaResultas;
    TablePtr rsListaVacantes;
    TablePtr rsLocalidadesVacantes;
    TablePtr rsLocalidadesResultas;

    std::vector<PlazasPorCuerpoEntry> PlazasPorCuerpo;
    std::vector<PlazasPorGrupoEntry> PlazasPorGrupo;

    ApplicationTables working;

    // The catalogue and working tables that exist, each with its name, in loading order
    // (bodies first); the derived tables are not among them.
    std::vector<std::pair<QString, TablePtr>> namedTables() const;
};

} // namespace velantor::catalogues
