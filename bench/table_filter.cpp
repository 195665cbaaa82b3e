// Filtering and finding on 50,000 generated position rows, the size of the largest
// catalogue. Each benchmark also times a reference in the same run and prints the ratio:
//   - filters: the same expression parsed again for every row (an engine without a
//     parsed tree) and a hand-written loop over the stored values (the floor);
//   - find / findEqual: a scan of the visible rows from the first, as a loader without
//     an index would do it.
#include <algorithm>
#include <ctime>
#include <random>
#include <vector>

#include <QString>
#include <QStringList>

#include <benchmark/benchmark.h>

#include "tables/FilterExpression.h"
#include "tables/Table.h"
#include "tables/TableColumn.h"

using namespace velantor;

namespace {

constexpr int kRows = 50'000;
constexpr int kLookUps = 1'000;

// Times are this thread's CPU time: the build machine is shared, and wall time there
// mostly measures the neighbours.
struct Clock {
    using time_point = double;
    static double now() {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
    }
};

double secondsSince(double start) {
    return Clock::now() - start;
}

// The position table and, beside it, its values as plain columns for the references.
struct Positions {
    TablePtr table;
    std::vector<TableColumn> columns;
    QStringList codes;
};

const Positions& positions() {
    static const Positions data = [] {
        const QList<FieldDef> fields{FieldDef::text(QStringLiteral("CodConvocatoria"), 5),
                                     FieldDef::text(QStringLiteral("NomConvocatoria"), 50),
                                     FieldDef::text(QStringLiteral("Consejeria"), 50),
                                     FieldDef::text(QStringLiteral("Localidad"), 53),
                                     FieldDef::text(QStringLiteral("CodConsejeria"), 2),
                                     FieldDef::text(QStringLiteral("CodLocalidad"), 7),
                                     FieldDef::text(QStringLiteral("CodProvincia"), 2),
                                     FieldDef::text(QStringLiteral("CodArea"), 8),
                                     FieldDef::text(QStringLiteral("CodZona"), 8),
                                     FieldDef::text(QStringLiteral("Area"), 50)};
        const QStringList provinces{QStringLiteral("05"), QStringLiteral("09"), QStringLiteral("24"),
                                    QStringLiteral("34"), QStringLiteral("37"), QStringLiteral("40"),
                                    QStringLiteral("42"), QStringLiteral("47"), QStringLiteral("49")};
        const QStringList jobs{QStringLiteral("Enfermero/a"),
                               QStringLiteral("Médico de Familia"),
                               QStringLiteral("Técnico en Cuidados de Enfermería"),
                               QStringLiteral("Celador/a"),
                               QStringLiteral("Fisioterapeuta"),
                               QStringLiteral("Auxiliar Administrativo")};
        Positions result;
        result.table = Table::create(QStringLiteral("rsConvocatoriasVacantes"), fields);
        for (const FieldDef& field : fields)
            result.columns.emplace_back(field.type == FieldType::Integer);
        std::mt19937 random(7);
        auto pick = [&](int n) { return static_cast<int>(random() % n); };
        Table& table = *result.table;
        for (int i = 0; i < kRows; ++i) {
            const int area = 1 + pick(20);
            const QString province = provinces[area % provinces.size()];
            const QString areaCode =
                QStringLiteral("%1").arg(area, 2, 10, QLatin1Char('0')) + QStringLiteral("000000");
            const QString values[] = {QString::number(10000 + i),
                                      jobs[pick(jobs.size())] + QStringLiteral(" plaza %1").arg(i % 97),
                                      QStringLiteral("Gerencia de Atención Primaria %1").arg(pick(40)),
                                      QStringLiteral("Localidad %1 (%2)").arg(pick(2000)).arg(province),
                                      QStringLiteral("%1").arg(1 + pick(40), 2, 10, QLatin1Char('0')),
                                      province +
                                          QStringLiteral("%1").arg(pick(100000), 5, 10, QLatin1Char('0')),
                                      province,
                                      areaCode,
                                      QStringLiteral("%1%2")
                                          .arg(area, 2, 10, QLatin1Char('0'))
                                          .arg(pick(40), 6, 10, QLatin1Char('0')),
                                      QStringLiteral("Área de Salud %1").arg(area)};
            table.addRow();
            for (int f = 0; f < fields.size(); ++f) {
                table.setText(f, values[f]);
                result.columns[f].append();
                result.columns[f].setText(i, values[f]);
            }
            result.codes.append(values[0]);
        }
        table.moveFirst();
        return result;
    }();
    return data;
}

QString provinceExpansion() {
    QString text = QStringLiteral(" AND ( ");
    for (int area = 1; area <= 5; ++area)
        text +=
            QStringLiteral(" CodArea='%1").arg(area, 2, 10, QLatin1Char('0')) + QStringLiteral("000000' OR ");
    text.chop(3);
    text += QStringLiteral(" ) ");
    return text.mid(4);
}

struct FilterCase {
    const char* name;
    QString expression;
    // The same condition written by hand over the stored columns.
    bool (*direct)(const std::vector<TableColumn>& columns, int row);
};

const std::vector<FilterCase>& filterCases() {
    static const std::vector<FilterCase> cases{
        {"equality", QStringLiteral("CodProvincia='05' "),
         [](const std::vector<TableColumn>& c, int row) { return c[6].view(row) == u"05"; }},
        {"like_containment", QStringLiteral(" CodLocalidad like '%123%' "),
         [](const std::vector<TableColumn>& c, int row) { return c[5].view(row).contains(u"123"); }},
        {"province_expansion_5_areas", provinceExpansion(),
         [](const std::vector<TableColumn>& c, int row) {
             const QStringView area = c[7].view(row);
             return area == u"01000000" || area == u"02000000" || area == u"03000000" ||
                    area == u"04000000" || area == u"05000000";
         }},
        {"and_chain",
         QStringLiteral(" CodLocalidad like '%12%'  AND CodConsejeria='03'  AND CodArea='03000000' "),
         [](const std::vector<TableColumn>& c, int row) {
             return c[5].view(row).contains(u"12") && c[4].view(row) == u"03" &&
                    c[7].view(row) == u"03000000";
         }},
        {"and_chain_text_mixed_case_like",
         QStringLiteral(
             " Localidad like '%LOCALIDAD 1%' AND CodProvincia='09' AND NomConvocatoria like 'enf%' "),
         [](const std::vector<TableColumn>& c, int row) {
             return c[3].view(row).contains(u"LOCALIDAD 1", Qt::CaseInsensitive) && c[6].view(row) == u"09" &&
                    c[1].view(row).startsWith(u"enf", Qt::CaseInsensitive);
         }},
    };
    return cases;
}

template <class Work> double bestOf(int runs, Work work) {
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        best = std::min(best, secondsSince(start));
    }
    return best;
}

