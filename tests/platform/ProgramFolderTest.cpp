#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/ProgramFolder.h"

using namespace velantor;
using namespace Qt::StringLiterals;

namespace {

// A shared program folder (as installed), an executable folder and a per-user folder.
class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_root.isValid());
        write(shared(QStringLiteral("conf.xml")), "conf");
        write(shared(QStringLiteral("Manual de Usuario.doc")), "manual");
        write(shared(QStringLiteral("ficheros/F0001.enc")), "catálogo");
        write(shared(QStringLiteral("ficheros/DOT_11111/PlantillaWXP.dot")), "plantilla");
        ASSERT_TRUE(QDir(m_root.path()).mkpath(QStringLiteral("share/ficheros/temp")));
        ASSERT_TRUE(QDir(m_root.path()).mkpath(QStringLiteral("bin")));
    }

    QString path(const QString& relative) const { return m_root.filePath(relative); }
    QString shared(const QString& file = {}) const { return path(QStringLiteral("share/") + file); }
    QString user(const QString& file = {}) const { return path(QStringLiteral("user/") + file); }
    ProgramFolderPlaces places() const {
        return {QString(), path(QStringLiteral("bin")), user(), shared()};
    }

    static void write(const QString& file, const QByteArray& content) {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(file).path()));
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    static QByteArray read(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<falta>");
    }

    QTemporaryDir m_root;
};

} // namespace

TEST_F(ProgramFolderTest, OptionThenExecutableFolderThenPerUserFolder) {
    ProgramFolderPlaces p = places();
    // Installed, first start: the per-user folder is made from the shared copy.
    Result<ProgramFolder> folder = chooseProgramFolder(p);
    ASSERT_TRUE(folder) << folder.error().description.toStdString();
    EXPECT_EQ(folder->source, ProgramFolderSource::PerUser);
    EXPECT_EQ(folder->path, user());

    // A portable folder or the build tree: conf.xml beside the executable wins.
    write(path(QStringLiteral("bin/conf.xml")), "portable");
    folder = chooseProgramFolder(p);
    ASSERT_TRUE(folder);
    EXPECT_EQ(folder->source, ProgramFolderSource::Executable);
    EXPECT_EQ(folder->path, path(QStringLiteral("bin")));

    // --programa wins over both, taken as an absolute folder.
    p.option = QDir(QDir::currentPath()).relativeFilePath(shared());
    folder = chooseProgramFolder(p);
    ASSERT_TRUE(folder);
    EXPECT_EQ(folder->source, ProgramFolderSource::Option);
    EXPECT_EQ(QDir(folder->path), QDir(shared()));
    EXPECT_TRUE(QFileInfo(folder->path).isAbsolute());
}

TEST_F(ProgramFolderTest, SeedingCopiesEverythingAndNeverOverwritesWhatTheUserHas) {
    // An earlier start was cut off: some files, a half-copied one, and no conf.xml yet.
    write(user(QStringLiteral("ficheros/F0001.enc")), "del usuario");
    write(user(QStringLiteral("Manual de Usuario.doc.part")), "a medias");
    write(user(QStringLiteral("usuarios.xml")), "registro");

    const Result<ProgramFolder> folder = chooseProgramFolder(places());
    ASSERT_TRUE(folder) << folder.error().description.toStdString();
    EXPECT_EQ(read(user(QStringLiteral("conf.xml"))), "conf");
    EXPECT_EQ(read(user(QStringLiteral("Manual de Usuario.doc"))), "manual");
    EXPECT_EQ(read(user(QStringLiteral("ficheros/DOT_11111/PlantillaWXP.dot"))), "plantilla");
    EXPECT_TRUE(QFileInfo(user(QStringLiteral("ficheros/temp"))).isDir());
    EXPECT_EQ(read(user(QStringLiteral("ficheros/F0001.enc"))), "del usuario");
    EXPECT_EQ(read(user(QStringLiteral("usuarios.xml"))), "registro");
    EXPECT_FALSE(QFileInfo::exists(user(QStringLiteral("Manual de Usuario.doc.part"))));

    // Once the folder is complete it is the user's: a file removed there stays removed.
    ASSERT_TRUE(QFile::remove(user(QStringLiteral("Manual de Usuario.doc"))));
    ASSERT_TRUE(chooseProgramFolder(places()));
    EXPECT_FALSE(QFileInfo::exists(user(QStringLiteral("Manual de Usuario.doc"))));
    EXPECT_EQ(QDir(shared()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 3);
}

TEST_F(ProgramFolderTest, FailuresNameTheFolderAndCreateNothing) {
    ProgramFolderPlaces p = places();
    p.option = path(QStringLiteral("no-existe"));
    Result<ProgramFolder> folder = chooseProgramFolder(p);
    ASSERT_FALSE(folder);
    EXPECT_TRUE(folder.error().description.contains(QDir::toNativeSeparators(p.option)));

    // No conf.xml beside the executable, none in the user's folder, no shared copy.
    p = places();
    p.sharedFolder = path(QStringLiteral("vacía"));
    folder = chooseProgramFolder(p);
    ASSERT_FALSE(folder);
    EXPECT_EQ(folder.error().number, errors::kFileNotFound);
    EXPECT_FALSE(QFileInfo::exists(user()));

    // The per-user folder cannot be made (its parent is a file).
    write(path(QStringLiteral("archivo")), "x");
    p = places();
    p.userFolder = path(QStringLiteral("archivo/Velantor"));
    folder = chooseProgramFolder(p);
    ASSERT_FALSE(folder);
    EXPECT_EQ(folder.error().number, errors::kFileAccess);
    EXPECT_TRUE(folder.error().description.contains(QDir::toNativeSeparators(p.userFolder)));
}

struct OptionCase {
    QStringList arguments;
    std::optional<QString> folder; // nothing: no option
    QStringList remaining;
    bool error = false;
};

class ProgramOptionTest : public ::testing::TestWithParam<OptionCase> {};

TEST_P(ProgramOptionTest, TakesTheOptionOutOfTheArguments) {
    const OptionCase& c = GetParam();
    QStringList arguments = c.arguments;
    const Result<std::optional<QString>> folder = takeProgramOption(arguments);
    ASSERT_EQ(!folder, c.error);
    if (c.error)
        return;
    EXPECT_EQ(*folder, c.folder);
    EXPECT_EQ(arguments, c.remaining);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, ProgramOptionTest,
    ::testing::Values(
        OptionCase{{u"velantor"_s}, std::nullopt, {u"velantor"_s}},
        OptionCase{{u"velantor"_s, u"--programa"_s, u"/srv/c 2027"_s}, u"/srv/c 2027"_s, {u"velantor"_s}},
        OptionCase{{u"--body"_s, u"00201"_s, u"--programa=/srv/c"_s}, u"/srv/c"_s, {u"--body"_s, u"00201"_s}},
        OptionCase{{u"velantor"_s, u"--programa"_s}, std::nullopt, {}, true},
        OptionCase{{u"--programa="_s}, std::nullopt, {}, true},
        OptionCase{{u"--programa"_s, u"a"_s, u"--programa"_s, u"b"_s}, std::nullopt, {}, true}));
