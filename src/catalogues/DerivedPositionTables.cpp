#include "catalogues/DerivedPositionTables.h"

#include <QHash>
#include <QStringList>

#include "catalogues/CatalogueTables.h"
#include "catalogues/PositionIndex.h"

namespace velantor::catalogues {
namespace {

// The position codes of a map table grouped by body or group, each list in map order.
QHash<QString, QStringList> codesByKey(const Table& map, QStringView keyField) {
    const TablePtr rows = allRowsInTableOrder(map);
    const int key = rows->requireField(keyField);
    const int plaza = rows->requireField(u"CodPlaza");
    QHash<QString, QStringList> codes;
    for (int r = 0; r < rows->rowCount(); ++r)
        codes[matchKey(rows->textAt(r, key))].append(rows->textAt(r, plaza));
    return codes;
}

TablePtr fill(const QString& name, const QStringList& codes, const PositionIndex& source, int fieldCount) {
    TablePtr target = createPositionTable(name);
    for (const QString& code : codes) {
        if (const PositionIndex::Row* row = source.find(code))
            PositionIndex::appendRow(*target, *row, fieldCount);
    }
    return target;
}

void callIfSet(const std::function<void()>& f) {
    if (f)
        f();
}

} // namespace

TablePtr allRowsInTableOrder(const Table& table) {
    TablePtr view = table.clone();
    view->clearFilter();
    view->sort(QString());
    return view;
}

std::vector<PlazasPorCuerpoEntry> CargaPlazasPorCuerpo(Catalogues& c, const std::function<void()>& advance) {
    const PositionIndex allResultas(*c.rsConvocatoriasResultas);
    const PositionIndex allVacantes(*c.rsConvocatoriasVacantes);
    const PositionIndex listedResultas(*c.rsListaResultas);
    const PositionIndex listedVacantes(*c.rsListaVacantes);
    const QHash<QString, QStringList> codes = codesByKey(*c.rsPlazasCuerpo, u"CodCuerpo");

    const TablePtr bodies = allRowsInTableOrder(*c.rsCuerpos);
    const int grupo = bodies->requireField(u"Grupo");
    const int codCuerpo = bodies->requireField(u"CodCuerpo");
    std::vector<PlazasPorCuerpoEntry> entries(static_cast<std::size_t>(2 * bodies->rowCount()));
    std::size_t next = 0;
    for (int r = 0; r < bodies->rowCount(); ++r) {
        if (bodies->textAt(r, grupo) == u"X")
            continue;
        const QString body = bodies->textAt(r, codCuerpo);
        const QStringList bodyCodes = codes.value(matchKey(body));
        for (const bool todas : {true, false}) {
            const QString prefix = QStringLiteral("PlazasPorCuerpo_%1_").arg(next);
            PlazasPorCuerpoEntry& entry = entries[next++];
            entry.CodCuerpo = body;
            entry.TodasLasPlazas = todas;
            callIfSet(advance);
            entry.Resultas =
                fill(prefix + u'R', bodyCodes, todas ? allResultas : listedResultas, kPositionFieldCount);
            callIfSet(advance);
            entry.Vacantes =
                fill(prefix + u'V', bodyCodes, todas ? allVacantes : listedVacantes, kPositionFieldCount);
        }
    }
    return entries;
}

std::vector<PlazasPorGrupoEntry> CargaPlazasPorGrupo(Catalogues& c, const std::function<void()>& advance) {
    const PositionIndex listedResultas(*c.rsListaResultas);
    const PositionIndex listedVacantes(*c.rsListaVacantes);
    const QHash<QString, QStringList> codes = codesByKey(*c.rsPlazasGrupo, u"CodGrupo");

    const TablePtr groups = allRowsInTableOrder(*c.rsGrupos);
    const int grupo = groups->requireField(u"Grupo");
    std::vector<PlazasPorGrupoEntry> entries;
    entries.reserve(static_cast<std::size_t>(groups->rowCount()));
    // Group tables never carry the area name: only the fields before Area are copied.
    const int withoutArea = kPositionFieldCount - 1;
    for (int r = 0; r < groups->rowCount(); ++r) {
        callIfSet(advance);
        PlazasPorGrupoEntry entry;
        entry.Grupo = groups->textAt(r, grupo);
        const QStringList groupCodes = codes.value(matchKey(entry.Grupo));
        const QString prefix = QStringLiteral("PlazasPorGrupo_%1_").arg(r);
        entry.Resultas = fill(prefix + u'R', groupCodes, listedResultas, withoutArea);
        entry.Vacantes = fill(prefix + u'V', groupCodes, listedVacantes, withoutArea);
        entries.push_back(std::move(entry));
    }
    return entries;
}

} // namespace velantor::catalogues
