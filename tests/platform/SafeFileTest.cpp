#include <vector>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/SafeFile.h"

using namespace velantor;

namespace {

class SafeFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    void TearDown() override { setWriteFaultHook({}); }

    QString path(const QString& name) const { return m_dir.filePath(name); }

    static QByteArray read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QStringList entries() const { return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden); }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(SafeFileTest, WritesNewFileAndReplacesOldOneLeavingNoTemporaries) {
    const QString target = path(QStringLiteral("usuarios.xml"));
    ASSERT_TRUE(writeFileAtomically(target, "primero"));
    EXPECT_EQ(read(target), QByteArray("primero"));
    ASSERT_TRUE(writeFileAtomically(target, QByteArray("se\0gundo", 8)));
    EXPECT_EQ(read(target), QByteArray("se\0gundo", 8));
    ASSERT_TRUE(writeFileAtomically(target, QByteArray()));
    EXPECT_EQ(read(target), QByteArray());
    EXPECT_EQ(entries(), QStringList{QStringLiteral("usuarios.xml")});
}

TEST_F(SafeFileTest, StagesRunInOrderForTheGivenPath) {
    std::vector<std::pair<QString, WriteStage>> seen;
    setWriteFaultHook([&](const QString& p, WriteStage stage) {
        seen.emplace_back(p, stage);
        return false;
    });
    const QString target = path(QStringLiteral("a.txt"));
    ASSERT_TRUE(writeFileAtomically(target, "x"));
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].second, WriteStage::Open);
    EXPECT_EQ(seen[1].second, WriteStage::Write);
    EXPECT_EQ(seen[2].second, WriteStage::Flush);
    EXPECT_EQ(seen[3].second, WriteStage::Rename);
    EXPECT_EQ(seen[3].first, target);
}

TEST_F(SafeFileTest, FailureAtAnyStageKeepsThePreviousFile) {
    const QString target = path(QStringLiteral("datos.xml"));
    const QString fresh = path(QStringLiteral("nuevo.xml"));
    ASSERT_TRUE(writeFileAtomically(target, "anterior"));
    for (const WriteStage failing : {WriteStage::Open, WriteStage::Write, WriteStage::Flush, WriteStage::Rename}) {
        setWriteFaultHook([failing](const QString&, WriteStage stage) { return stage == failing; });
        const Result<void> result = writeFileAtomically(target, "posterior");
        ASSERT_FALSE(result) << int(failing);
        EXPECT_EQ(result.error().number,
                  failing == WriteStage::Open ? errors::kFileAccess : errors::kWriteFailed);
        EXPECT_TRUE(result.error().description.contains(QDir::toNativeSeparators(target)));
        EXPECT_EQ(read(target), QByteArray("anterior"));
        // A file that did not exist is not created by a failed write.
        EXPECT_FALSE(writeFileAtomically(fresh, "x"));
        EXPECT_FALSE(QFile::exists(fresh));
        EXPECT_EQ(entries(), QStringList{QStringLiteral("datos.xml")});
    }
}

TEST_F(SafeFileTest, MissingFolderIsReportedAndNotCreated) {
    const QString folder = path(QStringLiteral("no/existe"));
    const Result<void> result = writeFileAtomically(folder + QStringLiteral("/usuarios.xml"), "x");
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().number, errors::kPathNotFound);
    EXPECT_TRUE(result.error().description.contains(QDir::toNativeSeparators(folder)));
    EXPECT_TRUE(result.error().description.contains(QStringLiteral("no existe")));
    EXPECT_FALSE(QDir(folder).exists());
    // A file in place of the folder is no folder either.
    ASSERT_TRUE(writeFileAtomically(path(QStringLiteral("archivo")), "x"));
    EXPECT_EQ(writeFileAtomically(path(QStringLiteral("archivo/otro")), "y").error().number,
              errors::kPathNotFound);
}

TEST_F(SafeFileTest, UnwritablePlacesAreErrors) {
    QDir(m_dir.path()).mkdir(QStringLiteral("carpeta"));
    const Result<void> onFolder = writeFileAtomically(path(QStringLiteral("carpeta")), "x");
    ASSERT_FALSE(onFolder);
    EXPECT_EQ(onFolder.error().number, errors::kFileAccess);
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("carpeta"))).isDir());
    EXPECT_EQ(writeFileAtomically(QString(), "x").error().number, errors::kFileAccess);
    // Nobody, not even the administrator, may create files in /proc.
    if (QDir(QStringLiteral("/proc")).exists()) {
        const Result<void> onProc = writeFileAtomically(QStringLiteral("/proc/velantor-prueba"), "x");
        ASSERT_FALSE(onProc);
        EXPECT_EQ(onProc.error().number, errors::kFileAccess);
    }
}

TEST_F(SafeFileTest, ReplacedFileKeepsItsPermissions) {
    const QString target = path(QStringLiteral("privado.xml"));
    ASSERT_TRUE(writeFileAtomically(target, "a"));
    const auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    ASSERT_TRUE(QFile::setPermissions(target, ownerOnly));
    ASSERT_TRUE(writeFileAtomically(target, "b"));
    EXPECT_EQ(QFile::permissions(target) & ~(QFileDevice::ReadUser | QFileDevice::WriteUser), ownerOnly);
    EXPECT_EQ(read(target), QByteArray("b"));
}

TEST_F(SafeFileTest, PermissionsGivenAreThoseOfTheFileFromItsFirstMoment) {
    const QString target = path(QStringLiteral("usuarios.xml"));
    const auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    // Seen at the rename: the temporary file already has them.
    QFileDevice::Permissions atRename;
    setWriteFaultHook([&](const QString&, WriteStage stage) {
        if (stage == WriteStage::Rename) {
            for (const QString& name : entries()) {
                if (name != QStringLiteral("usuarios.xml"))
                    atRename = QFile::permissions(m_dir.filePath(name));
            }
        }
        return false;
    });
    ASSERT_TRUE(writeFileAtomically(target, "a", ownerOnly));
    // Where the system makes the temporary file without a name, nobody can open it anyway.
    if (atRename)
        EXPECT_EQ(atRename & ~(QFileDevice::ReadUser | QFileDevice::WriteUser), ownerOnly);
    EXPECT_EQ(QFile::permissions(target) & ~(QFileDevice::ReadUser | QFileDevice::WriteUser), ownerOnly);
    // An existing file that others could read is replaced by one they cannot.
    setWriteFaultHook({});
    ASSERT_TRUE(QFile::setPermissions(target, ownerOnly | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    ASSERT_TRUE(writeFileAtomically(target, "b", ownerOnly));
    EXPECT_EQ(QFile::permissions(target) & ~(QFileDevice::ReadUser | QFileDevice::WriteUser), ownerOnly);
}
