#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/SafeFile.h"
#include "startup/PasswordChange.h"
#include "startup/UserRegistry.h"

using namespace velantor;

namespace {

const QString kShort = QStringLiteral("El password debe tener al menos 6 caracteres");
const QString kDifferent = QStringLiteral("Escriba la misma contraseña en las dos casillas");

} // namespace

TEST(NewPassword, LengthAndEqualityRules) {
    EXPECT_EQ(newPasswordProblem(QStringLiteral("abcdef"), QStringLiteral("abcdef")), QString());
    EXPECT_EQ(newPasswordProblem(QStringLiteral("abcde"), QStringLiteral("abcde")), kShort);
    EXPECT_EQ(newPasswordProblem(QStringLiteral("abcdef"), QStringLiteral("abcde")), kShort);
    EXPECT_EQ(newPasswordProblem(QString(), QString()), kShort);
    // Equal in the registry's eyes, but typed differently: refused.
    EXPECT_EQ(newPasswordProblem(QStringLiteral("abcdef"), QStringLiteral("ABCDEF")), kDifferent);
    EXPECT_EQ(newPasswordProblem(QStringLiteral("abcdefg"), QStringLiteral("abcdefh")), kDifferent);
}

TEST(NewPassword, AcceptingReplacesTheEntryOrReportsWhyNot) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("usuarios.xml"));
    UserRegistry registry;
    registry.CargarUsuarios(path);
    const QString dni = QStringLiteral("12345678Z");

    PasswordChange change =
        acceptNewPassword(registry, dni, QStringLiteral("abcde"), QStringLiteral("abcde"));
    EXPECT_EQ(change.outcome, PasswordChangeOutcome::Refused);
    EXPECT_EQ(change.message, kShort);
    EXPECT_FALSE(QFile::exists(path)); // a refused pair writes nothing

    change = acceptNewPassword(registry, dni, QStringLiteral("primera"), QStringLiteral("primera"));
    EXPECT_EQ(change.outcome, PasswordChangeOutcome::Stored);
    change = acceptNewPassword(registry, dni, QStringLiteral("segunda"), QStringLiteral("segunda"));
    EXPECT_EQ(change.outcome, PasswordChangeOutcome::Stored);
    EXPECT_EQ(registry.entryCount(), 1);
    EXPECT_TRUE(registry.ComprobarUsuario(dni, QStringLiteral("SEGUNDA")));

    setWriteFaultHook([](const QString&, WriteStage stage) { return stage == WriteStage::Write; });
    change = acceptNewPassword(registry, dni, QStringLiteral("tercera"), QStringLiteral("tercera"));
    setWriteFaultHook({});
    EXPECT_EQ(change.outcome, PasswordChangeOutcome::NotSaved);
    EXPECT_TRUE(change.message.contains(QStringLiteral("usuarios.xml")));
    EXPECT_TRUE(registry.ComprobarUsuario(dni, QStringLiteral("segunda")));
}
