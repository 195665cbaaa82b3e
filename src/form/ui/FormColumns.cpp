#include "form/ui/FormColumns.h"

#include "catalogues/ListBindings.h"

namespace velantor {
namespace {

QString s(const char* utf8) {
    return QString::fromUtf8(utf8);
}
DataGridColumn col(const char* field, const char* caption, int twips = 0) {
    return DataGridColumn::shown(s(field), s(caption), twips);
}
// Bound for reading, not drawn; the caption is what assistive technology reads for it.
DataGridColumn hidden(const char* field, const char* caption) {
    return {s(field), s(caption), 0, true};
}

int positionListWidth(QStringView field) {
    if (field == u"CodConvocatoria")
        return 900;
    if (field == u"NomConvocatoria")
        return 4500;
    if (field == u"Consejeria" || field == u"Localidad" || field == u"Area")
        return 4000;
    return 1500; // the code columns
}

} // namespace

DataGridColumns listColumns(const catalogues::ListBinding& binding) {
    const bool positions = binding.table == u"rsPlazasVacantes" || binding.table == u"rsPlazasResultas";
    DataGridColumns columns;
    for (const catalogues::ListColumn& column : binding.columns) {
        int width = column.widthTwips;
        if (width == 0 && positions)
            width = positionListWidth(column.field);
        columns.append(DataGridColumn::shown(column.field, column.caption, width));
    }
    return columns;
}

DataGridColumns cursosColumns() {
    return {col("Curso", "Curso", 6000), col("NHoras", "Horas", 1000), col("Ano", "Año", 900),
            col("Centro", "Centro", 4500), hidden("IdCurso", "Identificador")};
}

DataGridColumns documentosColumns() {
    return {col("IdDocumento", "Nº Documento", 1500), col("Documento", "Documento", 6000),
            col("Horas", "Horas", 900), col("Fecha", "Fecha", 1400), col("Centro", "Centro", 4500)};
}

DataGridColumns positionGridColumns(bool vacantes) {
    return {col("Orden", "Orden", 900),
            col("CodConvocatoria", "Código", 900),
            col("NomConvocatoria", "Denominación", 3800),
            col("Consejeria", "Institución", 3000),
            col("Localidad", vacantes ? "Localidad/Z.B.S." : "Localidad o Z.B.S. (Provincia)", 3000),
            hidden("IdSolicitud", "Identificador"),
            hidden("CodArea", "Código de área"),
            hidden("CodZona", "Código de zona"),
            col("Area", "Área", 2000),
            col("Zona", "Zona", 2000)};
}

} // namespace velantor
