#include "platform/SafeFile.h"

#include <utility>

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace velantor {
namespace {

WriteFaultHook& faultHook() {
    static WriteFaultHook hook;
    return hook;
}

bool faultAt(const QString& path, WriteStage stage) {
    const WriteFaultHook& hook = faultHook();
    return hook && hook(path, stage);
}

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// Qt's reason when the file layer failed; a stage stopped on purpose has none of its own.
QString reasonOf(const QSaveFile& file) {
    return file.error() == QFileDevice::NoError ? QStringLiteral("escritura interrumpida")
                                                : file.errorString();
}

} // namespace

void setWriteFaultHook(WriteFaultHook hook) {
    faultHook() = std::move(hook);
}

Result<void> writeFileAtomically(const QString& path, const QByteArray& contents,
                                 std::optional<QFileDevice::Permissions> permissions) {
    if (path.isEmpty())
        return std::unexpected(makeError(
            errors::kFileAccess, QStringLiteral("No se ha indicado el archivo que se debe guardar.")));

    const QFileInfo info(path);
    if (!info.absoluteDir().exists())
        return std::unexpected(makeError(
            errors::kPathNotFound, QStringLiteral("No se puede guardar «%1»: la carpeta «%2» no existe.")
                                       .arg(shown(path), shown(info.absolutePath()))));
    if (info.isDir())
        return std::unexpected(
            makeError(errors::kFileAccess,
                      QStringLiteral("No se puede guardar «%1»: es una carpeta.").arg(shown(path))));

    // The temporary file lives beside the final one, so the rename never crosses file
    // systems; an existing file keeps its permissions.
    QSaveFile file(path);
    if (faultAt(path, WriteStage::Open) || !file.open(QIODevice::WriteOnly))
        return std::unexpected(makeError(
            errors::kFileAccess,
            QStringLiteral("No se puede crear el archivo «%1»: %2").arg(shown(path), reasonOf(file))));

    if (permissions && !file.setPermissions(*permissions)) {
        const QString reason = reasonOf(file);
        file.cancelWriting();
        return std::unexpected(makeError(
            errors::kFileAccess,
            QStringLiteral("No se pueden fijar los permisos del archivo «%1»: %2").arg(shown(path), reason)));
    }

    if (faultAt(path, WriteStage::Write) || file.write(contents) != contents.size()) {
        const QString reason = reasonOf(file);
        file.cancelWriting();
        return std::unexpected(makeError(
            errors::kWriteFailed,
            QStringLiteral("No se pudo escribir completo el archivo «%1»: %2").arg(shown(path), reason)));
    }

    // Written data still in Qt's buffer would otherwise first meet a full disk inside commit().
    if (faultAt(path, WriteStage::Flush) || !file.flush()) {
        const QString reason = reasonOf(file);
        file.cancelWriting();
        return std::unexpected(makeError(
            errors::kWriteFailed,
            QStringLiteral("No se pudo escribir completo el archivo «%1»: %2").arg(shown(path), reason)));
    }

    if (faultAt(path, WriteStage::Rename)) {
        file.cancelWriting();
        return std::unexpected(
            makeError(errors::kWriteFailed,
                      QStringLiteral("No se pudo guardar el archivo «%1»: no se pudo sustituir el anterior.")
                          .arg(shown(path))));
    }
    if (!file.commit())
        return std::unexpected(makeError(
            errors::kWriteFailed,
            QStringLiteral("No se pudo guardar el archivo «%1»: %2").arg(shown(path), file.errorString())));
    return {};
}

} // namespace velantor
