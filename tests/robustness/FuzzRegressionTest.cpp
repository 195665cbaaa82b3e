#include <QDir>
#include <QFile>
#include <QSet>

#include <gtest/gtest.h>

#include "FuzzEntries.h"

using namespace velantor::fuzz;

// Every input kept under fuzz/corpus/<entry>/ (the seeds and every input that once made
// a fuzzer fail) goes once more through the entry it was found with, in the normal build:
// a fixed reader stays fixed.
TEST(FuzzRegression, EveryKeptInputPassesThroughItsEntry) {
    const QDir corpus(QStringLiteral(VELANTOR_FUZZ_CORPUS_DIR));
    ASSERT_TRUE(corpus.exists());
    int replayed = 0;
    QSet<QString> named;
    for (const FuzzEntry& entry : fuzzEntries()) {
        const QString name = QString::fromLatin1(entry.name);
        named.insert(name);
        const QDir folder(corpus.filePath(name));
        const QStringList files = folder.entryList(QDir::Files, QDir::Name);
        EXPECT_FALSE(files.isEmpty()) << "no seed inputs for " << entry.name;
        for (const QString& file : files) {
            SCOPED_TRACE(QStringLiteral("%1/%2").arg(name, file).toStdString());
            QFile input(folder.filePath(file));
            ASSERT_TRUE(input.open(QIODevice::ReadOnly));
            const QByteArray bytes = input.readAll();
            entry.run(bytes);
            ++replayed;
        }
    }
    // A corpus folder without an entry would never be replayed.
    for (const QString& folder : corpus.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        EXPECT_TRUE(named.contains(folder)) << "corpus folder without an entry: " << folder.toStdString();
    EXPECT_GT(replayed, 0);
}
