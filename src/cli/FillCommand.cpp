#include <algorithm>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include "cli/ApplicationSession.h"
#include "cli/Command.h"
#include "document/ApplicationLock.h"
#include "document/ApplicationPrint.h"
#include "document/DocumentGenerator.h"
#include "document/DocumentName.h"
#include "form/CompletenessChecks.h"
#include "form/SolicitudJson.h"
#include "startup/Validacion.h"
#include "form/ControlNames.h"

// velantor-cli fill: saves an application given as JSON exactly as the form's "Guardar"
// does, in the applications folder of a program folder, and prints the document's name.
// With --print it then completes and renders the document as "Imprimir" does and writes
// the PDF to the file given instead of sending it to a printer (--draft: a draft copy).

namespace velantor::cli {
namespace {

const QString kUsage = QStringLiteral(
    "fill CARPETA_PROGRAMA SOLICITUD.json [--at \"DD/MM/AAAA HH:mm:ss\"] [--print SALIDA.pdf [--draft]]");

struct FillRequest {
    QString folder;
    QString json;
    std::optional<QDateTime> at;
    QString printPdf;
    bool draft = false;
};

std::expected<FillRequest, QString> parse(const QStringList& args) {
    FillRequest request;
    QStringList positional;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == u"--at") {
            if (i + 1 >= args.size())
                return std::unexpected(QStringLiteral("falta la fecha y hora de --at"));
            if (request.at)
                return std::unexpected(QStringLiteral("--at aparece más de una vez"));
            const QDateTime at = QDateTime::fromString(args[++i], QStringLiteral("dd/MM/yyyy HH:mm:ss"));
            if (!at.isValid())
                return std::unexpected(
                    QStringLiteral("--at «%1» no es una fecha y hora DD/MM/AAAA HH:mm:ss").arg(args[i]));
            request.at = at;
        } else if (args[i] == u"--print") {
            if (i + 1 >= args.size() || args[i + 1].startsWith(u"--"))
                return std::unexpected(QStringLiteral("falta el archivo PDF de --print"));
            if (!request.printPdf.isEmpty())
                return std::unexpected(QStringLiteral("--print aparece más de una vez"));
            request.printPdf = args[++i];
        } else if (args[i] == u"--draft") {
            request.draft = true;
        } else if (args[i].startsWith(u"--")) {
            return std::unexpected(QStringLiteral("opción desconocida: ") + args[i]);
        } else {
            positional << args[i];
        }
    }
    if (request.draft && request.printPdf.isEmpty())
        return std::unexpected(QStringLiteral("--draft solo vale junto con --print"));
    if (positional.size() != 2)
        return std::unexpected(QStringLiteral("hacen falta la carpeta del programa y el archivo JSON"));
    request.folder = positional[0];
    request.json = positional[1];
    return request;
}

bool unstorable(QChar c) {
    return c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r';
}

// A control character other than tab and line ends cannot be kept in the positions XML:
// the window's fields never hold one, and a JSON text that does is refused before
// anything is written. Returns where the first one is ("" when none).
QString unstorableText(const SolicitudDatos& datos) {
    for (const FormControl& control : formControls()) {
        const QString text = datos.text(control.name);
        if (std::any_of(text.begin(), text.end(), unstorable))
            return control.name;
    }
    for (const TablePtr& table : {datos.vacantes, datos.resultas, datos.cursos, datos.documentos}) {
        for (int row = 0; row < table->rowCount(); ++row)
            for (int field = 0; field < table->fieldCount(); ++field) {
                if (table->field(field).type != FieldType::Text)
                    continue;
                const QString text = table->textAt(row, field);
                if (std::any_of(text.begin(), text.end(), unstorable))
                    return QStringLiteral("%1, fila %2, %3")
                        .arg(table->name())
                        .arg(row + 1)
                        .arg(table->field(field).name);
            }
    }
    return {};
}

