#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

namespace {

struct Layer {
    QString name;
    QStringList folders;
    QSet<QString> allowed; // its own name and the layers it may include
};

// Reads Layers.txt; a malformed line, or a layer that names one not above it, is a failure
// of the file itself, given back in `problems`.
QList<Layer> readLayers(const QString& path, QStringList& problems) {
    QList<Layer> layers;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        problems << QStringLiteral("cannot read %1").arg(path);
        return layers;
    }
    QSet<QString> above;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype colon = line.indexOf(u':');
        const QStringList head = line.left(colon).simplified().split(u' ', Qt::SkipEmptyParts);
        if (colon < 0 || head.size() < 2) {
            problems << QStringLiteral("malformed line: %1").arg(line);
            continue;
        }
        Layer layer{head.first(), head.mid(1), {head.first()}};
        for (const QString& name : line.mid(colon + 1).simplified().split(u' ', Qt::SkipEmptyParts)) {
            if (!above.contains(name))
                problems << QStringLiteral("%1 names %2, which is not a layer above it").arg(layer.name, name);
            layer.allowed.insert(name);
        }
        above.insert(layer.name);
        layers.append(layer);
    }
    return layers;
}

// The layer of a path relative to src/: the one with the longest folder that holds it.
const Layer* layerOf(const QList<Layer>& layers, const QString& relativePath) {
    const Layer* best = nullptr;
    qsizetype bestLength = -1;
    for (const Layer& layer : layers) {
        for (const QString& folder : layer.folders) {
            if (relativePath.startsWith(folder + u'/') && folder.size() > bestLength) {
                best = &layer;
                bestLength = folder.size();
            }
        }
    }
    return best;
}

// Every include of a file under `sourceDir` that names another file of the tree and runs
// against the order, as "file: include (from → to)"; files outside every layer too.
QStringList violations(const QString& sourceDir, const QString& layersFile) {
    QStringList problems;
    const QList<Layer> layers = readLayers(layersFile, problems);
    static const QRegularExpression include(QStringLiteral(R"re(^\s*#\s*include\s*"([^"]+)")re"));
    const QDir root(sourceDir);
    QDirIterator it(sourceDir, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = root.relativeFilePath(path);
        const Layer* from = layerOf(layers, relative);
        if (!from) {
            problems << QStringLiteral("%1: in no layer").arg(relative);
            continue;
        }
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            continue;
        QTextStream in(&file);
        while (!in.atEnd()) {
            const QRegularExpressionMatch m = include.match(in.readLine());
            if (!m.hasMatch() || !root.exists(m.captured(1)))
                continue;
            const Layer* to = layerOf(layers, m.captured(1));
            if (!to || !from->allowed.contains(to->name))
                problems << QStringLiteral("%1: %2 (%3 → %4)")
                                .arg(relative, m.captured(1), from->name, to ? to->name : QStringLiteral("?"));
        }
    }
    return problems;
}

TEST(LayerOrder, EveryIncludeOfTheSourcesFollowsTheOrder) {
    const QString src = QStringLiteral(VELANTOR_SOURCE_DIR);
    const QStringList found = violations(src, src + QStringLiteral("/Layers.txt"));
    EXPECT_TRUE(found.isEmpty()) << found.join(u'\n').toStdString();
}

// The check on a tree of its own: an include upwards, one across two windows that are not
// ordered, a folder in no layer and a layer that names one below it are each caught.
TEST(LayerOrder, ForbiddenIncludesAreFound) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto write = [&](const QString& name, const QByteArray& text) {
        QDir().mkpath(QFileInfo(dir.filePath(name)).path());
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    };
    write(QStringLiteral("Layers.txt"), "core  core      :\n"
                                        "ui    core/ui   : core\n"
                                        "other other     : core\n"
                                        "bad   bad       : later\n"
                                        "later later     :\n");
    write(QStringLiteral("core/A.h"), "#pragma once\n");
    write(QStringLiteral("core/B.cpp"), "#include \"core/A.h\"\n#include \"core/ui/W.h\"\n#include <vector>\n");
    write(QStringLiteral("core/ui/W.h"), "#include \"core/A.h\"\n");
    write(QStringLiteral("other/O.cpp"), "#include \"core/ui/W.h\"\n#include \"missing/Gone.h\"\n");
    write(QStringLiteral("stray/S.cpp"), "\n");
    const QStringList found = violations(dir.path(), dir.filePath(QStringLiteral("Layers.txt")));
    EXPECT_EQ(found.size(), 4) << found.join(u'\n').toStdString();
    EXPECT_TRUE(found.contains(QStringLiteral("core/B.cpp: core/ui/W.h (core → ui)")));
    EXPECT_TRUE(found.contains(QStringLiteral("other/O.cpp: core/ui/W.h (other → ui)")));
    EXPECT_TRUE(found.contains(QStringLiteral("stray/S.cpp: in no layer")));
    EXPECT_TRUE(found.contains(QStringLiteral("bad names later, which is not a layer above it")));
}

} // namespace
