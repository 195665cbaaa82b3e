#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "catalogues/CatalogueDump.h"
#include "catalogues/CatalogueEncoder.h"
#include "catalogues/CatalogueGenerator.h"
#include "catalogues/FileErrors.h"
#include "catalogues/ProgramRun.h"
#include "cli/Command.h"
#include "platform/MessageService.h"
#include "platform/SafeFile.h"

namespace velantor::cli {
namespace {

using namespace velantor::catalogues;

const QString kUsage =
    QStringLiteral("catalogues encode ENTRADA SALIDA | catalogues generate --scale N CARPETA | "
                   "catalogues dump CARPETA_PROGRAMA CARPETA_SALIDA");

int usage(CommandContext& context, const QString& problem) {
    context.err << "velantor-cli catalogues: " << problem << "\nUso: velantor-cli " << kUsage << '\n';
    return kExitUsage;
}

int failure(CommandContext& context, const Error& error) {
    context.err << "velantor-cli catalogues: " << error.description << " (" << error.number << ")\n";
    return kExitFailure;
}

// Plain UTF-8 records in, an encoded catalogue out.
int encode(CommandContext& context, const QStringList& args) {
    if (args.size() != 2)
        return usage(context, QStringLiteral("encode necesita un archivo de entrada y uno de salida"));
    const Result<QByteArray> plain = readWholeFile(args[0]);
    if (!plain)
        return failure(context, plain.error());
    const QString text = QString::fromUtf8(*plain);
    if (text.contains(QChar::ReplacementCharacter))
        return failure(context,
                       makeError(errors::kCodeOutOfRange,
                                 QStringLiteral("El archivo %1 no es texto UTF-8 válido").arg(args[0])));
    const Result<QByteArray> encoded = encodeCatalogue(text, oemColumnsFor(args[1]));
    if (!encoded) {
        context.err << "velantor-cli catalogues: " << QDir::toNativeSeparators(args[0]) << ": ";
        return failure(context, encoded.error());
    }
    if (const Result<void> written = writeFileAtomically(args[1], *encoded); !written)
        return failure(context, written.error());
    return kExitOk;
}

int generate(CommandContext& context, const QStringList& args) {
    if (args.size() != 3 || args[0] != u"--scale")
        return usage(context, QStringLiteral("generate necesita --scale N y una carpeta"));
    bool ok = false;
    const int scale = args[1].toInt(&ok);
    if (!ok || scale < 1 || scale > kMaxGeneratorScale)
        return usage(context,
                     QStringLiteral("la escala debe ser un número entero de 1 a %1").arg(kMaxGeneratorScale));
    if (const Result<void> generated = generateProgramFolder(args[2], scale); !generated)
        return failure(context, generated.error());
    return kExitOk;
}

// Loads a program folder as the program does (bodies first, then the loading sequence) and
// writes every table out.
int dump(CommandContext& context, const QStringList& args) {
    if (args.size() != 2)
        return usage(context,
                     QStringLiteral("dump necesita la carpeta del programa y una carpeta de salida"));
    const auto program = ProgramRun::open(args[0]);
    if (!program) {
        context.err << program.error() << '\n';
        return kExitFailure;
    }
    if (const Result<void> written = dumpCatalogues((*program)->catalogues(), args[1]); !written)
        return failure(context, written.error());
    return kExitOk;
}

int run(CommandContext& context) {
    QStringList args = context.args;
    if (args.isEmpty())
        return usage(context, QStringLiteral("falta la orden (encode, generate o dump)"));
    const QString sub = args.takeFirst();
    if (sub == u"encode")
        return encode(context, args);
    if (sub == u"generate")
        return generate(context, args);
    if (sub == u"dump")
        return dump(context, args);
    return usage(context, QStringLiteral("orden desconocida: ") + sub);
}

const Registration reg(QStringLiteral("catalogues"), kUsage, run);

} // namespace
} // namespace velantor::cli
