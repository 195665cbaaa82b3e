#pragma once

#include <functional>

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace velantor::cli {

// Exit codes of velantor-cli.
inline constexpr int kExitOk = 0;
inline constexpr int kExitNegative = 1; // the command ran and the answer is "no" (an invalid number)
inline constexpr int kExitUsage = 2;    // misuse or bad input: a clear message on standard error
inline constexpr int kExitFailure = 3;  // the work failed (a file could not be read or written)

struct CommandContext {
    QStringList args; // arguments after the command name
    QTextStream& out;
    QTextStream& err;
};

using CommandFunction = std::function<int(CommandContext&)>;

// Each command registers itself from its own file with a static Registration.
struct Registration {
    Registration(const QString& name, const QString& usage, CommandFunction function);
};

} // namespace velantor::cli