void setRatios(benchmark::State& state, double ours, const char* referenceName, double reference) {
    state.counters["ms"] = ours * 1e3;
    state.counters[std::string(referenceName) + "_ms"] = reference * 1e3;
    state.counters[std::string("x_vs_") + referenceName] = reference / ours;
}

void BM_SetFilter(benchmark::State& state) {
    const Positions& data = positions();
    const FilterCase& filter = filterCases()[state.range(0)];
    state.SetLabel(filter.name);
    TablePtr table = data.table->clone();
    double total = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        table->setFilter(filter.expression);
        const double seconds = secondsSince(start);
        total += seconds;
        state.SetIterationTime(seconds);
        benchmark::DoNotOptimize(table->rowCount());
    }
    const double ours = total / static_cast<double>(state.iterations());

    const QList<FieldDef> fields = [&] {
        QList<FieldDef> list;
        for (int i = 0; i < table->fieldCount(); ++i)
            list.append(table->field(i));
        return list;
    }();
    int naiveCount = 0;
    const double naive = bestOf(1, [&] {
        naiveCount = 0;
        for (int row = 0; row < kRows; ++row)
            naiveCount += FilterExpression::parse(filter.expression, fields).matches(data.columns, row);
    });
    int directCount = 0;
    const double direct = bestOf(5, [&] {
        std::vector<int> rows;
        rows.reserve(kRows);
        for (int row = 0; row < kRows; ++row) {
            if (filter.direct(data.columns, row))
                rows.push_back(row);
        }
        directCount = static_cast<int>(rows.size());
    });
    if (naiveCount != table->rowCount() || directCount != table->rowCount())
        state.SkipWithError("the references disagree with the filter");
    state.counters["rows"] = table->rowCount();
    setRatios(state, ours, "reparse_per_row", naive);
    state.counters["handwritten_ms"] = direct * 1e3;
}
BENCHMARK(BM_SetFilter)->DenseRange(0, 4)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_ClearFilter(benchmark::State& state) {
    TablePtr table = positions().table->clone();
    double total = 0;
    for (auto _ : state) {
        table->setFilter(QStringLiteral("CodProvincia='05' "));
        const auto start = Clock::now();
        table->clearFilter();
        const double seconds = secondsSince(start);
        total += seconds;
        state.SetIterationTime(seconds);
        benchmark::DoNotOptimize(table->rowCount());
    }
    state.counters["ms"] = total / static_cast<double>(state.iterations()) * 1e3;
}
BENCHMARK(BM_ClearFilter)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_Sort(benchmark::State& state) {
    TablePtr table = positions().table->clone();
    double total = 0;
    for (auto _ : state) {
        // Alternating fields, so that every sort orders the rows afresh.
        table->sort(QStringLiteral(" CodConvocatoria DESC "));
        const auto start = Clock::now();
        table->sort(QStringLiteral(" Localidad ASC "));
        const double seconds = secondsSince(start);
        total += seconds;
        state.SetIterationTime(seconds);
    }
    const double ours = total / static_cast<double>(state.iterations());
    std::vector<QString> texts;
    for (int row = 0; row < kRows; ++row)
        texts.push_back(positions().columns[3].text(row));
    const double plain = bestOf(3, [&] {
        std::vector<int> rows(kRows);
        for (int i = 0; i < kRows; ++i)
            rows[i] = i;
        std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
            return QString::compare(texts[a], texts[b], Qt::CaseInsensitive) < 0;
        });
        benchmark::DoNotOptimize(rows.data());
    });
    setRatios(state, ours, "plain_stable_sort", plain);
}
BENCHMARK(BM_Sort)->UseManualTime()->Unit(benchmark::kMillisecond);

