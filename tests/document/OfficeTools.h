#pragma once

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

// LibreOffice and the PDF tools, to check that documents the engine writes are
// documents another word processor reads.
namespace velantor::test {

inline QString officeProgram() {
    return QStandardPaths::findExecutable(QStringLiteral("soffice"));
}

// Converts `input` into `folder` with LibreOffice to the format of the extension
// `filter` ("pdf", "doc") and returns the new file's path, empty on failure.
inline QString convertWithOffice(const QString& input, const QString& filter, const QString& folder,
                                 qint64* milliseconds = nullptr) {
    const QString profile = QUrl::fromLocalFile(QDir(folder).filePath(QStringLiteral("perfil"))).toString();
    QProcess process;
    QElapsedTimer clock;
    clock.start();
    process.start(officeProgram(),
                  {QStringLiteral("-env:UserInstallation=") + profile, QStringLiteral("--headless"),
                   QStringLiteral("--norestore"), QStringLiteral("--convert-to"), filter,
                   QStringLiteral("--outdir"), folder, input});
    process.waitForFinished(300000);
    if (milliseconds != nullptr) {
        *milliseconds = clock.elapsed();
    }
    const QString extension = filter.section(u':', 0, 0);
    const QString output = QDir(folder).filePath(QFileInfo(input).completeBaseName() + u'.' + extension);
    return QFileInfo::exists(output) ? output : QString();
}

// The text of the PDF, or of its page `page` (counted from 1) alone.
inline QString pdfText(const QString& pdf, int page = 0) {
    QStringList arguments{QStringLiteral("-enc"), QStringLiteral("UTF-8")};
    if (page > 0)
        arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
                  << QString::number(page);
    QProcess process;
    process.start(QStringLiteral("pdftotext"), arguments << pdf << QStringLiteral("-"));
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

inline int pdfPages(const QString& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {pdf});
    process.waitForFinished(60000);
    for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split(u'\n')) {
        if (line.startsWith(QStringLiteral("Pages:"))) {
            return line.mid(6).trimmed().toInt();
        }
    }
    return 0;
}

} // namespace velantor::test
