#include <QCoreApplication>
#include <QDir>

#include <gtest/gtest.h>

#include "platform/Folders.h"

using namespace velantor;

TEST(Folders, DataAndApplicationsFoldersHangFromTheProgramFolder) {
    const QString sep = QDir::separator();
    const QString program = QDir::toNativeSeparators(QStringLiteral("/opt/velantor"));
    const Folders folders = Folders::fromProgramFolder(QStringLiteral("/opt/velantor"));
    EXPECT_EQ(folders.programFolder(), program);
    EXPECT_EQ(folders.dataFolder(), program + sep + QStringLiteral("ficheros") + sep);
    EXPECT_EQ(folders.applicationsFolder(),
              program + sep + QStringLiteral("ficheros") + sep + QStringLiteral("temp") + sep);
    EXPECT_EQ(folders.programFile(QStringLiteral("usuarios.xml")),
              program + sep + QStringLiteral("usuarios.xml"));

    // A trailing separator does not double.
    const Folders trailing = Folders::fromProgramFolder(QStringLiteral("/opt/velantor/"));
    EXPECT_EQ(trailing.dataFolder(), folders.dataFolder());
    EXPECT_EQ(trailing.programFolder(), program);

    // Run from the root: one separator only.
    const Folders root = Folders::fromProgramFolder(QStringLiteral("/"));
    EXPECT_EQ(root.dataFolder(), sep + QStringLiteral("ficheros") + sep);
    EXPECT_EQ(root.programFile(QStringLiteral("conf.xml")), sep + QStringLiteral("conf.xml"));
}

TEST(Folders, RunningProgramUsesTheExecutableFolder) {
    const Folders folders = Folders::ofRunningProgram();
    EXPECT_EQ(QDir(folders.programFolder()), QDir(QCoreApplication::applicationDirPath()));
    EXPECT_TRUE(folders.dataFolder().startsWith(folders.programFolder()));
}
