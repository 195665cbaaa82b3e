#include "form/ui/FormListBindings.h"

#include "form/ui/FormWidgetFactory.h"
#include "widgets/DataCombo.h"

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

const DataGridColumns& provinceColumns() {
    static const DataGridColumns columns{col("CodProvincia", "Código", 900),
                                         col("Provincia", "Provincia", 3000)};
    return columns;
}
const DataGridColumns& localityColumns() {
    static const DataGridColumns columns{col("CodLocalidad", "Código", 900),
                                         col("Localidad", "Localidad", 4200),
                                         col("CodProvincia", "Provincia", 1200)};
    return columns;
}

void bind(const FormWidgetFactory& controls, const char* name, const TablePtr& table,
          const DataGridColumns& columns) {
    if (auto* list = qobject_cast<DataCombo*>(controls.find(QString::fromLatin1(name))))
        list->bind(table, columns);
}

} // namespace

QString bodyListFilter() {
    return QStringLiteral("Grupo <> '") + QStringLiteral("X") + QStringLiteral("'");
}

void bindCatalogueLists(const FormWidgetFactory& c, const FormCatalogueTables& t) {
    if (t.rsCuerpos)
        t.rsCuerpos->setFilter(bodyListFilter());
    bind(c, "cboCuerpo", t.rsCuerpos,
         {col("CodCuerpo", "Código", 900), col("DescCuerpo", "Categoría", 5700), col("Grupo", "Grupo", 900)});
    bind(c, "cboGrupo", t.rsGrupos, {col("Grupo", "Grupo", 1200)});
    bind(c, "cboProvincia", t.rsProvincias, provinceColumns());
    bind(c, "cboSituaciones", t.rsSituaciones,
         {col("CodSituacion", "Código", 900), col("Situacion", "Situación", 4500),
          col("esOtras", "Otras", 900)});

    bind(c, "cboProvinciaVacantes", t.rsProvinciasVrk, provinceColumns());
    bind(c, "cboLocalidadVacantes", t.rsLocalidadesVacantes, localityColumns());
    bind(c, "cboConsejeriaVacantes", t.rsConsejeriasVacantes,
         {col("CodConsejeria", "Código", 900), col("Consejeria", "Institución", 4500),
          col("CodArea", "Área", 1500)});
    bind(c, "cboAreasVacantes", t.rsAreas,
         {col("CodArea", "Código", 900), col("Area", "Área", 4000), col("CodProvincia", "Provincia", 1200)});
    bind(c, "cboZonasVacantes", t.rsZonas,
         {col("CodZona", "Código", 900), col("Zona", "Zona Básica", 4000),
          col("CodProvincia", "Provincia", 1200), col("CodInstitucion", "Institución", 1200),
          col("CodArea", "Área", 1200)});

    bind(c, "cboProvinciaResultas", t.rsProvinciasVrk, provinceColumns());
    bind(c, "cboLocalidadResultas", t.rsLocalidadesResultas, localityColumns());
    bind(c, "cboConsejeriaResultas", t.rsConsejeriasResultas,
         {col("CodConsejeria", "Código", 900), col("Consejeria", "Institución", 4500),
          col("CodArea", "Área", 1500)});
    bind(c, "cboAreasResultas", t.rsAreasResultas,
         {col("CodArea", "Código", 900), col("Area", "Área", 4000)});
    bind(c, "cboZonasResultas", t.rsZonasResultas,
         {col("CodZona", "Código", 900), col("Zona", "Zona Básica", 4000),
          col("CodProvincia", "Provincia", 1200), col("CodInstitucion", "Institución", 1200)});

    bind(c, "cboProvinciasVrk", t.rsProvinciasVrk, provinceColumns());
    bind(c, "cboAreaVrk", t.rsAreasVrk,
         {col("CodArea", "Código", 900), col("Area", "Área", 4000), col("CodProvincia", "Provincia", 1200)});
    bind(c, "cboZBSVrk", t.rsZonasVrk,
         {col("CodZona", "Código", 900), col("Zona", "Zona Básica", 4000), col("CodArea", "Área", 1200),
          col("CodProvincia", "Provincia", 1200)});
    bind(c, "cboLocalidadesVrk", t.rsLocalidadesVrk, localityColumns());

    bind(c, "cboPrefArea", t.rsAreas,
         {col("CodArea", "Código", 900), col("Area", "Área", 4000), col("CodProvincia", "Provincia", 1200)});
    bind(c, "cboPrefProvincia", t.rsZonas,
         {col("CodZona", "Código", 900), col("Zona", "Zona Básica", 4000), col("CodArea", "Área", 1200),
          col("CodProvincia", "Provincia", 1200)});
    bind(c, "cboPrefLocalidad", t.rsLocalidades, localityColumns());
}

DataGridColumns positionListColumns(bool vacantes) {
    DataGridColumns columns{
        col("CodConvocatoria", vacantes ? "Código" : "Código", 900),
        col("NomConvocatoria", vacantes ? "Denominación" : "Convocatoria", 4500),
        col("Consejeria", "Institución", 4000),
        col("Localidad", "Localidad/Z.B.S.", 4000),
        hidden("CodLocalidad", "Código de localidad"),
        hidden("CodConsejeria", "Código de institución"),
        hidden("CodProvincia", "Código de provincia"),
        hidden("CodArea", "Código de área"),
        hidden("CodZona", "Código de zona"),
    };
    if (vacantes)
        columns.append(hidden("Area", "Área"));
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
