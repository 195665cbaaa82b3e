#include "cli/Command.h"
#include "startup/Validacion.h"

namespace velantor::cli {
namespace {

const QString kUsage =
    QStringLiteral("digest TEXTO   escribe el resumen del texto que guarda el registro de usuarios "
                   "(SHA-256 en mayúsculas)");

int runDigest(CommandContext& context) {
    if (context.args.size() != 1) {
        context.err << "velantor-cli digest: hace falta exactamente un argumento, el texto que se resume.\n"
                    << "Uso: velantor-cli digest TEXTO\n";
        return kExitUsage;
    }
    context.out << HashTexto(context.args.first()) << '\n';
    return kExitOk;
}

const Registration registration(QStringLiteral("digest"), kUsage, runDigest);

} // namespace
} // namespace velantor::cli
