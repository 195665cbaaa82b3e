#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

namespace velantor::test {

// Every file under a folder (relative path → bytes), to show that something left a
// folder exactly as it was.
class FolderSnapshot {
public:
    explicit FolderSnapshot(const QString& folder);

    bool contains(const QString& relativePath) const { return m_files.contains(relativePath); }
    QByteArray file(const QString& relativePath) const { return m_files.value(relativePath); }
    int size() const { return int(m_files.size()); }
    // What differs from `earlier`, one line per file; empty when nothing does.
    QString differenceFrom(const FolderSnapshot& earlier) const;

private:
    QMap<QString, QByteArray> m_files;
};

} // namespace velantor::test
