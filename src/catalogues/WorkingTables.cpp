#include "catalogues/WorkingTables.h"

namespace velantor::catalogues {
namespace {

FieldDef text(const char* name, int maxLength) { return FieldDef::text(QString::fromLatin1(name), maxLength); }
FieldDef integer(const char* name) { return FieldDef::integer(QString::fromLatin1(name)); }

} // namespace

TablePtr createRequestedPositionsTable(const QString& name) {
    return Table::create(name, {integer("IdSolicitud"), integer("Orden"), text("CodConvocatoria", 5),
                                text("NomConvocatoria", 50), text("Consejeria", 50), text("Localidad", 53),
                                text("CodArea", 8), text("CodZona", 8), text("Area", 50), text("Zona", 50)});
}

TablePtr createVacantesTable() { return createRequestedPositionsTable(QStringLiteral("Vacantes")); }

TablePtr createResultasTable() { return createRequestedPositionsTable(QStringLiteral("Resultas")); }

TablePtr createCursosTable() {
    return Table::create(QStringLiteral("Cursos"), {text("Curso", 100), integer("NHoras"), integer("Ano"),
                                                    text("Centro", 100), integer("IdCurso")});
}

TablePtr createDocumentosTable() {
    return Table::create(QStringLiteral("Documentos"), {integer("IdDocumento"), text("Documento", 100),
                                                        text("Horas", 6), text("Fecha", 10), text("Centro", 100)});
}

} // namespace velantor::catalogues
