// The start-up loading of the catalogues, on the sample program folder and on synthetic
// folders 20 and 50 times its size, against the literal way of building the per-body and
// per-group tables (a filter on the map, then a search from the first row of the source
// for every map row) measured in the same run. Also decoding a catalogue against merely
// reading its bytes.
//
//   build/bin/bench_catalogue_loading
//
// The summary at the end gives the ratios; times are CPU times of the benchmark thread.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "catalogues/CatalogueGenerator.h"
#include "catalogues/CatalogueTables.h"
#include "catalogues/Decoding.h"
#include "catalogues/DerivedPositionTables.h"
#include "catalogues/FileErrors.h"
#include "catalogues/LoadingSequence.h"
#include "platform/MessageService.h"

using namespace velantor;
using namespace velantor::catalogues;

namespace {

// ---- The literal build, kept here only as the reference ------------------------------------

// For every visible map row, in order: the source searched from its first row, one row
// at a time, for the first with the map row's code (letters without regard to case, as a
// filter compares them); a row found is copied.
void literalCopy(Table& map, Table& target, Table& source, bool withArea) {
    const int plaza = map.requireField(u"CodPlaza");
    const int code = source.requireField(u"CodConvocatoria");
    const int fields = withArea ? kPositionFieldCount : kPositionFieldCount - 1;
    for (map.moveFirst(); !map.eof(); map.moveNext()) {
        const QString wanted = map.text(plaza);
        source.clearFilter();
        for (int r = 0; r < source.rowCount(); ++r) {
            if (source.textAt(r, code).compare(wanted, Qt::CaseInsensitive) == 0) {
                target.addRow();
                for (int f = 0; f < fields; ++f)
                    target.setText(f, source.textAt(r, source.requireField(positionFieldName(f))));
                break;
            }
        }
    }
}

std::vector<PlazasPorCuerpoEntry> literalPorCuerpo(Catalogues& c, const std::function<void()>& advance) {
    Table& bodies = *c.rsCuerpos;
    std::vector<PlazasPorCuerpoEntry> entries(static_cast<std::size_t>(2 * bodies.totalRowCount()));
    std::size_t next = 0;
    bodies.clearFilter();
    for (bodies.moveFirst(); !bodies.eof(); bodies.moveNext()) {
        if (bodies.text(u"Grupo") == u"X")
            continue;
        const QString body = bodies.text(u"CodCuerpo");
        for (const bool all : {true, false}) {
            PlazasPorCuerpoEntry& e = entries[next];
            e.CodCuerpo = body;
            e.TodasLasPlazas = all;
            const QString prefix = QStringLiteral("PlazasPorCuerpo_%1_").arg(next++);
            e.Resultas = createPositionTable(prefix + u'R');
            e.Vacantes = createPositionTable(prefix + u'V');
            c.rsPlazasCuerpo->setFilter(QStringLiteral("CodCuerpo='") + body + u'\'');
            advance();
            literalCopy(*c.rsPlazasCuerpo, *e.Resultas, all ? *c.rsConvocatoriasResultas : *c.rsListaResultas,
                        true);
            advance();
            literalCopy(*c.rsPlazasCuerpo, *e.Vacantes, all ? *c.rsConvocatoriasVacantes : *c.rsListaVacantes,
                        true);
        }
    }
    return entries;
}

std::vector<PlazasPorGrupoEntry> literalPorGrupo(Catalogues& c, const std::function<void()>& advance) {
    std::vector<PlazasPorGrupoEntry> entries;
    Table& groups = *c.rsGrupos;
    for (groups.moveFirst(); !groups.eof(); groups.moveNext()) {
        advance();
        PlazasPorGrupoEntry e;
        e.Grupo = groups.text(u"Grupo");
        c.rsPlazasGrupo->clearFilter();
        c.rsPlazasGrupo->setFilter(QStringLiteral("CodGrupo='") + e.Grupo + u'\'');
        const QString prefix = QStringLiteral("PlazasPorGrupo_%1_").arg(entries.size());
        e.Resultas = createPositionTable(prefix + u'R');
        e.Vacantes = createPositionTable(prefix + u'V');
        literalCopy(*c.rsPlazasGrupo, *e.Resultas, *c.rsListaResultas, false);
        literalCopy(*c.rsPlazasGrupo, *e.Vacantes, *c.rsListaVacantes, false);
        entries.push_back(std::move(e));
    }
    return entries;
}

// ---- Program folders -----------------------------------------------------------------------

struct Folders {
    QTemporaryDir root;
    std::map<int, QString> byScale; // 0 = the sample
};

Folders& folders() {
    static Folders f = [] {
        Folders made;
        const QDir root(made.root.path());
        // A copy of the sample, so the work file is written outside the build folder.
        const QDir sample(QStringLiteral(VELANTOR_SAMPLE_PROGRAM_DIR));
        const QString copy = root.filePath(QStringLiteral("sample"));
        QDir().mkpath(copy + QStringLiteral("/ficheros"));
        QFile::copy(sample.filePath(QStringLiteral("conf.xml")), copy + QStringLiteral("/conf.xml"));
        const QDir data(sample.filePath(QStringLiteral("ficheros")));
        for (const QString& name : data.entryList(QDir::Files))
            QFile::copy(data.filePath(name), copy + QStringLiteral("/ficheros/") + name);
        made.byScale[0] = copy;
        for (const int scale : {20, 50}) {
            const QString folder = root.filePath(QStringLiteral("scale%1").arg(scale));
            if (!generateProgramFolder(folder, scale)) {
                std::fprintf(stderr, "no se pudo generar la escala %d\n", scale);
                std::exit(1);
            }
            made.byScale[scale] = folder;
        }
        return made;
    }();
    return f;
}

bool loadAll(const QString& program, bool literal) {
    RecordingMessageService messages;
    Catalogues catalogues;
    auto bodies = cargaCuerpos(dataFolderFor(program), messages);
    if (!bodies)
        return false;
    catalogues.rsCuerpos = *bodies;
    LoadingSequence sequence(program, messages);
    if (literal)
        sequence.setDerivedTableBuilders({&literalPorCuerpo, &literalPorGrupo});
    const bool ok = sequence.run(catalogues).has_value();
    benchmark::DoNotOptimize(catalogues.PlazasPorCuerpo.data());
    return ok;
}

void BM_LoadingSequence(benchmark::State& state) {
    const QString program = folders().byScale.at(int(state.range(0)));
    for (auto _ : state) {
        if (!loadAll(program, false))
            state.SkipWithError("la carga ha fallado");
    }
}

void BM_LoadingSequenceLiteral(benchmark::State& state) {
    const QString program = folders().byScale.at(int(state.range(0)));
    for (auto _ : state) {
        if (!loadAll(program, true))
            state.SkipWithError("la carga ha fallado");
    }
}

// The largest catalogue of the folder: its vacancies.
void BM_Decoding(benchmark::State& state) {
    const QString data = dataFolderFor(folders().byScale.at(int(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodificaFichero(data, QStringLiteral("F0009.enc")));
    state.SetBytesProcessed(state.iterations() *
                            QFile(QDir(data).filePath(QStringLiteral("F0009.enc"))).size());
}

void BM_ReadingBytes(benchmark::State& state) {
    const QString path =
        QDir(dataFolderFor(folders().byScale.at(int(state.range(0))))).filePath(QStringLiteral("F0009.enc"));
    for (auto _ : state)
        benchmark::DoNotOptimize(readWholeFile(path));
    state.SetBytesProcessed(state.iterations() * QFile(path).size());
}

BENCHMARK(BM_LoadingSequence)->Arg(0)->Arg(20)->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadingSequenceLiteral)->Arg(0)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadingSequenceLiteral)->Arg(20)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Decoding)->Arg(0)->Arg(20)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadingBytes)->Arg(0)->Arg(20)->Unit(benchmark::kMicrosecond);

