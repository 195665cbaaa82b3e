#include "platform/Folders.h"

#include <QCoreApplication>
#include <QDir>

namespace velantor {
namespace {

bool endsWithSeparator(const QString& folder) {
    return folder.endsWith(QDir::separator()) || folder.endsWith(QLatin1Char('/'));
}

// Appends a name to a folder with exactly one separator between them, so a program
// run from the root of a drive does not get a doubled separator. An empty folder is
// the current one, not the root.
QString joined(const QString& folder, const QString& name) {
    if (folder.isEmpty() || endsWithSeparator(folder))
        return folder + name;
    return folder + QDir::separator() + name;
}

} // namespace

Folders Folders::fromProgramFolder(const QString& programFolder) {
    Folders folders;
    folders.m_program = QDir::toNativeSeparators(programFolder);
    // A trailing separator is dropped unless it is the whole root ("/" or "C:\").
    while (folders.m_program.size() > 1 && endsWithSeparator(folders.m_program) &&
           !folders.m_program.endsWith(QStringLiteral(":\\")))
        folders.m_program.chop(1);
    const QString sep = QDir::separator();
    folders.m_data = joined(folders.m_program, QStringLiteral("ficheros") + sep);
    folders.m_applications =
        joined(folders.m_program, QStringLiteral("ficheros") + sep + QStringLiteral("temp") + sep);
    return folders;
}

Folders Folders::ofRunningProgram() {
    return fromProgramFolder(QCoreApplication::applicationDirPath());
}

QString Folders::programFile(const QString& name) const {
    return joined(m_program, name);
}

} // namespace velantor
