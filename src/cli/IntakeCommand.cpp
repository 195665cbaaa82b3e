#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QLocale>

#include "cli/ApplicationSession.h"
#include "cli/Command.h"
#include "cli/ScanFiles.h"
#include "document/IntakeBatch.h"
#include "document/IntakeSolicitud.h"
#include "form/ControlNames.h"
#include "form/RequestedPositionListOrders.h"
#include "form/SolicitudJson.h"
#include "platform/SafeFile.h"

// velantor-cli intake: reads the barcodes of a batch of scanned applications, groups the
// pages into applications, tells what is missing and writes the data out for the office.

namespace velantor::cli {
namespace {

const QString kUsage =
    QStringLiteral("intake --out CARPETA [--programa CARPETA_PROGRAMA] ESCANEO...   lee un lote "
                   "de solicitudes escaneadas (PDF, TIFF, PNG, JPEG, BMP o carpetas) y escribe "
                   "paginas.csv, solicitudes.csv y un JSON por solicitud");
constexpr int kDefaultPositionsPerPage = 40;

struct Options {
    QString out;
    QString program;
    QStringList scans;
};

std::optional<Options> parse(const QStringList& args, QTextStream& err) {
    Options options;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == u"--out" || arg == u"--programa") {
            if (i + 1 >= args.size()) {
                err << "velantor-cli intake: falta la carpeta tras " << arg << '\n';
                return std::nullopt;
            }
            (arg == u"--out" ? options.out : options.program) = args[++i];
        } else if (arg.startsWith(u"--")) {
            err << "velantor-cli intake: opción desconocida: " << arg << '\n';
            return std::nullopt;
        } else {
            options.scans << arg;
        }
    }
    if (options.out.isEmpty() || options.scans.isEmpty()) {
        err << "velantor-cli intake: hacen falta la carpeta de salida (--out) y al menos un escaneo\n";
        return std::nullopt;
    }
    return options;
}

// Reads every page on all cores, telling the progress on standard error.
QList<IntakePage> readPages(const QList<ScanSource>& sources, QTextStream& err,
                            std::optional<Error>& failure) {
    QList<IntakePage> pages(sources.size());
    std::atomic<qsizetype> next = 0;
    std::atomic<qsizetype> done = 0;
    std::mutex failureLock;
    const auto work = [&] {
        for (qsizetype i = next++; i < sources.size(); i = next++) {
            const ScanSource& source = sources[i];
            pages[i].file = source.shown;
            pages[i].page = source.index + 1;
            auto loaded = loadScanPage(source);
            if (!loaded) {
                const std::lock_guard lock(failureLock);
                if (!failure)
                    failure = loaded.error();
            } else {
                pages[i].reading = ScanReader::read(loaded->image, loaded->dotsPerInch);
            }
            ++done;
        }
    };
    const int threads = int(std::clamp<qsizetype>(std::thread::hardware_concurrency(), 1, sources.size()));
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t)
        workers.emplace_back(work);
    QElapsedTimer clock;
    clock.start();
    const QLocale spanish(QLocale::Spanish, QLocale::Spain);
    // On a terminal the line is rewritten in place; in a log a line every few seconds.
    const bool terminal = isatty(STDERR_FILENO);
    const auto report = [&](bool last) {
        const double seconds = std::max(0.001, clock.elapsed() / 1000.0);
        err << (terminal ? "\r" : "") << "páginas leídas: " << done.load() << " de " << sources.size() << " ("
            << spanish.toString(done.load() / seconds, 'f', 1) << " por segundo)"
            << (terminal && !last ? "" : "\n");
        err.flush();
    };
    qint64 lastLine = 0;
    while (done.load() < sources.size()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
        if (terminal || clock.elapsed() - lastLine >= 5000) {
            lastLine = clock.elapsed();
            if (done.load() < sources.size())
                report(false);
        }
    }
    for (std::thread& worker : workers)
        worker.join();
    report(true);
    return pages;
}

