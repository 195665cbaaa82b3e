// Time to complete an application for printing: one page barcode (made, written, read
// back as the self-check does), and the whole printed completion of an application with
// 1,000 requested positions (template opened, documents and position pages written, one
// checked barcode per page, the copy for LibreOffice written). The PDF rendering by
// LibreOffice is timed on its own, once, since it runs outside the program.
//
// The in-run reference is opening the template: the least any print does, so the ratios
// say the same on any machine.

#include <cstdio>
#include <map>
#include <string>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "../tests/document/PrintSample.h"
#include "document/ApplicationPrint.h"
#include "document/BarcodePictureFile.h"
#include "document/BarcodeReader.h"
#include "document/BarcodeRecord.h"
#include "document/PrintedCompletion.h"
#include "document/SolicitudBarcode.h"
#include "docengine/WordDocument.h"

using namespace velantor;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kPositions = 1000;

const SolicitudDatos& application() {
    static const SolicitudDatos datos = test::sampleSolicitud(kPositions / 2, kPositions / 2, 40, 40);
    return datos;
}

PrintedCompletionOptions optionsFor(const SolicitudDatos& datos, const QString& folder) {
    const barcode::BarcodeRecordInput input = barcodeRecordInput(datos);
    PrintedCompletionOptions options;
    options.positionsPerPage = 40;
    options.applicationsFolder = folder;
    options.stamp = barcode::BarcodeStamp::at(QDateTime::currentDateTime());
    options.barcodeHeader = barcode::buildBarcodeHeader(input);
    options.applicationRecord = barcode::buildApplicationRecord(input).value();
    return options;
}

void referenceOpenTemplate(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(WordDocument::openTemplate(test::sampleTemplate()));
}

void pageBarcode(benchmark::State& state) {
    QTemporaryDir dir;
    std::vector<barcode::BarcodePosition> positions;
    for (int orden = 1; orden <= 40; ++orden)
        positions.push_back({orden, test::samplePositionCode(orden)});
    const QString payload =
        barcode::barcodePayload(u"12345678ZA100101A"_s, barcode::BarcodeStamp{u"31/12/2026"_s, u"23:59:59"_s},
                                barcode::kVacanciesLetter, 4, barcode::barcodePositionText(positions));
    for (auto _ : state) {
        const auto file = makeBarcodePicture(payload, kPositionPageBarcodeBox, dir.path());
        if (!file || !BarcodeReader::verifyPicture(file->bmpPath, file->payload)) {
            state.SkipWithError("the page barcode was not made or did not read back");
            return;
        }
        file->remove();
    }
}

void printedCompletion1000(benchmark::State& state) {
    QTemporaryDir dir;
    const PrintedCompletionOptions options = optionsFor(application(), dir.path());
    const QString copy = QDir(dir.path()).filePath(u"copia.docx"_s);
    for (auto _ : state) {
        WordDocument doc = WordDocument::openTemplate(test::sampleTemplate()).value();
        const auto done = PrintedCompletion::complete(doc, application(), options);
        if (!done || done->barcodes().size() != 1 + 2 * 13 || !doc.saveAs(copy)) {
            state.SkipWithError("the completion failed");
            return;
        }
    }
}

// One real print into a PDF file, LibreOffice included (a fresh private profile each time,
// as every print has).
void pdfRendering1000(benchmark::State& state) {
    QTemporaryDir dir;
    const QString stored = QDir(dir.path()).filePath(u"12345678Z__00101A.doc"_s);
    ApplicationPrintRequest request;
    request.storedDocument = stored;
    request.applicationsFolder = dir.path();
    request.positionsPerPage = 40;
    request.pdfOutput = QDir(dir.path()).filePath(u"salida.pdf"_s);
    for (auto _ : state) {
        WordDocument doc = WordDocument::openTemplate(test::sampleTemplate()).value();
        auto print = ApplicationPrint::start(doc, application(), request);
        if (!print) {
            state.SkipWithError(print.error().description.toStdString().c_str());
            return;
        }
        print->job()->waitForFinished();
        if (!print->job()->outcome() || !*print->job()->outcome()) {
            state.SkipWithError("LibreOffice did not write the PDF");
            return;
        }
        state.counters["libreoffice_ms"] = double(print->job()->renderMilliseconds());
    }
}

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            m_times[run.benchmark_name()] = run.real_accumulated_time / static_cast<double>(run.iterations);
        ConsoleReporter::ReportRuns(runs);
    }
    void printRatios(const std::string& reference) const {
        const auto found = m_times.find(reference);
        if (found == m_times.end() || found->second <= 0)
            return;
        std::printf("\nRatio to %s (real time):\n", reference.c_str());
        for (const auto& [name, time] : m_times)
            std::printf("  %-40s %8.1fx\n", name.c_str(), time / found->second);
    }

private:
    std::map<std::string, double> m_times;
};

} // namespace

BENCHMARK(referenceOpenTemplate)->Unit(benchmark::kMillisecond);
BENCHMARK(pageBarcode)->Unit(benchmark::kMillisecond);
BENCHMARK(printedCompletion1000)->Unit(benchmark::kMillisecond);
BENCHMARK(pdfRendering1000)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios("referenceOpenTemplate");
    benchmark::Shutdown();
    return 0;
}
