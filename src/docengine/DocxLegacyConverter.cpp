#include "docengine/DocxLegacyConverter.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

namespace velantor {

namespace {

Error conversionFailed(const QString& path, const QString& reason) {
    return makeError(
        errors::kExternalProgram,
        QStringLiteral("No se pudo convertir el documento «%1» al formato actual: %2.").arg(path, reason));
}

QString officeProgram() {
    for (const QString& name : {QStringLiteral("soffice"), QStringLiteral("libreoffice")}) {
        const QString found = QStandardPaths::findExecutable(name);
        if (!found.isEmpty()) {
            return found;
        }
    }
    return {};
}

} // namespace

bool DocxLegacyConverter::isLegacy(const QByteArray& bytes) {
    return bytes.startsWith(QByteArrayLiteral("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"));
}

Result<QByteArray> DocxLegacyConverter::convert(const QString& path) {
    const QString program = officeProgram();
    if (program.isEmpty()) {
        return std::unexpected(makeError(
            errors::kExternalProgram,
            QStringLiteral("El documento «%1» está en el formato binario antiguo y para leerlo hace falta "
                           "LibreOffice, que no está instalado.")
                .arg(path)));
    }
    QTemporaryDir work;
    if (!work.isValid()) {
        return std::unexpected(
            conversionFailed(path, QStringLiteral("no se pudo crear una carpeta temporal")));
    }
    const QDir dir(work.path());
    const QString copy = dir.filePath(QStringLiteral("solicitud.doc"));
    if (!QFile::copy(path, copy)) {
        return std::unexpected(conversionFailed(path, QStringLiteral("no se pudo copiar el documento")));
    }
    const QString output = dir.filePath(QStringLiteral("convertido"));
    const QStringList arguments{QStringLiteral("-env:UserInstallation=") +
                                    QUrl::fromLocalFile(dir.filePath(QStringLiteral("perfil"))).toString(),
                                QStringLiteral("--headless"),
                                QStringLiteral("--norestore"),
                                QStringLiteral("--nolockcheck"),
                                QStringLiteral("--nologo"),
                                QStringLiteral("--convert-to"),
                                QStringLiteral("docx"),
                                QStringLiteral("--outdir"),
                                output,
                                copy};

    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForStarted()) {
        return std::unexpected(conversionFailed(path, process.errorString()));
    }
    if (!process.waitForFinished(kTimeoutSeconds * 1000)) {
        process.kill();
        process.waitForFinished();
        return std::unexpected(conversionFailed(path, QStringLiteral("LibreOffice no terminó a tiempo")));
    }
    QFile converted(QDir(output).filePath(QStringLiteral("solicitud.docx")));
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0 ||
        !converted.open(QIODevice::ReadOnly)) {
        const QString said = QString::fromLocal8Bit(process.readAll()).simplified().left(300);
        return std::unexpected(conversionFailed(
            path, said.isEmpty() ? QStringLiteral("LibreOffice no produjo ningún documento") : said));
    }
    return converted.readAll();
}

} // namespace velantor
