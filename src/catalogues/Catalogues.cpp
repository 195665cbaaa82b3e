#include "catalogues/Catalogues.h"

namespace velantor::catalogues {

std::vector<std::pair<QString, TablePtr>> Catalogues::namedTables() const {
    const std::pair<const char*, const TablePtr*> all[] = {
        {"rsCuerpos", &rsCuerpos},
        {"rsSituaciones", &rsSituaciones},
        {"rsGrupos", &rsGrupos},
        {"rsAreas", &rsAreas},
        {"rsAreasVrk", &rsAreasVrk},
        {"rsZonas", &rsZonas},
        {"rsZonasVrk", &rsZonasVrk},
        {"rsLocalidades", &rsLocalidades},
        {"rsLocalidadesVrk", &rsLocalidadesVrk},
        {"Cursos", &working.cursos},
        {"rsInstitucionLocalidad", &rsInstitucionLocalidad},
        {"rsConsejeriasVacantes", &rsConsejeriasVacantes},
        {"rsConsejeriasResultas", &rsConsejeriasResultas},
        {"rsProvinciasVrk", &rsProvinciasVrk},
        {"rsProvincias", &rsProvincias},
        {"Resultas", &working.resultas},
        {"Vacantes", &working.vacantes},
        {"rsConvocatoriasResultas", &rsConvocatoriasResultas},
        {"rsConvocatoriasVacantes", &rsConvocatoriasVacantes},
        {"rsPlazasCuerpo", &rsPlazasCuerpo},
        {"rsPlazasGrupo", &rsPlazasGrupo},
        {"rsListaResultas", &rsListaResultas},
        {"rsListaVacantes", &rsListaVacantes},
        {"rsLocalidadesVacantes", &rsLocalidadesVacantes},
        {"rsLocalidadesResultas", &rsLocalidadesResultas},
        {"Documentos", &working.documentos},
    };
    std::vector<std::pair<QString, TablePtr>> tables;
    for (const auto& [name, table] : all) {
        if (*table)
            tables.emplace_back(QString::fromLatin1(name), *table);
    }
    return tables;
}

} // namespace velantor::catalogues
