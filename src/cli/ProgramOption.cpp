#include "cli/ProgramOption.h"

#include "platform/ProgramFolder.h"

namespace velantor::cli {

Result<QStringList> placeProgramOption(const QString& command, QStringList args) {
    const Result<std::optional<QString>> folder = takeProgramOption(args);
    if (!folder)
        return std::unexpected(folder.error());
    if (!*folder)
        return args;
    qsizetype position = -1;
    if (command == u"export" || command == u"fill" || command == u"search")
        position = 0;
    else if (command == u"catalogues" && !args.isEmpty() && args.front() == u"dump")
        position = 1;
    if (position < 0)
        return std::unexpected(makeError(
            errors::kInvalidProcedureCall, QStringLiteral("«%1» no trabaja sobre una carpeta del programa: "
                                                          "--programa no vale aquí")
                                               .arg(command)));
    args.insert(position, **folder);
    return args;
}

} // namespace velantor::cli
