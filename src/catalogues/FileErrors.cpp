#include "catalogues/FileErrors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace velantor::catalogues {
namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

} // namespace

Error openFailure(const QString& path) {
    const QFileInfo info(path);
    if (!info.dir().exists())
        return makeError(errors::kPathNotFound,
                         QStringLiteral("No se encuentra la ruta de acceso ") + shown(info.dir().path()));
    if (!info.exists())
        return fileNotFound(path);
    return fileAccessFailure(path);
}

Error fileNotFound(const QString& path) {
    return makeError(errors::kFileNotFound, QStringLiteral("No se encuentra el archivo ") + shown(path));
}

Error fileAccessFailure(const QString& path) {
    return makeError(errors::kFileAccess,
                     QStringLiteral("Error de acceso a la ruta o al archivo ") + shown(path));
}

Error writeFailure(const QString& path) {
    return makeError(errors::kWriteFailed,
                     QStringLiteral("No se ha podido escribir completo el archivo ") + shown(path));
}

Result<QByteArray> readWholeFile(const QString& path) {
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        return std::unexpected(openFailure(path));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::unexpected(fileAccessFailure(path));
    return bytes;
}

} // namespace velantor::catalogues
