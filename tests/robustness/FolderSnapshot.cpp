#include "robustness/FolderSnapshot.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

namespace velantor::test {

FolderSnapshot::FolderSnapshot(const QString& folder) {
    const QDir root(folder);
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        m_files.insert(root.relativeFilePath(path),
                       file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<ilegible>"));
    }
}

QString FolderSnapshot::differenceFrom(const FolderSnapshot& earlier) const {
    QString difference;
    for (auto it = earlier.m_files.cbegin(); it != earlier.m_files.cend(); ++it) {
        if (!m_files.contains(it.key()))
            difference += QStringLiteral("borrado: %1\n").arg(it.key());
        else if (m_files.value(it.key()) != it.value())
            difference += QStringLiteral("cambiado: %1\n").arg(it.key());
    }
    for (auto it = m_files.cbegin(); it != m_files.cend(); ++it) {
        if (!earlier.m_files.contains(it.key()))
            difference += QStringLiteral("nuevo: %1\n").arg(it.key());
    }
    return difference;
}

} // namespace velantor::test
