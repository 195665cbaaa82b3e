// Position search with a body whose position tables hold 20,000 rows: one search change
// (cascade, FiltroPlazas, applying it, the bound list's model refreshed and its first rows
// read) and "Insertar Todas" of 10,000 candidates, against the 20 ms and 1 s budgets and
// against the plain ways: a list refilled with every visible row after each change, and
// the insert-all look-ups done on a filtered clone per row.
//
//   build/bench/bench_position_search [--benchmark_min_time=…]

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QModelIndex>
#include <QStringList>

#include <benchmark/benchmark.h>

#include "catalogues/CatalogueTables.h"
#include "catalogues/LoadingSequence.h"
#include "form/search/PositionSearch.h"
#include "catalogues/ApplicationTables.h"
#include "form/HeadlessForm.h"
#include "form/NextValue.h"
#include "form/RequestedPositionList.h"
#include "platform/MessageService.h"
#include "tables/TableModel.h"

using namespace velantor;
using namespace velantor::catalogues;

namespace {

constexpr int kPositions = 20000;
constexpr int kCandidates = 10000;
const QString kBody = QStringLiteral("00101");

// The sample catalogues with body 00101's position tables replaced by 20,000 positions
// spread over the sample's institutions, localities and zones.
struct Setup {
    Setup() {
        RecordingMessageService messages;
        const QString folder = QStringLiteral(VELANTOR_SAMPLE_PROGRAM_DIR);
        auto bodies = cargaCuerpos(dataFolderFor(folder), messages);
        if (!bodies)
            qFatal("No se pueden leer los catálogos de %s", qPrintable(folder));
        catalogues.rsCuerpos = *bodies;
        LoadingSequence sequence(folder, messages);
        if (!sequence.run(catalogues))
            qFatal("Falló la carga de los catálogos");
        const TablePtr big = makePositions();
        for (PlazasPorCuerpoEntry& entry : catalogues.PlazasPorCuerpo)
            if (entry.CodCuerpo == kBody && entry.TodasLasPlazas)
                entry.Vacantes = big;
        tables = SearchTables::fromCatalogues(catalogues);
        form.bindLists(tables);
        search = std::make_unique<PositionSearch>(form, tables);
        form.setText(u"cboCuerpo", kBody);
        search->onBodyChosen();
        if (!tables.rsPlazasVacantes || tables.rsPlazasVacantes->totalRowCount() != kPositions)
            qFatal("La categoría %s no tiene la tabla de prueba", qPrintable(kBody));
        model = std::make_unique<TableModel>(tables.rsPlazasVacantes);
    }

    TablePtr makePositions() const {
        const Table& institutions = *catalogues.rsConsejeriasVacantes;
        const Table& localities = *catalogues.rsLocalidades;
        const Table& zones = *catalogues.rsZonas;
        const TablePtr t = createPositionTable(QStringLiteral("Vacantes de prueba"));
        const auto text = [](const Table& table, int row, const char* field) {
            return table.textAt(row, table.requireField(QString::fromLatin1(field)));
        };
        for (int i = 0; i < kPositions; ++i) {
            const int inst = i % institutions.rowCount();
            const QString province = text(institutions, inst, "CodProvincia");
            const QString area = text(institutions, inst, "CodArea");
            std::vector<int> places, areaZones;
            for (int row = 0; row < localities.rowCount(); ++row)
                if (text(localities, row, "CodProvincia") == province)
                    places.push_back(row);
            for (int row = 0; row < zones.rowCount(); ++row)
                if (text(zones, row, "CodArea") == area)
                    areaZones.push_back(row);
            const int place = places[(i / institutions.rowCount()) % places.size()];
            t->addRow();
            t->setText(u"CodConvocatoria", QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0')));
            t->setText(u"NomConvocatoria", QStringLiteral("Plaza de prueba %1").arg(i));
            t->setText(u"Consejeria", text(institutions, inst, "Consejeria"));
            t->setText(u"Localidad", text(localities, place, "Localidad"));
            t->setText(u"CodConsejeria", text(institutions, inst, "CodConsejeria"));
            t->setText(u"CodLocalidad",
                       province + text(localities, place, "CodLocalidad") + QStringLiteral("00"));
            t->setText(u"CodProvincia", province);
            t->setText(u"CodArea", area + QStringLiteral("000000"));
            if (i % 2 == 0 && !areaZones.empty())
                t->setText(u"CodZona", text(zones, areaZones[(i / 2) % areaZones.size()], "CodZona"));
        }
        t->clearFilter();
        return t;
    }

    Catalogues catalogues;
    SearchTables tables;
    HeadlessForm form;
    RecordingMessageService messages;
    std::unique_ptr<PositionSearch> search;
    std::unique_ptr<TableModel> model;
};

Setup& setup() {
    static Setup s;
    return s;
}

// What a drop-down shows after a change: the row count and its first rows.
void readModel(const TableModel& model) {
    const int rows = std::min(model.rowCount(), 20);
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < model.columnCount(); ++column)
            benchmark::DoNotOptimize(model.data(model.index(row, column)));
}

double g_changeMs = 0, g_worstChangeMs = 0, g_insertMs = 0, g_naiveInsertMs = 0;

// Mean and worst time of each kind of change, in the order BM_SearchChange makes them.
struct ChangeTimes {
    const char* name;
    qint64 total = 0;
    qint64 worst = 0;
    qint64 count = 0;
};
std::vector<ChangeTimes> g_changes;

// The plain way of refreshing a drop-down: every visible row's shown columns copied into
// the list, as a list filled item by item is, rather than a model read for the rows shown.
void refillList(const TableModel& model) {
    QList<QStringList> items;
    items.reserve(model.rowCount());
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList item;
        for (int column = 0; column < model.columnCount(); ++column)
            item << model.data(model.index(row, column)).toString();
        items << item;
    }
    benchmark::DoNotOptimize(items);
}

