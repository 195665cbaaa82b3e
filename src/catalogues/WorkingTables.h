#pragma once

#include <QString>

#include "platform/Table.h"

namespace velantor::catalogues {

// The four working tables of an application, created empty by the catalogue loading and
// by the loading of a saved application.

// Requested positions, shared by the tables "Vacantes" and "Resultas": IdSolicitud (integer),
// Orden (integer), CodConvocatoria [5], NomConvocatoria [50], Consejeria [50], Localidad [53],
// CodArea [8], CodZona [8], Area [50], Zona [50].
TablePtr createRequestedPositionsTable(const QString& name);
TablePtr createVacantesTable();
TablePtr createResultasTable();

// Courses: Curso [100], NHoras (integer), Ano (integer), Centro [100], IdCurso (integer).
TablePtr createCursosTable();

// Documents supplied: IdDocumento (integer), Documento [100], Horas [6], Fecha [10], Centro [100].
TablePtr createDocumentosTable();

} // namespace velantor::catalogues
