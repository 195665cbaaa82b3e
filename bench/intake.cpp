// Share of scanned pages read and pages per second of the intake reading ladder, against
// one plain zxing-cpp pass (trying harder and turned pages) over the same scans, on all
// cores. The scans are the corpus of scripts/make-scan-corpus:
//
//   scripts/make-scan-corpus && build/bin/bench_intake [CORPUS] [benchmark options]
//
// The share counts the pages that carry a barcode; the targets are every page read at up
// to ±6° of skew, 150 dpi or more and JPEG quality 30 or more, and at 180°, and at least
// 10 pages per second at 200 dpi.

#include <atomic>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <thread>
#include <vector>

#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTextStream>

#include <benchmark/benchmark.h>

#include "document/ScanReader.h"

using namespace velantor;

namespace {

struct CorpusPage {
    QString name;
    int dpi = 0;
    int turn = 0;
    int quality = 0;
    bool barcode = false;
    ScanImage image;
};

std::vector<CorpusPage>& corpus() {
    static std::vector<CorpusPage> pages;
    return pages;
}

bool loadCorpus(const QString& folder) {
    QFile list(QDir(folder).filePath(QStringLiteral("paginas.txt")));
    if (!list.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QTextStream in(&list);
    in.readLine();
    while (!in.atEnd()) {
        const QStringList f = in.readLine().split(u' ', Qt::SkipEmptyParts);
        if (f.size() < 6)
            continue;
        const QImage image =
            QImage(QDir(folder).filePath(QStringLiteral("paginas/") + f[0])).convertToFormat(QImage::Format_Grayscale8);
        if (image.isNull())
            return false;
        corpus().push_back(CorpusPage{f[0], f[1].toInt(), f[2].toInt(), f[3].toInt(), f[5] == u"1",
                                      ScanImage::fromGrey(image.constBits(), image.width(), image.height(),
                                                          int(image.bytesPerLine()))});
    }
    return !corpus().empty();
}

using PageRead = std::function<bool(const CorpusPage&)>;

// Processor seconds of every thread of the process so far.
double processorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Reads the pages picked by `take` on every core; true for each page whose barcode read.
std::vector<char> readAll(const PageRead& read, const std::function<bool(const CorpusPage&)>& take) {
    std::vector<char> ok(corpus().size(), 0);
    std::atomic<std::size_t> next = 0;
    const auto work = [&] {
        for (std::size_t i = next++; i < corpus().size(); i = next++)
            if (take(corpus()[i]))
                ok[i] = read(corpus()[i]);
    };
    std::vector<std::thread> threads;
    for (unsigned t = 0; t < std::max(1u, std::thread::hardware_concurrency()); ++t)
        threads.emplace_back(work);
    for (std::thread& thread : threads)
        thread.join();
    return ok;
}

bool ladder(const CorpusPage& page) {
    return ScanReader::read(page.image, page.dpi).outcome == ScanReading::Outcome::Read;
}

bool plain(const CorpusPage& page) {
    return !ScanReader::readPlain(page.image).isEmpty();
}

struct Share {
    int read = 0;
    int total = 0;
};
std::map<std::string, std::map<std::string, Share>> shares; // reader → group → share

std::string groupOf(const CorpusPage& page) {
    if (page.turn == 90 || page.turn == 180)
        return "giro " + std::to_string(page.turn) + "°";
    if (std::abs(page.turn) <= 6)
        return "±6° " + std::to_string(page.dpi) + " dpi";
    return "±8° " + std::to_string(page.dpi) + " dpi";
}

void run(benchmark::State& state, const char* reader, const PageRead& read, int dpi) {
    const auto take = [dpi](const CorpusPage& page) { return dpi == 0 || page.dpi == dpi; };
    std::int64_t pages = 0;
    for (const CorpusPage& page : corpus())
        pages += take(page);
    std::vector<char> ok;
    const double before = processorSeconds();
    for (auto _ : state)
        ok = readAll(read, take);
    const double used = processorSeconds() - before;
    state.counters["paginas_por_s"] =
        benchmark::Counter(double(pages) * state.iterations(), benchmark::Counter::kIsRate);
    // The machine may be shared: the processor time tells what the cores alone would give.
    state.counters["paginas_por_s_cpu"] =
        double(pages) * state.iterations() * std::max(1u, std::thread::hardware_concurrency()) / std::max(used, 1e-6);
    if (dpi != 0)
        return;
    auto& groups = shares[reader];
    for (std::size_t i = 0; i < corpus().size(); ++i) {
        if (!corpus()[i].barcode)
            continue;
        Share& group = groups[groupOf(corpus()[i])];
        Share& all = groups["todas"];
        ++group.total, ++all.total;
        group.read += ok[i], all.read += ok[i];
    }
}

// Keeps the pages per second of every run for the ratios printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            // "escalera/200dpi/iterations:3/real_time" → "escalera/200dpi"
            const std::string name = r.benchmark_name();
            const std::string key = name.substr(0, name.find('/', name.find('/') + 1));
            for (const char* counter : {"paginas_por_s", "paginas_por_s_cpu"})
                if (const auto c = r.counters.find(counter); c != r.counters.end())
                    m_rates[key + "|" + counter] = c->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void printSummary() const {
        std::printf("\nPáginas por segundo (%u núcleos), escalera frente a una pasada simple:\n",
                    std::thread::hardware_concurrency());
        for (const char* dpi : {"todas", "200dpi"}) {
            for (const char* counter : {"paginas_por_s", "paginas_por_s_cpu"}) {
                const auto ladderRate = m_rates.find(std::string("escalera/") + dpi + "|" + counter);
                const auto plainRate = m_rates.find(std::string("simple/") + dpi + "|" + counter);
                if (ladderRate == m_rates.end() || plainRate == m_rates.end())
                    continue;
                std::printf("  %-7s %-18s escalera %6.1f  simple %6.1f  relación %.2f\n", dpi,
                            std::string(counter).ends_with("_cpu") ? "(núcleos libres)" : "(reloj)", ladderRate->second, plainRate->second,
                            ladderRate->second / plainRate->second);
            }
        }
        if (!shares.contains("escalera") || !shares.contains("simple"))
            return;
        std::printf("\nPáginas con código leídas:\n  %-16s %18s %18s\n", "grupo", "escalera", "simple");
        for (const auto& [group, ladderShare] : shares.at("escalera")) {
            const Share plainShare = shares.at("simple").at(group);
            std::printf("  %-16s %5d/%-4d %6.1f %% %5d/%-4d %6.1f %%\n", group.c_str(), ladderShare.read,
                        ladderShare.total, 100.0 * ladderShare.read / ladderShare.total, plainShare.read,
                        plainShare.total, 100.0 * plainShare.read / plainShare.total);
        }
    }

private:
    std::map<std::string, double> m_rates;
};

} // namespace

int main(int argc, char** argv) {
    QString folder = QStringLiteral(VELANTOR_SCAN_CORPUS_DIR);
    if (argc > 1 && argv[1][0] != '-') {
        folder = QString::fromLocal8Bit(argv[1]);
        --argc, ++argv;
    }
    if (!loadCorpus(folder)) {
        std::fprintf(stderr, "No hay corpus de escaneos en %s: ejecute scripts/make-scan-corpus\n",
                     folder.toLocal8Bit().constData());
        return 2;
    }
    benchmark::RegisterBenchmark("escalera/todas", [](benchmark::State& s) { run(s, "escalera", ladder, 0); })
        ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
    benchmark::RegisterBenchmark("simple/todas", [](benchmark::State& s) { run(s, "simple", plain, 0); })
        ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
    benchmark::RegisterBenchmark("escalera/200dpi", [](benchmark::State& s) { run(s, "escalera", ladder, 200); })
        ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
    benchmark::RegisterBenchmark("simple/200dpi", [](benchmark::State& s) { run(s, "simple", plain, 200); })
        ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printSummary();
    benchmark::Shutdown();
    return 0;
}
