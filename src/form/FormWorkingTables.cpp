#include "form/FormWorkingTables.h"

#include "catalogues/Catalogues.h"
#include "catalogues/WorkingTables.h"

namespace velantor {

FormWorkingTables formWorkingTables(const catalogues::Catalogues& c) {
    return {c.Vacantes ? c.Vacantes : createPositionListTable(QStringLiteral("Vacantes")),
            c.Resultas ? c.Resultas : createPositionListTable(QStringLiteral("Resultas")),
            c.Cursos ? c.Cursos : createCursosTable(), c.Documentos ? c.Documentos : createDocumentosTable()};
}

} // namespace velantor
