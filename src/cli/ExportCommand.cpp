#include <QDir>
#include <QFileInfo>

#include "cli/ApplicationSession.h"
#include "cli/Command.h"
#include "document/DocumentLoader.h"
#include "form/SolicitudJson.h"

// velantor-cli export: loads a saved application as the form loads it and writes it as
// JSON (the format fill reads) to standard output.

namespace velantor::cli {
namespace {

const QString kUsage = QStringLiteral("export CARPETA_PROGRAMA DOCUMENTO.doc");

int run(CommandContext& context) {
    if (context.args.size() != 2) {
        context.err
            << "velantor-cli export: hacen falta la carpeta del programa y el documento\nUso: velantor-cli "
            << kUsage << '\n';
        return kExitUsage;
    }
    auto session = ApplicationSession::open(context.args[0]);
    if (!session) {
        context.err << "velantor-cli export: " << session.error().text << '\n';
        return session.error().exitCode;
    }
    ApplicationSession& s = **session;

    // A bare name is looked for in the applications folder; a path is taken as it is.
    const QString given = context.args[1];
    const bool bare = !given.contains(u'/') && !given.contains(u'\\');
    const QFileInfo document(bare ? QDir(s.folders().applicationsFolder()).filePath(given) : given);
    if (!document.isFile()) {
        context.err << "velantor-cli export: no existe el documento «"
                    << QDir::toNativeSeparators(document.filePath()) << "»\n";
        return kExitUsage;
    }

    SolicitudDatos datos;
    DocumentLoader loader(s.form(),
                          ApplicationTables{datos.vacantes, datos.resultas, datos.cursos, datos.documentos});
    loader.setPositionSearch(s.search());
    const Result<LoadedApplication> loaded =
        loader.load(LoadRequest{document.fileName(), document.absolutePath(), s.templatePath()});
    // A damaged positions XML is a warning in the window; here it means the lists are
    // missing from the output, so nothing is written.
    bool warned = !s.messages().empty();
    s.printMessages(context.err);
    if (loaded && loaded->damagedPositions) {
        context.err << loaded->damagedPositions->description << '\n';
        warned = true;
    }
    if (loaded && loaded->positionsRefusal) {
        ApplicationSession::printMessage(context.err, *loaded->positionsRefusal);
        warned = true;
    }
    if (!loaded) {
        context.err << "velantor-cli export: no se ha podido cargar «" << document.fileName()
                    << "»: " << loaded.error().description << '\n';
        return kExitUsage;
    }
    if (warned) {
        context.err << "velantor-cli export: la solicitud no se ha cargado completa\n";
        return kExitFailure;
    }
    datos.readFrom(s.form());
    context.out << QString::fromUtf8(solicitudToJson(datos));
    return kExitOk;
}

const Registration reg(QStringLiteral("export"), kUsage, run);

} // namespace
} // namespace velantor::cli