double g_refillChangeMs = 0;

// One user change per iteration, going round: cancel, a province, a zone chosen and emptied,
// a locality, an institution, an area, a typed code. `refresh` is what the list does after it.
void runSearchChanges(benchmark::State& state, const std::function<void(const TableModel&)>& refresh,
                      std::vector<ChangeTimes>& kinds, double& meanMs) {
    Setup& s = setup();
    HeadlessForm& f = s.form;
    PositionSearch& search = *s.search;
    RequestedPositionList list(SearchTab::Vacantes, f, search, createPositionListTable(QStringLiteral("V")),
                               nullptr);
    kinds = {{"Cancelar"},      {"provincia 24"},   {"zona 01"}, {"zona vaciada"},
             {"localidad 089"}, {"institución 01"}, {"área 01"}, {"código tecleado"}};
    const std::vector<std::function<void()>> changes = {
        [&] {
            // "Cancelar" keeps the locality and the institution: the user empties them too.
            f.setText(u"cboLocalidadVacantes", QString());
            f.setText(u"cboConsejeriaVacantes", QString());
            list.cancel();
        },
        [&] {
            f.setText(u"cboProvinciaVacantes", QStringLiteral("24"));
            search.onVacancyProvince(ListEvent::Chosen);
        },
        [&] {
            f.setText(u"cboZonasVacantes", QStringLiteral("01"));
            search.onVacancyZoneChanged();
        },
        [&] {
            f.setText(u"cboZonasVacantes", QString());
            search.onVacancyZoneChanged();
        },
        [&] {
            f.setText(u"cboLocalidadVacantes", QStringLiteral("089"));
            search.onVacancyLocalityChanged();
        },
        [&] {
            f.setText(u"cboConsejeriaVacantes", QStringLiteral("01"));
            search.onVacancyInstitution(ListEvent::Chosen);
        },
        [&] {
            f.setText(u"cboAreasVacantes", QStringLiteral("01"));
            search.onVacancyArea(ListEvent::Chosen);
        },
        [&] {
            f.setText(u"txtCodVacante", QStringLiteral("00014"));
            search.onCodeLeft(SearchTab::Vacantes);
        },
    };
    std::size_t next = 0;
    qint64 total = 0, worst = 0, count = 0;
    QElapsedTimer timer;
    for (auto _ : state) {
        timer.start();
        changes[next]();
        refresh(*s.model);
        const qint64 ns = timer.nsecsElapsed();
        total += ns;
        worst = std::max(worst, ns);
        ++count;
        ChangeTimes& kind = kinds[next];
        kind.total += ns;
        kind.worst = std::max(kind.worst, ns);
        ++kind.count;
        next = (next + 1) % changes.size();
    }
    meanMs = double(total) / double(count) / 1e6;
}

void BM_SearchChange(benchmark::State& state) {
    runSearchChanges(state, readModel, g_changes, g_changeMs);
    for (const ChangeTimes& kind : g_changes)
        g_worstChangeMs = std::max(g_worstChangeMs, double(kind.worst) / 1e6);
}
BENCHMARK(BM_SearchChange)->Unit(benchmark::kMillisecond);

void BM_SearchChangeRefill(benchmark::State& state) {
    std::vector<ChangeTimes> kinds;
    runSearchChanges(state, refillList, kinds, g_refillChangeMs);
}
BENCHMARK(BM_SearchChangeRefill)->Unit(benchmark::kMillisecond);

// The 10,000 candidates: codes 00000 … 09999 of the 20,000.
const Table& candidates() {
    Setup& s = setup();
    s.tables.rsPlazasVacantes->setFilter(QStringLiteral("CodConvocatoria < '10000'"));
    return *s.tables.rsPlazasVacantes;
}