std::vector<QString> lookUpCodes() {
    std::mt19937 random(11);
    std::vector<QString> codes;
    for (int i = 0; i < kLookUps; ++i)
        codes.push_back(positions().codes[static_cast<int>(random() % kRows)]);
    codes[codes.size() - 10] = QStringLiteral("99999"); // one that is missing
    return codes;
}

// Scans for every tenth code and counts ten times the time: a full scan per look-up
// would take seconds.
double scanFromFirst(Table& table, const std::vector<QString>& codes, int& found) {
    const int field = table.requireField(u"CodConvocatoria");
    return 10 * bestOf(1, [&] {
               found = 0;
               for (std::size_t i = 0; i < codes.size(); i += 10) {
                   const QString& code = codes[i];
                   for (table.moveFirst(); !table.eof(); table.moveNext()) {
                       if (table.text(field) == code) {
                           ++found;
                           break;
                       }
                   }
               }
           });
}

int foundEveryTenth(const Table& table, const std::vector<QString>& codes) {
    int found = 0;
    for (std::size_t i = 0; i < codes.size(); i += 10)
        found += table.findEqual(table.requireField(u"CodConvocatoria"), codes[i]) >= 0;
    return found;
}

// The loader's copy rule: clear the filter, go to the first row, find one code.
void BM_FindRepeated(benchmark::State& state) {
    TablePtr table = positions().table->clone();
    const std::vector<QString> codes = lookUpCodes();
    std::vector<QString> criteria;
    for (const QString& code : codes)
        criteria.push_back(QStringLiteral("CodConvocatoria = '") + code + u'\'');
    double total = 0;
    int found = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        found = 0;
        for (const QString& criterion : criteria) {
            table->clearFilter();
            table->moveFirst();
            found += table->find(criterion);
        }
        const double seconds = secondsSince(start);
        total += seconds;
        state.SetIterationTime(seconds);
    }
    int scanned = 0;
    const double scan = scanFromFirst(*table, codes, scanned);
    if (scanned != foundEveryTenth(*table, codes))
        state.SkipWithError("the scan disagrees with find");
    state.counters["found"] = found;
    setRatios(state, total / static_cast<double>(state.iterations()), "linear_scan", scan);
}
BENCHMARK(BM_FindRepeated)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_FindEqualRepeated(benchmark::State& state) {
    TablePtr table = positions().table->clone();
    const int field = table->requireField(u"CodConvocatoria");
    const std::vector<QString> codes = lookUpCodes();
    double total = 0;
    int found = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        found = 0;
        for (const QString& code : codes)
            found += table->findEqual(field, code) >= 0;
        const double seconds = secondsSince(start);
        total += seconds;
        state.SetIterationTime(seconds);
    }
    int scanned = 0;
    const double scan = scanFromFirst(*table, codes, scanned);
    if (scanned != foundEveryTenth(*table, codes))
        state.SkipWithError("the scan disagrees with findEqual");
    state.counters["found"] = found;
    setRatios(state, total / static_cast<double>(state.iterations()), "linear_scan", scan);
}
BENCHMARK(BM_FindEqualRepeated)->UseManualTime()->Unit(benchmark::kMillisecond);

