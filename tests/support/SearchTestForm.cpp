#include "support/SearchTestForm.h"

#include <initializer_list>

#include "catalogues/CatalogueTables.h"
#include "catalogues/ApplicationTables.h"
#include "form/ControlNames.h"

namespace velantor::test {
namespace {

using namespace velantor::catalogues;

using Rows = std::initializer_list<std::initializer_list<const char*>>;

TablePtr fill(TablePtr table, const QList<QStringList>& rows) {
    for (const QStringList& row : rows) {
        table->addRow();
        for (int field = 0; field < row.size(); ++field)
            table->setText(field, row[field]);
    }
    table->clearFilter();
    return table;
}

QList<QStringList> texts(Rows rows) {
    QList<QStringList> result;
    for (const auto& row : rows) {
        QStringList fields;
        for (const char* field : row)
            fields << QString::fromUtf8(field);
        result << fields;
    }
    return result;
}

TablePtr fill(TablePtr table, Rows rows) {
    return fill(std::move(table), texts(rows));
}

QStringList position(const char* code, const char* name, const char* institution, const char* locality7,
                     const char* area2, const char* zone) {
    const QString loc = QString::fromLatin1(locality7);
    return {QString::fromLatin1(code),
            QString::fromUtf8(name),
            QStringLiteral("Institución ") + QString::fromLatin1(institution),
            QStringLiteral("Localidad ") + loc,
            QString::fromLatin1(institution),
            loc,
            loc.left(2),
            QString::fromLatin1(area2) + QStringLiteral("000000"),
            QString::fromLatin1(zone),
            QString()};
}

} // namespace

Catalogues makeSearchCatalogue() {
    Catalogues c;
    c.rsCuerpos =
        fill(createBodyTable(QStringLiteral("rsCuerpos")), {{"A", "00101", "Facultativo/a Especialista"},
                                                            {"C", "00301", "Enfermero/a"},
                                                            {"D", "X0501", "Personal de oficio"},
                                                            {"X", "00901", "Personal de cupo"},
                                                            {"B", "00777", "Técnico/a sin plazas"}});
    c.rsGrupos = fill(createGroupTable(QStringLiteral("rsGrupos")), {{"A"}, {"B"}, {"C"}, {"D"}, {"E"}});
    c.rsProvincias = fill(createProvinceTable(QStringLiteral("rsProvincias")),
                          {{"09", "Burgos"}, {"24", "León"}, {"34", "Palencia"}});
    c.rsProvinciasVrk = fill(createProvinceTable(QStringLiteral("rsProvinciasVrk")),
                             {{"24", "León"}, {"34", "Palencia"}, {"09", "Burgos"}});
    c.rsSituaciones =
        fill(createSituationTable(QStringLiteral("rsSituaciones")), {{"01", "N", "Servicio activo"}});
    const QList<QStringList> areas = texts(
        {{"01", "Área de León", "24"}, {"02", "Área de Ponferrada", "24"}, {"03", "Área de Palencia", "34"}});
    c.rsAreas = fill(createAreaTable(QStringLiteral("rsAreas")), areas);
    c.rsAreasVrk = fill(createAreaTable(QStringLiteral("rsAreasVrk")), areas);
    const QList<QStringList> zones = texts({{"01", "León I", "01", "24", ""},
                                            {"02", "León II", "01", "24", ""},
                                            {"03", "Ponferrada I", "02", "24", ""},
                                            {"04", "Palencia Centro", "03", "34", ""}});
    c.rsZonas = fill(createZoneTable(QStringLiteral("rsZonas")), zones);
    c.rsZonasVrk = fill(createZoneTable(QStringLiteral("rsZonasVrk")), zones);
    const QList<QStringList> localities = texts({{"24", "089", "León"},
                                                 {"24", "115", "Ponferrada"},
                                                 {"24", "202", "Villablino"},
                                                 {"34", "120", "Palencia"}});
    c.rsLocalidades = fill(createLocalityTable(QStringLiteral("rsLocalidades")), localities);
    c.rsLocalidadesVrk = c.rsLocalidades->clone();
    c.rsLocalidadesVacantes = fill(createLocalityTable(QStringLiteral("rsLocalidadesVacantes")), localities);
    c.rsLocalidadesResultas = fill(createLocalityTable(QStringLiteral("rsLocalidadesResultas")), localities);
    const QList<QStringList> institutions = texts({{"01", "Complejo de León", "01", "24"},
                                                   {"04", "Hospital de El Bierzo", "02", "24"},
                                                   {"05", "Hospital de Laciana", "02", "24"},
                                                   {"07", "Complejo de Palencia", "03", "34"}});
    c.rsConsejeriasVacantes =
        fill(createInstitutionTable(QStringLiteral("rsConsejeriasVacantes")), institutions);
    c.rsConsejeriasResultas =
        fill(createInstitutionTable(QStringLiteral("rsConsejeriasResultas")), institutions);
    c.rsInstitucionLocalidad =
        fill(createInstitutionLocalityTable(QStringLiteral("rsInstitucionLocalidad")),
             {{"01", "2408900"}, {"04", "2411500"}, {"05", "2420200"}, {"05", "2411500"}, {"07", "3412000"}});

    const TablePtr vacancies =
        fill(createPositionTable(QStringLiteral("Vacantes 00101")),
             QList<QStringList>{
                 position("10006", "Enfermero/a de área", "04", "2411500", "02", "03"),
                 position("10001", "Facultativo/a de urgencias", "01", "2408900", "01", ""),
                 position("10002", "Facultativo/a de atención primaria", "01", "2408900", "01", "01"),
                 position("10003", "Facultativo/a de cardiología", "04", "2411500", "02", ""),
                 position("10004", "Facultativo/a de pediatría", "05", "2420200", "02", ""),
                 position("10005", "Facultativo/a de neurología", "07", "3412000", "03", "04")});
    const TablePtr resultas = fill(
        createPositionTable(QStringLiteral("Resultas 00101")),
        QList<QStringList>{position("60003", "Facultativo/a de medicina interna", "07", "3412000", "03", ""),
                           position("60001", "Facultativo/a de urgencias", "01", "2408900", "01", "01"),
                           position("60002", "Facultativo/a de pediatría", "05", "2420200", "02", ""),
                           position("10001", "Facultativo/a de urgencias", "01", "2408900", "01", "")});
    const auto otherBody = [](const char* body) {
        PlazasPorCuerpoEntry entry{
            QString::fromLatin1(body), true,
            fill(createPositionTable(QStringLiteral("Resultas")),
                 QList<QStringList>{position("60009", "Plaza de resultas", "07", "3412000", "03", "")}),
            fill(createPositionTable(QStringLiteral("Vacantes")),
                 QList<QStringList>{position("20001", "Plaza vacante", "07", "3412000", "03", "")})};
        return entry;
    };
    c.PlazasPorCuerpo = {
        {QStringLiteral("00101"), true, resultas, vacancies},
        {QStringLiteral("00101"), false, createPositionTable(QStringLiteral("r")),
         createPositionTable(QStringLiteral("v"))},
        otherBody("00301"),
        {QStringLiteral("00301"), false, createPositionTable(QStringLiteral("r")),
         createPositionTable(QStringLiteral("v"))},
        otherBody("X0501"),
        {QStringLiteral("X0501"), false, createPositionTable(QStringLiteral("r")),
         createPositionTable(QStringLiteral("v"))},
        {},
        {},
    };
    c.working.vacantes = velantor::createPositionListTable(QStringLiteral("Vacantes"));
    c.working.resultas = velantor::createPositionListTable(QStringLiteral("Resultas"));
    return c;
}

SearchTestForm::SearchTestForm()
    : catalogue(makeSearchCatalogue()), tables(SearchTables::fromCatalogues(catalogue)),
      search(form, tables),
      vacancyList(SearchTab::Vacantes, form, search, catalogue.working.vacantes, catalogue.working.resultas),
      resultasList(SearchTab::Resultas, form, search, catalogue.working.resultas, catalogue.working.vacantes) {
    form.bindLists(tables);
    search.setFocusMover([this] { form.focusNext(); });
}

BodyResult SearchTestForm::chooseBody(const QString& body, const QString& group) {
    form.setText(ctl::cboCuerpo, body);
    BodyResult chosen = search.onBodyChosen();
    if (!group.isEmpty()) {
        form.setText(ctl::cboGrupo, group);
        chosen = search.onGroupChosen();
    }
    return chosen;
}

QStringList SearchTestForm::visibleCodes(SearchTab tab) const {
    QStringList codes;
    if (const TablePtr table = search.positions(tab)) {
        const int code = table->requireField(u"CodConvocatoria");
        for (int row = 0; row < table->rowCount(); ++row)
            codes << table->textAt(row, code);
    }
    return codes;
}

QStringList SearchTestForm::offered(const QString& list) const {
    QStringList codes;
    const TablePtr table = form.listTable(list);
    const ListBinding* binding = findListBinding(list);
    if (!table || !binding)
        return codes;
    const int field = table->requireField(binding->columns.front().field);
    for (int row = 0; row < table->rowCount(); ++row)
        codes << table->textAt(row, field);
    return codes;
}

} // namespace velantor::test