// The names of a requested position as the form takes them from the body's positions.
PositionNames namesFrom(ApplicationSession& session) {
    return [&session](QChar letter, Table& list) {
        const catalogues::SearchTables& tables = session.search().tables();
        const TablePtr offered = letter == u'V' ? tables.rsPlazasVacantes : tables.rsPlazasResultas;
        if (!offered)
            return;
        const TablePtr all = offered->clone();
        all->clearFilter();
        const int row = all->findEqual(all->requireField(u"CodConvocatoria"), list.text(u"CodConvocatoria"));
        if (row < 0)
            return;
        static const int columns[] = {1, 2, 3, 7, 8};
        static const char* const fields[] = {"NomConvocatoria", "Consejeria", "Localidad", "CodArea",
                                             "CodZona"};
        for (int i = 0; i < 5; ++i)
            list.setText(QString::fromLatin1(fields[i]), all->textAt(row, columns[i]));
        if (tables.areaLookup)
            list.setText(u"Area", requested::lookUpName(*tables.areaLookup, u"CodArea",
                                                        list.text(u"CodArea").left(2), u"Area"));
        if (tables.zoneLookup)
            list.setText(u"Zona", requested::lookUpName(*tables.zoneLookup, u"CodZona", list.text(u"CodZona"),
                                                        u"Zona"));
    };
}

QByteArray jsonOf(const IntakeApplication& application, ApplicationSession* session) {
    if (!session)
        return solicitudToJson(intakeSolicitud(application));
    // The body's position tables, for the names of the requested positions.
    session->form().setText(ctl::name(ctl::cboCuerpo), application.cuerpo);
    session->form().setText(ctl::name(ctl::cboGrupo), application.grupo);
    session->search().SeleccionaPlazasRS();
    session->messages().clear();
    return solicitudToJson(intakeSolicitud(application, namesFrom(*session)));
}

int run(CommandContext& context) {
    const auto options = parse(context.args, context.err);
    if (!options) {
        context.err << "Uso: velantor-cli " << kUsage << '\n';
        return kExitUsage;
    }
    std::unique_ptr<ApplicationSession> session;
    int positionsPerPage = kDefaultPositionsPerPage;
    if (!options->program.isEmpty()) {
        auto opened = ApplicationSession::open(options->program);
        if (!opened) {
            context.err << "velantor-cli intake: " << opened.error().text << '\n';
            return kExitUsage;
        }
        session = std::move(*opened);
        positionsPerPage = session->configuration().plazasPorPagina();
    }
    const auto sources = listScanPages(options->scans);
    if (!sources) {
        context.err << "velantor-cli intake: " << sources.error().description << '\n';
        return kExitUsage;
    }
    if (!QDir().mkpath(options->out)) {
        context.err << "velantor-cli intake: no se puede crear la carpeta «"
                    << QDir::toNativeSeparators(options->out) << "»\n";
        return kExitUsage;
    }

    std::optional<Error> failure;
    const QList<IntakePage> pages = readPages(*sources, context.err, failure);
    if (failure) {
        context.err << "velantor-cli intake: " << failure->description << '\n';
        return kExitUsage;
    }
    const IntakeBatch batch = IntakeBatch::group(pages, positionsPerPage);

    const QDir out(options->out);
    QList<std::pair<QString, QByteArray>> files{{QStringLiteral("paginas.csv"), batch.paginasCsv()},
                                                {QStringLiteral("solicitudes.csv"), batch.solicitudesCsv()}};
    for (const IntakeApplication& application : batch.applications())
        files.append({application.solicitud + QStringLiteral(".json"), jsonOf(application, session.get())});
    for (const auto& [name, contents] : files) {
        if (auto written = writeFileAtomically(out.filePath(name), contents); !written) {
            context.err << "velantor-cli intake: " << written.error().description << '\n';
            return kExitUsage;
        }
    }

    int complete = 0;
    for (const IntakeApplication& application : batch.applications()) {
        if (application.estado == u"completa") {
            ++complete;
            continue;
        }
        context.err << application.solicitud << ": " << application.estado << " ("
                    << application.detalle.join(QStringLiteral("; ")) << ")\n";
    }
    context.out << pages.size() << " páginas, " << batch.applications().size() << " solicitudes, " << complete
                << " completas\n";
    return batch.allComplete() ? kExitOk : kExitNegative;
}

const Registration reg(QStringLiteral("intake"), kUsage, run);

} // namespace
} // namespace velantor::cli