void BM_InsertAll(benchmark::State& state) {
    Setup& s = setup();
    const Table& from = candidates();
    qint64 total = 0, count = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const TablePtr requested = createPositionListTable(QStringLiteral("Vacantes"));
        TableModel grid(requested); // the grid follows every inserted row
        RequestedPositionList list(SearchTab::Vacantes, s.form, *s.search, requested, nullptr);
        state.ResumeTiming();
        QElapsedTimer timer;
        timer.start();
        const int added = list.insertAll(from);
        total += timer.nsecsElapsed();
        ++count;
        if (added != kCandidates)
            state.SkipWithError("no se insertaron todas las candidatas");
    }
    g_insertMs = double(total) / double(count) / 1e6;
}
BENCHMARK(BM_InsertAll)->Unit(benchmark::kMillisecond);

// The plain way: for every candidate a copy of the requested list filtered by its code, and
// copies of the area and zone catalogues filtered by its area and zone.
void BM_InsertAllFilteredClones(benchmark::State& state) {
    Setup& s = setup();
    const Table& from = candidates();
    qint64 total = 0, count = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const TablePtr requested = createPositionListTable(QStringLiteral("Vacantes"));
        TableModel grid(requested);
        state.ResumeTiming();
        QElapsedTimer timer;
        timer.start();
        qint64 nextOrder = requested->totalRowCount() + 1;
        qint64 nextId = nextValue(*requested, QStringLiteral("IdSolicitud"));
        const TablePtr copy = requested->clone();
        for (int row = 0; row < from.rowCount(); ++row) {
            const auto field = [&](const char* name) {
                return from.textAt(row, from.requireField(QString::fromLatin1(name)));
            };
            const QString code = field("CodConvocatoria");
            copy->setFilter(QStringLiteral("CodConvocatoria='") + code + QStringLiteral("' "));
            if (copy->rowCount() > 0)
                continue;
            requested->addRow();
            requested->setNumber(u"IdSolicitud", nextId++);
            requested->setNumber(u"Orden", nextOrder++);
            for (const char* name :
                 {"CodConvocatoria", "NomConvocatoria", "Consejeria", "Localidad", "CodArea", "CodZona"})
                requested->setText(QString::fromLatin1(name), field(name));
            if (const QString area = field("CodArea"); !area.isEmpty()) {
                const TablePtr areas = s.tables.rsAreas->clone();
                areas->setFilter(QStringLiteral("CodArea='") + area.left(2) + QStringLiteral("' "));
                if (areas->rowCount() > 0)
                    requested->setText(u"Area", areas->textAt(0, areas->requireField(u"Area")));
            }
            if (const QString zone = field("CodZona"); !zone.isEmpty()) {
                const TablePtr zones = s.tables.rsZonas->clone();
                zones->setFilter(QStringLiteral("CodZona='") + zone + QStringLiteral("' "));
                if (zones->rowCount() > 0)
                    requested->setText(u"Zona", zones->textAt(0, zones->requireField(u"Zona")));
            }
        }
        total += timer.nsecsElapsed();
        ++count;
        if (requested->totalRowCount() != kCandidates)
            state.SkipWithError("no se insertaron todas las candidatas");
    }
    g_naiveInsertMs = double(total) / double(count) / 1e6;
}
BENCHMARK(BM_InsertAllFilteredClones)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("\nCambio de búsqueda con %d plazas: media %.3f ms, peor %.3f ms; objetivo 20 ms (razón "
                "media/objetivo %.3f)\n",
                kPositions, g_changeMs, g_worstChangeMs, g_changeMs / 20.0);
    if (g_refillChangeMs > 0)
        std::printf(
            "Rellenando la lista con todas las filas visibles: media %.3f ms (%.1f veces más lento)\n",
            g_refillChangeMs, g_refillChangeMs / g_changeMs);
    for (const ChangeTimes& kind : g_changes)
        if (kind.count > 0)
            std::printf("  %-18s media %.3f ms, peor %.3f ms\n", kind.name,
                        double(kind.total) / double(kind.count) / 1e6, double(kind.worst) / 1e6);
    if (g_insertMs > 0)
        std::printf("Insertar Todas, %d candidatas: %.1f ms; objetivo 1000 ms (razón %.3f)\n", kCandidates,
                    g_insertMs, g_insertMs / 1000.0);
    if (g_insertMs > 0 && g_naiveInsertMs > 0)
        std::printf("Con un clon filtrado por fila: %.1f ms (%.1f veces más lento)\n", g_naiveInsertMs,
                    g_naiveInsertMs / g_insertMs);
    return 0;
}
