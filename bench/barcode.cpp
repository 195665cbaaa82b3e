// Time to make one page barcode (fold, encode, draw, write the BMP and PNG files) and to
// read it back (from the picture in memory, and from the BMP file as the self-check does).
// The reference is one bare PDF417 encode of the same payload by the encoder library, so
// the ratios show what the sizing, drawing and writing add on any machine.

#include <map>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <zint.h>

#include "document/BarcodePictureFile.h"
#include "document/BarcodeReader.h"
#include "document/BarcodeText.h"
#include "document/Pdf417Picture.h"

using namespace velantor;
using namespace Qt::Literals::StringLiterals;

namespace {

// A full page of 40 requested positions.
QString positionPagePayload() {
    std::vector<barcode::BarcodePosition> positions;
    for (int orden = 1; orden <= 40; ++orden)
        positions.push_back({orden, QString::number(orden % 4 ? 10000 + orden * 7 : 1000 + orden)});
    return barcode::barcodePayload(u"12345678ZA100123A"_s,
                                   barcode::BarcodeStamp{u"31/12/2024"_s, u"23:59:59"_s},
                                   barcode::kVacanciesLetter, 2, barcode::barcodePositionText(positions));
}

QString firstPagePayload() {
    QString record;
    for (int field = 0; field < 37; ++field)
        record += u"MARÍA DEL CARMEN GARCÍA-NÚÑEZ"_s.left(field % 3 ? 30 : 8) + u'|';
    return barcode::firstPagePayload(u"12345678ZA100123A"_s,
                                     barcode::BarcodeStamp{u"31/12/2024"_s, u"23:59:59"_s}, record);
}

QByteArray bytesOf(const QString& payload) {
    return barcode::barcodeBytes(barcode::foldBarcodeText(payload));
}

void referenceEncode(benchmark::State& state) {
    const QByteArray bytes = bytesOf(positionPagePayload());
    for (auto _ : state) {
        zint_symbol* symbol = ZBarcode_Create();
        symbol->symbology = BARCODE_PDF417;
        symbol->input_mode = DATA_MODE;
        benchmark::DoNotOptimize(ZBarcode_Encode(symbol,
                                                 reinterpret_cast<const unsigned char*>(bytes.constData()),
                                                 static_cast<int>(bytes.size())));
        ZBarcode_Delete(symbol);
    }
}

void makePageBarcode(benchmark::State& state, const QString& payload, BarcodeBox box) {
    QTemporaryDir dir;
    for (auto _ : state) {
        const auto file = makeBarcodePicture(payload, box, dir.path(), QDateTime::currentDateTime());
        if (!file) {
            state.SkipWithError(file.error().description.toStdString().c_str());
            return;
        }
        file->remove();
    }
}

void makePositionPageBarcode(benchmark::State& state) {
    makePageBarcode(state, positionPagePayload(), kPositionPageBarcodeBox);
}

void makeFirstPageBarcode(benchmark::State& state) {
    makePageBarcode(state, firstPagePayload(), kFirstPageBarcodeBox);
}

void readPositionPagePicture(benchmark::State& state) {
    const auto picture = Pdf417Picture::make(bytesOf(positionPagePayload()), kPositionPageBarcodeBox);
    for (auto _ : state)
        benchmark::DoNotOptimize(BarcodeReader::read(picture->image()));
}

void verifyPositionPageFile(benchmark::State& state) {
    QTemporaryDir dir;
    const auto file = makeBarcodePicture(positionPagePayload(), kPositionPageBarcodeBox, dir.path(),
                                         QDateTime::currentDateTime());
    for (auto _ : state) {
        if (!BarcodeReader::verifyPicture(file->bmpPath, file->payload)) {
            state.SkipWithError("the picture did not read back");
            return;
        }
    }
}

// Keeps every run's real and processor time per iteration, so the ratios can be printed
// at the end. On a busy machine the processor time is the steadier figure.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const double iterations = static_cast<double>(run.iterations);
            m_times[run.benchmark_name()] = {run.real_accumulated_time / iterations,
                                             run.cpu_accumulated_time / iterations};
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void printRatios(const std::string& reference) const {
        const auto found = m_times.find(reference);
        if (found == m_times.end() || found->second.real <= 0 || found->second.cpu <= 0)
            return;
        std::printf("\nRatio to %s (real, processor):\n", reference.c_str());
        for (const auto& [name, time] : m_times) {
            std::printf("  %-28s %8.1fx %8.1fx\n", name.c_str(), time.real / found->second.real,
                        time.cpu / found->second.cpu);
        }
    }

private:
    struct Times {
        double real;
        double cpu;
    };
    std::map<std::string, Times> m_times;
};

} // namespace

BENCHMARK(referenceEncode)->Unit(benchmark::kMicrosecond);
BENCHMARK(makePositionPageBarcode)->Unit(benchmark::kMillisecond);
BENCHMARK(makeFirstPageBarcode)->Unit(benchmark::kMillisecond);
BENCHMARK(readPositionPagePicture)->Unit(benchmark::kMillisecond);
BENCHMARK(verifyPositionPageFile)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios("referenceEncode");
    benchmark::Shutdown();
    return 0;
}
