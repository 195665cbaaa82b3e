#include "form/ui/HelpManual.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

namespace velantor {

Result<QString> manualCopy(const QString& programFolder, const QString& copyFolder) {
    const QString manual = QDir(programFolder).filePath(u"Manual de Usuario.doc"_s);
    if (!QFileInfo::exists(manual))
        return std::unexpected(makeError(
            errors::kFileNotFound,
            u"No se encuentra el manual de usuario «%1»."_s.arg(QDir::toNativeSeparators(manual))));
    const QString folder = copyFolder.isEmpty()
                               ? QDir(QStandardPaths::writableLocation(QStandardPaths::TempLocation))
                                     .filePath(u"velantor-ayuda"_s)
                               : copyFolder;
    const QString copy = QDir(folder).filePath(u"Manual de Usuario.doc"_s);
    const QString partial = copy + u".tmp"_s;
    auto failed = [&](const QString& why) -> Result<QString> {
        QFile::remove(partial);
        return std::unexpected(makeError(errors::kFileAccess,
                                         u"No se puede preparar una copia del manual en «%1»: %2"_s.arg(
                                             QDir::toNativeSeparators(folder), why)));
    };
    if (!QDir().mkpath(folder))
        return failed(u"no se puede crear la carpeta."_s);
    QFile::remove(partial);
    QFile source(manual);
    if (!source.copy(partial))
        return failed(source.errorString());
    QFile::setPermissions(partial, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    QFile::remove(copy);
    if (!QFile::rename(partial, copy))
        return failed(u"no se puede escribir la copia."_s);
    return copy;
}

} // namespace velantor
