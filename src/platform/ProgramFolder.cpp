#include "platform/ProgramFolder.h"

#include <algorithm>

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace velantor {
namespace {

const QString kConfiguration = QStringLiteral("conf.xml");
const QString kOption = QStringLiteral("--programa");

bool hasConfiguration(const QString& folder) {
    return !folder.isEmpty() && QFileInfo(QDir(folder).filePath(kConfiguration)).isFile();
}

Error seedError(const QString& user, const QString& detail) {
    return makeError(errors::kFileAccess,
                     QStringLiteral("No se ha podido preparar la carpeta del programa «%1»: %2")
                         .arg(QDir::toNativeSeparators(user), detail));
}

Result<void> copyFile(const QString& from, const QString& to) {
    const QString part = to + QStringLiteral(".part");
    QFile::remove(part); // left by an interrupted copy
    QFile source(from);
    if (!source.copy(part)) {
        const QString reason = source.errorString();
        QFile::remove(part);
        return std::unexpected(makeError(errors::kWriteFailed, reason));
    }
    if (!QFile::rename(part, to)) {
        QFile::remove(part);
        return std::unexpected(makeError(errors::kWriteFailed,
                                         QStringLiteral("no se puede dar nombre a «%1»").arg(to)));
    }
    return {};
}

} // namespace

Result<void> seedProgramFolder(const QString& shared, const QString& user) {
    const QDir from(shared);
    const QDir to(user);
    if (!to.mkpath(QStringLiteral(".")))
        return std::unexpected(seedError(user, QStringLiteral("no se puede crear la carpeta")));

    QStringList files;
    QDirIterator it(shared, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry = it.nextFileInfo();
        const QString relative = from.relativeFilePath(entry.filePath());
        if (entry.isDir()) {
            if (!to.mkpath(relative))
                return std::unexpected(
                    seedError(user, QStringLiteral("no se puede crear la carpeta «%1»").arg(relative)));
        } else if (entry.isFile()) {
            files << relative;
        }
    }
    // The configuration marks a complete folder, so it is the last file to arrive.
    std::stable_partition(files.begin(), files.end(), [](const QString& f) { return f != kConfiguration; });
    for (const QString& relative : files) {
        const QString target = to.filePath(relative);
        if (QFileInfo::exists(target))
            continue;
        if (const Result<void> copied = copyFile(from.filePath(relative), target); !copied)
            return std::unexpected(seedError(
                user, QStringLiteral("no se puede copiar «%1» (%2)").arg(relative, copied.error().description)));
    }
    return {};
}

Result<ProgramFolder> chooseProgramFolder(const ProgramFolderPlaces& places) {
    if (!places.option.isEmpty()) {
        const QFileInfo option(places.option);
        if (!option.isDir())
            return std::unexpected(makeError(
                errors::kPathNotFound, QStringLiteral("La carpeta del programa «%1» indicada con --programa no existe.")
                                           .arg(QDir::toNativeSeparators(places.option))));
        return ProgramFolder{option.absoluteFilePath(), ProgramFolderSource::Option};
    }
    if (hasConfiguration(places.executableFolder))
        return ProgramFolder{places.executableFolder, ProgramFolderSource::Executable};
    if (places.userFolder.isEmpty())
        return std::unexpected(makeError(errors::kPathNotFound,
                                         QStringLiteral("No hay una carpeta de datos del usuario donde "
                                                        "preparar la carpeta del programa.")));
    if (!hasConfiguration(places.userFolder)) {
        if (!hasConfiguration(places.sharedFolder))
            return std::unexpected(makeError(
                errors::kFileNotFound,
                QStringLiteral("No se encuentra la carpeta del programa: ni «%1» ni «%2» tienen %3.")
                    .arg(QDir::toNativeSeparators(places.executableFolder),
                         QDir::toNativeSeparators(places.sharedFolder), kConfiguration)));
        if (const Result<void> seeded = seedProgramFolder(places.sharedFolder, places.userFolder); !seeded)
            return std::unexpected(seeded.error());
    }
    return ProgramFolder{places.userFolder, ProgramFolderSource::PerUser};
}

ProgramFolderPlaces runningProgramPlaces(const QString& option) {
    const QString executable = QCoreApplication::applicationDirPath();
    return ProgramFolderPlaces{
        option, executable, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
        QDir::cleanPath(executable + QStringLiteral("/../share/velantor/programa"))};
}

Result<std::optional<QString>> takeProgramOption(QStringList& arguments) {
    std::optional<QString> folder;
    for (qsizetype i = 0; i < arguments.size();) {
        QString value;
        if (arguments[i] == kOption) {
            if (i + 1 >= arguments.size() || arguments[i + 1].isEmpty())
                return std::unexpected(makeError(errors::kInvalidProcedureCall,
                                                 QStringLiteral("--programa necesita una carpeta")));
            value = arguments[i + 1];
            arguments.remove(i, 2);
        } else if (arguments[i].startsWith(kOption + u'=')) {
            value = arguments[i].mid(kOption.size() + 1);
            arguments.remove(i);
            if (value.isEmpty())
                return std::unexpected(makeError(errors::kInvalidProcedureCall,
                                                 QStringLiteral("--programa necesita una carpeta")));
        } else {
            ++i;
            continue;
        }
        if (folder)
            return std::unexpected(makeError(errors::kInvalidProcedureCall,
                                             QStringLiteral("--programa solo puede indicarse una vez")));
        folder = value;
    }
    return folder;
}

} // namespace velantor
