#include "catalogues/ListBindings.h"

#include <initializer_list>

namespace velantor::catalogues {
namespace {

// A column headed by its own field name.
ListColumn plain(const char* field) {
    return {QString::fromLatin1(field), QString::fromLatin1(field), 0};
}

ListColumn headed(const char* field, const QString& caption, int width = 0) {
    return {QString::fromLatin1(field), caption, width};
}

ListBinding bind(const char* list, const char* table, std::initializer_list<ListColumn> columns,
                 const QString& filter = {}) {
    return {QString::fromLatin1(list), QString::fromLatin1(table), QList<ListColumn>(columns), filter};
}

const QString kCodigo = QStringLiteral("Código");

std::vector<ListBinding> makeBindings() {
    const QString provincia = QStringLiteral("Provincia");
    const QString localidad = QStringLiteral("Localidad");
    const QString area = QStringLiteral("Área");
    const QString zonaBasica = QStringLiteral("Zona Básica");
    const ListColumn province[] = {headed("CodProvincia", kCodigo), headed("Provincia", provincia)};
    const auto provinces = [&](const char* list) {
        return bind(list, "rsProvinciasVrk", {province[0], province[1]});
    };
    const auto localities = [&](const char* list, const char* table) {
        return bind(list, table,
                    {headed("CodLocalidad", kCodigo), headed("Localidad", localidad), plain("CodProvincia")});
    };
    return {
        // Tab 0: competition, personal and professional data.
        bind("cboPrefArea", "rsAreas", {headed("CodArea", kCodigo), plain("Area"), plain("CodProvincia")}),
        bind("cboPrefProvincia", "rsZonas",
             {headed("CodZona", kCodigo), plain("Zona"), plain("CodArea"), plain("CodProvincia")}),
        localities("cboPrefLocalidad", "rsLocalidades"),
        bind("cboProvincia", "rsProvincias", {province[0], province[1]}),
        bind("cboCuerpo", "rsCuerpos",
             {headed("CodCuerpo", kCodigo, 900), headed("DescCuerpo", QStringLiteral("Categoría"), 5700),
              headed("Grupo", QStringLiteral("Grupo"))},
             QStringLiteral("Grupo <> 'X'")),
        bind("cboGrupo", "rsGrupos", {plain("Grupo")}),
        bind("cboSituaciones", "rsSituaciones",
             {headed("CodSituacion", QStringLiteral("Codigo")), plain("Situacion"), plain("esOtras")}),
        provinces("cboProvinciasVrk"),
        bind("cboAreaVrk", "rsAreasVrk", {headed("CodArea", kCodigo), plain("Area"), plain("CodProvincia")}),
        bind("cboZBSVrk", "rsZonasVrk",
             {headed("CodZona", kCodigo), plain("Zona"), plain("CodArea"), plain("CodProvincia")}),
        localities("cboLocalidadesVrk", "rsLocalidadesVrk"),

        // Tab 2: vacancies.
        bind("cboPuestoVacante", "rsPlazasVacantes",
             {headed("CodConvocatoria", QStringLiteral("Codigo")),
              headed("NomConvocatoria", QStringLiteral("Denominación")),
              headed("Consejeria", QStringLiteral("Institución")),
              headed("Localidad", QStringLiteral("Localidad/Z.B.S.")), plain("CodLocalidad"),
              plain("CodConsejeria"), plain("CodProvincia"), plain("CodArea"), plain("CodZona"),
              plain("Area")}),
        provinces("cboProvinciaVacantes"),
        localities("cboLocalidadVacantes", "rsLocalidadesVacantes"),
        bind("cboConsejeriaVacantes", "rsConsejeriasVacantes",
             {headed("CodConsejeria", kCodigo), headed("Consejeria", QStringLiteral("Institución")),
              plain("CodArea")}),
        bind("cboAreasVacantes", "rsAreas",
             {headed("CodArea", kCodigo), headed("Area", area), plain("CodProvincia")}),
        bind("cboZonasVacantes", "rsZonas",
             {headed("CodZona", kCodigo), headed("Zona", zonaBasica), plain("CodProvincia"),
              plain("CodInstitucion"), plain("CodArea")}),

        // Tab 3: "Resultas".
        bind("cboPuestoResultas", "rsPlazasResultas",
             {headed("CodConvocatoria", kCodigo), headed("NomConvocatoria", QStringLiteral("Convocatoria")),
              headed("Consejeria", QStringLiteral("Institución")),
              headed("Localidad", QStringLiteral("Localidad/Z.B.S.")), plain("CodLocalidad"),
              plain("CodConsejeria"), plain("CodProvincia"), plain("CodArea"), plain("CodZona")}),
        provinces("cboProvinciaResultas"),
        localities("cboLocalidadResultas", "rsLocalidadesResultas"),
        // The heading is spelt as the form has always shown it.
        bind("cboConsejeriaResultas", "rsConsejeriasResultas",
             {headed("CodConsejeria", kCodigo), headed("Consejeria", QStringLiteral("Intitución")),
              plain("CodArea")}),
        bind("cboAreasResultas", "rsAreasResultas", {headed("CodArea", kCodigo), headed("Area", area)}),
        bind("cboZonasResultas", "rsZonasResultas",
             {headed("CodZona", kCodigo), headed("Zona", zonaBasica), plain("CodProvincia"),
              plain("CodInstitucion")}),
    };
}

} // namespace

const std::vector<ListBinding>& listBindings() {
    static const std::vector<ListBinding> bindings = makeBindings();
    return bindings;
}

const ListBinding* findListBinding(QStringView list) {
    for (const ListBinding& binding : listBindings())
        if (binding.list == list)
            return &binding;
    return nullptr;
}

TablePtr SearchTables::table(QStringView name) const {
    const std::pair<QStringView, const TablePtr*> all[] = {
        {u"rsCuerpos", &rsCuerpos},
        {u"rsGrupos", &rsGrupos},
        {u"rsProvincias", &rsProvincias},
        {u"rsSituaciones", &rsSituaciones},
        {u"rsProvinciasVrk", &rsProvinciasVrk},
        {u"rsAreas", &rsAreas},
        {u"rsAreasResultas", &rsAreasResultas},
        {u"rsZonas", &rsZonas},
        {u"rsZonasResultas", &rsZonasResultas},
        {u"rsLocalidades", &rsLocalidades},
        {u"rsLocalidadesVacantes", &rsLocalidadesVacantes},
        {u"rsLocalidadesResultas", &rsLocalidadesResultas},
        {u"rsConsejeriasVacantes", &rsConsejeriasVacantes},
        {u"rsConsejeriasResultas", &rsConsejeriasResultas},
        {u"rsInstitucionLocalidad", &rsInstitucionLocalidad},
        {u"rsAreasVrk", &rsAreasVrk},
        {u"rsZonasVrk", &rsZonasVrk},
        {u"rsLocalidadesVrk", &rsLocalidadesVrk},
        {u"rsPlazasVacantes", &rsPlazasVacantes},
        {u"rsPlazasResultas", &rsPlazasResultas},
    };
    for (const auto& [tableName, table] : all)
        if (tableName == name)
            return *table;
    return nullptr;
}

SearchTables SearchTables::fromCatalogues(const Catalogues& c) {
    SearchTables t;
    // The bodies list shows a filtered view: the catalogue itself stays whole for the
    // rest of the program.
    t.rsCuerpos = c.rsCuerpos ? c.rsCuerpos->clone() : nullptr;
    t.rsGrupos = c.rsGrupos;
    t.rsProvincias = c.rsProvincias;
    t.rsSituaciones = c.rsSituaciones;
    t.rsProvinciasVrk = c.rsProvinciasVrk;
    t.rsAreas = c.rsAreas;
    t.rsZonas = c.rsZonas;
    t.rsLocalidades = c.rsLocalidades;
    t.rsLocalidadesVacantes = c.rsLocalidadesVacantes;
    t.rsLocalidadesResultas = c.rsLocalidadesResultas;
    t.rsConsejeriasVacantes = c.rsConsejeriasVacantes;
    t.rsConsejeriasResultas = c.rsConsejeriasResultas;
    t.rsInstitucionLocalidad = c.rsInstitucionLocalidad;
    t.rsAreasVrk = c.rsAreasVrk;
    t.rsZonasVrk = c.rsZonasVrk;
    t.rsLocalidadesVrk = c.rsLocalidadesVrk;
    t.PlazasPorCuerpo = c.PlazasPorCuerpo;

    const auto wholeClone = [](const TablePtr& table) -> TablePtr {
        if (!table)
            return nullptr;
        TablePtr clone = table->clone();
        clone->clearFilter();
        clone->sort(QString());
        return clone;
    };
    if (t.rsAreas) {
        t.rsAreasResultas = wholeClone(t.rsAreas);
        t.areaLookup = wholeClone(t.rsAreas);
    }
    if (t.rsZonas) {
        t.rsZonasResultas = wholeClone(t.rsZonas);
        t.zoneLookup = wholeClone(t.rsZonas);
    }

    for (const ListBinding& binding : listBindings()) {
        if (binding.filter.isEmpty())
            continue;
        if (const TablePtr table = t.table(binding.table))
            table->setFilter(binding.filter);
    }
    return t;
}

} // namespace velantor::catalogues
