#include "support/SampleFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace velantor::testing {

namespace {

bool copyFile(const QString& source, const QString& target) {
    return QDir().mkpath(QFileInfo(target).path()) && (QFile::exists(target) || QFile::copy(source, target));
}

} // namespace

bool copySampleProgram(const QString& to) {
    const QDir from(QStringLiteral(VELANTOR_SAMPLE_PROGRAM_DIR));
    for (const QString& name : {QStringLiteral("conf.xml"), QStringLiteral("Manual de Usuario.doc")}) {
        if (from.exists(name) && !copyFile(from.filePath(name), QDir(to).filePath(name)))
            return false;
    }
    QDirIterator it(from.filePath(QStringLiteral("ficheros")), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString relative = from.relativeFilePath(source);
        if (relative.startsWith(QStringLiteral("ficheros/temp/")))
            continue;
        if (!copyFile(source, QDir(to).filePath(relative)))
            return false;
    }
    return QDir().mkpath(QDir(to).filePath(QStringLiteral("ficheros/temp")));
}

} // namespace velantor::testing