// First look-up on a fresh view: the index is built (the cost a single search pays).
void BM_FindEqualColdIndex(benchmark::State& state) {
    const int field = positions().table->requireField(u"CodConvocatoria");
    double total = 0;
    for (auto _ : state) {
        TablePtr table = positions().table->clone();
        const auto start = Clock::now();
        benchmark::DoNotOptimize(table->findEqual(field, QStringLiteral("45000")));
        const double seconds = secondsSince(start);
        total += seconds;
        state.SetIterationTime(seconds);
    }
    state.counters["ms"] = total / static_cast<double>(state.iterations()) * 1e3;
}
BENCHMARK(BM_FindEqualColdIndex)->UseManualTime()->Unit(benchmark::kMillisecond);

// Filling a table as a catalogue reader does: a row, then its ten fields by name.
void BM_Load(benchmark::State& state) {
    const Positions& data = positions();
    QList<FieldDef> fields;
    for (int i = 0; i < data.table->fieldCount(); ++i)
        fields.append(data.table->field(i));
    std::vector<std::vector<QString>> source(kRows);
    for (int row = 0; row < kRows; ++row) {
        for (int f = 0; f < fields.size(); ++f)
            source[row].push_back(data.columns[f].text(row));
    }
    double total = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        TablePtr table = Table::create(QStringLiteral("rsConvocatoriasVacantes"), fields);
        for (const std::vector<QString>& values : source) {
            table->addRow();
            for (int f = 0; f < fields.size(); ++f)
                table->setText(fields[f].name, values[f]);
        }
        const double seconds = secondsSince(start);
        total += seconds;
        state.SetIterationTime(seconds);
    }
    // The same values copied into one vector of strings per row.
    const double plain = bestOf(3, [&] {
        std::vector<std::vector<QString>> rows;
        for (const std::vector<QString>& values : source) {
            std::vector<QString>& row = rows.emplace_back();
            for (const QString& value : values)
                row.push_back(value.left(53));
        }
        benchmark::DoNotOptimize(rows.data());
    });
    setRatios(state, total / static_cast<double>(state.iterations()), "vector_per_row", plain);
}
BENCHMARK(BM_Load)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