// Keeps every run's CPU time per iteration so the summary can set them side by side.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (!run.error_occurred && run.iterations > 0)
                cpu[run.benchmark_name()] = run.GetAdjustedCPUTime() * unitSeconds(run.time_unit);
        }
    }
    std::map<std::string, double> cpu;

private:
    static double unitSeconds(benchmark::TimeUnit unit) {
        switch (unit) {
        case benchmark::kNanosecond:
            return 1e-9;
        case benchmark::kMicrosecond:
            return 1e-6;
        case benchmark::kMillisecond:
            return 1e-3;
        default:
            return 1.0;
        }
    }
};

double find(const std::map<std::string, double>& times, const std::string& prefix) {
    for (const auto& [name, seconds] : times) {
        if (name.rfind(prefix, 0) == 0)
            return seconds;
    }
    return 0;
}

// One load of a folder with the wall time spent from each step to the next, the longest first.
void printStepTimes(const QString& program, const char* label) {
    RecordingMessageService messages;
    Catalogues catalogues;
    catalogues.rsCuerpos = *cargaCuerpos(dataFolderFor(program), messages);
    LoadingSequence sequence(program, messages);
    std::vector<std::pair<int, std::chrono::steady_clock::time_point>> marks;
    LoadingCallbacks callbacks;
    callbacks.stepBegun = [&](int step) { marks.emplace_back(step, std::chrono::steady_clock::now()); };
    sequence.setCallbacks(callbacks);
    sequence.run(catalogues);
    std::vector<std::pair<double, int>> spans;
    for (std::size_t i = 0; i + 1 < marks.size(); ++i)
        spans.emplace_back(
            std::chrono::duration<double, std::milli>(marks[i + 1].second - marks[i].second).count(),
            marks[i].first);
    std::sort(spans.rbegin(), spans.rend());
    std::printf("  pasos más largos (%s):", label);
    for (std::size_t i = 0; i < std::min<std::size_t>(6, spans.size()); ++i)
        std::printf(" %d: %.0f ms;", spans[i].second, spans[i].first);
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    folders();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    const auto& t = reporter.cpu;
    std::printf("\nResumen (tiempo de CPU por carga):\n");
    for (const char* scale : {"0", "20"}) {
        const double fast = find(t, std::string("BM_LoadingSequence/") + scale);
        const double literal = find(t, std::string("BM_LoadingSequenceLiteral/") + scale);
        if (fast > 0 && literal > 0)
            std::printf("  escala %-2s: secuencia %.3f s, con la construcción literal %.3f s: %.1f veces más "
                        "rápida\n",
                        scale[0] == '0' ? "1" : scale, fast, literal, literal / fast);
    }
    if (const double s50 = find(t, "BM_LoadingSequence/50"); s50 > 0)
        std::printf("  escala 50: secuencia %.3f s\n", s50);
    for (const char* scale : {"0", "20"}) {
        const double decoding = find(t, std::string("BM_Decoding/") + scale);
        const double reading = find(t, std::string("BM_ReadingBytes/") + scale);
        if (decoding > 0 && reading > 0)
            std::printf("  F0009.enc escala %-2s: descifrar %.3f ms, solo leer %.3f ms: %.2f veces\n",
                        scale[0] == '0' ? "1" : scale, decoding * 1e3, reading * 1e3, decoding / reading);
    }
    printStepTimes(folders().byScale.at(20), "escala 20, tiempo real");
    benchmark::Shutdown();
    return 0;
}
