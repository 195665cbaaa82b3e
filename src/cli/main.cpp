#include <map>

#include <QCoreApplication>
#include <QTextStream>

#include "cli/Command.h"
#include "cli/ProgramOption.h"

namespace velantor::cli {
namespace {

struct Entry {
    QString usage;
    CommandFunction function;
};

std::map<QString, Entry>& commands() {
    static std::map<QString, Entry> table;
    return table;
}

void printUsage(QTextStream& stream) {
    stream << "Uso: velantor-cli ORDEN [ARGUMENTOS]\n\nÓrdenes:\n";
    for (const auto& [name, entry] : commands())
        stream << "  " << entry.usage << '\n';
    stream << "\nexport, fill, search y catalogues dump admiten --programa CARPETA_PROGRAMA en lugar\n"
              "de la carpeta del programa como primer argumento.\n";
    stream.flush();
}

} // namespace

Registration::Registration(const QString& name, const QString& usage, CommandFunction function) {
    commands()[name] = Entry{usage, std::move(function)};
}

} // namespace velantor::cli

int main(int argc, char* argv[]) {
    using namespace velantor::cli;
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.first() == QStringLiteral("--help") || args.first() == QStringLiteral("-h")) {
        printUsage(args.isEmpty() ? err : out);
        return args.isEmpty() ? kExitUsage : kExitOk;
    }
    const QString name = args.takeFirst();
    const auto it = commands().find(name);
    if (it == commands().end()) {
        err << "velantor-cli: orden desconocida: " << name << '\n';
        printUsage(err);
        return kExitUsage;
    }
    const auto placed = placeProgramOption(name, args);
    if (!placed) {
        err << "velantor-cli " << name << ": " << placed.error().description << '\n';
        return kExitUsage;
    }
    CommandContext context{*placed, out, err};
    const int code = it->second.function(context);
    out.flush();
    err.flush();
    return code;
}
