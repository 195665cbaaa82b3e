#include "form/ui/FormCatalogueTables.h"

#include "catalogues/Catalogues.h"
#include "catalogues/WorkingTables.h"

namespace velantor {

FormCatalogueTables formCatalogueTables(const catalogues::Catalogues& c) {
    FormCatalogueTables t;
    t.rsCuerpos = c.rsCuerpos;
    t.rsGrupos = c.rsGrupos;
    t.rsProvincias = c.rsProvincias;
    t.rsProvinciasVrk = c.rsProvinciasVrk;
    t.rsSituaciones = c.rsSituaciones;
    t.rsLocalidades = c.rsLocalidades;
    t.rsLocalidadesVacantes = c.rsLocalidadesVacantes;
    t.rsLocalidadesResultas = c.rsLocalidadesResultas;
    t.rsLocalidadesVrk = c.rsLocalidadesVrk;
    t.rsConsejeriasVacantes = c.rsConsejeriasVacantes;
    t.rsConsejeriasResultas = c.rsConsejeriasResultas;
    t.rsAreas = c.rsAreas;
    t.rsAreasVrk = c.rsAreasVrk;
    t.rsZonas = c.rsZonas;
    t.rsZonasVrk = c.rsZonasVrk;
    // The Resultas search's area and zone copies are made by the form itself.
    return t;
}

FormWorkingTables formWorkingTables(const catalogues::Catalogues& c) {
    return {c.Vacantes ? c.Vacantes : createPositionListTable(QStringLiteral("Vacantes")),
            c.Resultas ? c.Resultas : createPositionListTable(QStringLiteral("Resultas")),
            c.Cursos ? c.Cursos : createCursosTable(), c.Documentos ? c.Documentos : createDocumentosTable()};
}

} // namespace velantor
