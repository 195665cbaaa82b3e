#include "cli/Command.h"
#include "startup/Validacion.h"

namespace velantor::cli {
namespace {

const QString kUsage = QStringLiteral("dni TEXTO      comprueba un DNI: escribe el número normalizado y "
                                      "«valid» o «invalid» (salida 0 o 1)");

int runDni(CommandContext& context) {
    if (context.args.size() != 1) {
        context.err << "velantor-cli dni: hace falta exactamente un argumento, el DNI que se comprueba.\n"
                    << "Uso: velantor-cli dni TEXTO\n";
        return kExitUsage;
    }
    const DniCheck check = checkDni(context.args.first());
    context.out << check.text << (check.valid ? " valid" : " invalid") << '\n';
    return check.valid ? kExitOk : kExitNegative;
}

const Registration registration(QStringLiteral("dni"), kUsage, runDni);

} // namespace
} // namespace velantor::cli
