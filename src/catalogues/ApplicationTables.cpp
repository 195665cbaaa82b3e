#include "catalogues/ApplicationTables.h"

#include "catalogues/Catalogues.h"

namespace velantor {

TablePtr createPositionListTable(const QString& name) {
    return Table::create(name, {
                                   FieldDef::integer(QStringLiteral("IdSolicitud")),
                                   FieldDef::integer(QStringLiteral("Orden")),
                                   FieldDef::text(QStringLiteral("CodConvocatoria"), 5),
                                   FieldDef::text(QStringLiteral("NomConvocatoria"), 50),
                                   FieldDef::text(QStringLiteral("Consejeria"), 50),
                                   FieldDef::text(QStringLiteral("Localidad"), 53),
                                   FieldDef::text(QStringLiteral("CodArea"), 8),
                                   FieldDef::text(QStringLiteral("CodZona"), 8),
                                   FieldDef::text(QStringLiteral("Area"), 50),
                                   FieldDef::text(QStringLiteral("Zona"), 50),
                               });
}

TablePtr createCursosTable() {
    return Table::create(QStringLiteral("Cursos"), {
                                                       FieldDef::text(QStringLiteral("Curso"), 100),
                                                       FieldDef::integer(QStringLiteral("NHoras")),
                                                       FieldDef::integer(QStringLiteral("Ano")),
                                                       FieldDef::text(QStringLiteral("Centro"), 100),
                                                       FieldDef::integer(QStringLiteral("IdCurso")),
                                                   });
}

TablePtr createDocumentosTable() {
    return Table::create(QStringLiteral("Documentos"), {
                                                           FieldDef::integer(QStringLiteral("IdDocumento")),
                                                           FieldDef::text(QStringLiteral("Documento"), 100),
                                                           FieldDef::text(QStringLiteral("Horas"), 6),
                                                           FieldDef::text(QStringLiteral("Fecha"), 10),
                                                           FieldDef::text(QStringLiteral("Centro"), 100),
                                                       });
}

ApplicationTables ApplicationTables::create() {
    return {createPositionListTable(QStringLiteral("Vacantes")), createPositionListTable(QStringLiteral("Resultas")),
            createCursosTable(), createDocumentosTable()};
}

ApplicationTables workingTablesOf(const catalogues::Catalogues& c) {
    const ApplicationTables& w = c.working;
    return {w.vacantes ? w.vacantes : createPositionListTable(QStringLiteral("Vacantes")),
            w.resultas ? w.resultas : createPositionListTable(QStringLiteral("Resultas")),
            w.cursos ? w.cursos : createCursosTable(), w.documentos ? w.documentos : createDocumentosTable()};
}

} // namespace velantor
