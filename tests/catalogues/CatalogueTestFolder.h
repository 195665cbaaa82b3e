#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include "catalogues/CatalogueEncoder.h"

// Helpers shared by the catalogue tests and the loading window tests.
namespace velantor::catalogues::testing {

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

inline QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Encodes plain records (lines joined by LF) the way the build encodes the sample.
inline void writeCatalogue(const QDir& dataFolder, const QString& fileName, const QStringList& lines) {
    const auto encoded = encodeCatalogue(lines.join(u'\n'), oemColumnsFor(fileName));
    ASSERT_TRUE(encoded.has_value()) << encoded.error().description.toStdString();
    writeBytes(dataFolder.filePath(fileName), *encoded);
}

// Copies the sample program folder assembled by the build (conf.xml and ficheros/) into
// `target`, so a test may change or remove files and the loads write their own work file.
inline void copySampleProgram(const QString& target) {
    const QDir sample(QStringLiteral(VELANTOR_SAMPLE_PROGRAM_DIR));
    QDir out(target);
    ASSERT_TRUE(out.mkpath(QStringLiteral("ficheros/temp")));
    ASSERT_TRUE(
        QFile::copy(sample.filePath(QStringLiteral("conf.xml")), out.filePath(QStringLiteral("conf.xml"))));
    const QDir data(sample.filePath(QStringLiteral("ficheros")));
    const QStringList files =
        data.entryList({QStringLiteral("*.enc"), QStringLiteral("FicheroTexto.txt")}, QDir::Files);
    ASSERT_EQ(files.size(), 17) << "sample program folder incomplete: " << data.path().toStdString();
    for (const QString& f : files)
        ASSERT_TRUE(QFile::copy(data.filePath(f), out.filePath(QStringLiteral("ficheros/") + f)));
}

} // namespace velantor::catalogues::testing