int run(CommandContext& context) {
    const auto usage = [&](const QString& problem) {
        context.err << "velantor-cli fill: " << problem << "\nUso: velantor-cli " << kUsage << '\n';
        return kExitUsage;
    };
    const auto request = parse(context.args);
    if (!request)
        return usage(request.error());

    QFile file(request->json);
    if (!file.open(QIODevice::ReadOnly))
        return usage(QStringLiteral("no se puede leer «%1»: %2").arg(request->json, file.errorString()));
    SolicitudDatos datos;
    if (const Result<void> read = solicitudFromJson(file.readAll(), datos); !read) {
        context.err << "velantor-cli fill: " << request->json << ": " << read.error().description << '\n';
        return kExitUsage;
    }

    if (const QString where = unstorableText(datos); !where.isEmpty()) {
        context.err << "velantor-cli fill: " << request->json << ": el texto de «" << where
                    << "» lleva un carácter de control que la solicitud no puede guardar\n";
        return kExitUsage;
    }

    auto session = ApplicationSession::open(request->folder);
    if (!session) {
        context.err << "velantor-cli fill: " << session.error().text << '\n';
        return session.error().exitCode;
    }
    ApplicationSession& s = **session;
    const auto fail = [&](const QString& text, int code) {
        s.printMessages(context.err);
        context.err << "velantor-cli fill: " << text << '\n';
        return code;
    };
    if (auto entered = s.enter(datos); !entered)
        return fail(entered.error().text, entered.error().exitCode);
    if (!ComprobarDatosGrabar(s.form(), s.messages()))
        return fail(QStringLiteral("la solicitud no se puede guardar sin esos datos"), kExitUsage);
    // A print of an incomplete application is only a draft, as "Imprimir" offers it.
    if (!request->printPdf.isEmpty() && !request->draft &&
        !ComprobarSolicitudCompleta(s.form(), *datos.vacantes, *datos.resultas, s.messages()))
        return fail(QStringLiteral("la solicitud está incompleta: imprima una copia borrador con --draft"),
                    kExitUsage);
    const QString dni = datos.text(ctl::txtDNI);
    const DniCheck checked = checkDni(dni);
    if (!checked.valid || checked.text != dni)
        return fail(QStringLiteral("el DNI «%1» no es válido (ocho cifras y la letra de control, como «%2»)")
                        .arg(dni, QStringLiteral("00000001R")),
                    kExitUsage);
    const Result<QString> name = documentFileName(dni, datos.text(ctl::cboCuerpo), datos.text(ctl::cboGrupo));
    if (!name)
        return fail(name.error().description, kExitUsage);

    GenerationRequest generation;
    generation.fileName = *name;
    generation.applicationsFolder = s.folders().applicationsFolder();
    generation.templatePath = s.templatePath();
    generation.tracePath = s.folders().programFile(QStringLiteral("traza.txt"));
    generation.at = request->at;
    generation.wordMajorVersion = wordMajorVersion();
    generation.print = !request->printPdf.isEmpty();
    generation.draft = request->draft;
    // A window that has the application open, or another fill of it, writes the same pair.
    const auto lock = ApplicationLock::acquire(generation.documentPath(), 10000);
    if (!lock)
        return fail(lock.error().description + QStringLiteral(" La solicitud no se ha guardado."), kExitFailure);
    DocumentGenerator generator(datos, s.messages());
    generator.setPrintCompletion([&](GeneratedDocument& generated, const GenerationRequest& saved) -> Result<void> {
        ApplicationPrintRequest print;
        print.storedDocument = saved.documentPath();
        print.applicationsFolder = saved.applicationsFolder;
        print.positionsPerPage = s.configuration().plazasPorPagina();
        print.draft = saved.draft;
        print.pdfOutput = QFileInfo(request->printPdf).absoluteFilePath();
        print.stamp = barcode::BarcodeStamp{generated.date, generated.time};
        print.pageCounter = generated.pageCounter;
        print.names = namesBesideCodes(s.form());
        auto started = ApplicationPrint::start(generated.document, datos, print);
        if (!started)
            return std::unexpected(started.error());
        started->job()->waitForFinished();
        if (!*started->job()->outcome())
            return std::unexpected(started->job()->outcome()->error());
        return {};
    });
    const Result<void> saved = generator.run(generation);
    s.printMessages(context.err);
    if (!saved)
        return fail(saved.error().description, kExitFailure);
    context.out << *name << '\n';
    return kExitOk;
}

const Registration reg(QStringLiteral("fill"), kUsage, run);

} // namespace
} // namespace velantor::cli
