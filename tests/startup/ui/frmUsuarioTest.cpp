#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "AccessibleTree.h"
#include "StartupWindowTest.h"
#include "startup/RunValues.h"
#include "startup/UserRegistry.h"
#include "startup/ui/frmUsuario.h"

using namespace velantor;

namespace {

class frmUsuarioTest : public StartupWindowTest {
protected:
    void SetUp() override {
        StartupWindowTest::SetUp();
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("usuarios.xml"));
    }
    // A registry in which these numbers have the password "SECRETO".
    void registerUsers(const QStringList& dnis) {
        UserRegistry writer;
        ASSERT_TRUE(writer.CargarUsuarios(m_path));
        for (const QString& dni : dnis)
            ASSERT_TRUE(writer.AltaUsuario(dni, QStringLiteral("SECRETO")));
    }
    std::unique_ptr<frmUsuario> open() {
        auto window = std::make_unique<frmUsuario>(m_registry, m_path, m_run);
        showActive(*window);
        settle();
        return window;
    }
    void expectVelantorMessage(const Message& m, const QString& text) {
        EXPECT_EQ(m.text, text);
        EXPECT_EQ(m.title, QStringLiteral("Velantor"));
        EXPECT_EQ(m.icon, MessageIcon::Exclamation);
    }

    QTemporaryDir m_dir;
    QString m_path;
    UserRegistry m_registry;
    RunValues m_run;
};

} // namespace

TEST_F(frmUsuarioTest, OpensOnTheIdentityStepWithItsCaptions) {
    auto w = open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Validación de usuario"));
    EXPECT_TRUE(w->registroCargado());
    EXPECT_TRUE(w->txtDNI()->hasFocus());
    EXPECT_TRUE(w->txtDNI()->text().isEmpty());
    EXPECT_FALSE(w->txtPwd()->isVisible());
    EXPECT_FALSE(w->lblPwd()->isVisible());
    EXPECT_FALSE(w->cmdAceptarPwd()->isVisible());
    EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("lblDNI"))->text().remove(u'&'), QStringLiteral("NIF"));
    EXPECT_EQ(w->lblPwd()->text().remove(u'&'), QStringLiteral("Contraseña"));
    EXPECT_EQ(w->cmdSalir()->text().remove(u'&'), QStringLiteral("Salir"));
    EXPECT_EQ(w->cmdAceptarDNI()->text().remove(u'&'), QStringLiteral("Aceptar"));
    EXPECT_EQ(w->txtPwd()->echoMode(), QLineEdit::Password);
}

TEST_F(frmUsuarioTest, UnregisteredNumberTypedInLowerCaseLogsInWithoutPassword) {
    registerUsers({QStringLiteral("00000000T")});
    auto w = open();
    QTest::keyClicks(w->txtDNI(), QStringLiteral("12.345.678-z"));
    settle();
    // Nine characters moved the focus on, and leaving checked and normalised the number.
    EXPECT_TRUE(w->cmdAceptarDNI()->hasFocus());
    EXPECT_EQ(w->txtDNI()->text(), QStringLiteral("12345678Z"));
    QTest::keyClick(w->cmdAceptarDNI(), Qt::Key_Return);

    EXPECT_EQ(w->result(), QDialog::Accepted);
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(m_run.UsuarioValidado);
    EXPECT_FALSE(m_run.UsuarioConPwd);
    EXPECT_EQ(m_run.DNIUsuario, QStringLiteral("12345678Z"));
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(frmUsuarioTest, PastedSeparatorsAreDropped) {
    auto w = open();
    w->txtDNI()->insert(QStringLiteral("1.234-5,678z"));
    EXPECT_EQ(w->txtDNI()->text(), QStringLiteral("12345678z"));
}

TEST_F(frmUsuarioTest, RegisteredNumberNeedsItsPasswordWhateverTheCase) {
    registerUsers({QStringLiteral("12345678Z")});
    auto w = open();
    QTest::keyClicks(w->txtDNI(), QStringLiteral("12345678z"));
    settle();
    QTest::keyClick(w->cmdAceptarDNI(), Qt::Key_Return);
    settle();

    ASSERT_TRUE(w->pasoContrasena());
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->txtPwd()->isVisible());
    EXPECT_TRUE(w->lblPwd()->isVisible());
    EXPECT_TRUE(w->cmdAceptarPwd()->isVisible());
    EXPECT_FALSE(w->txtDNI()->isEnabled());
    EXPECT_TRUE(w->txtPwd()->hasFocus());
    EXPECT_TRUE(m_run.UsuarioConPwd);
    EXPECT_FALSE(m_run.UsuarioValidado);

    QTest::keyClick(w->txtPwd(), Qt::Key_Return);
    ASSERT_EQ(m_messages.messages().size(), 1u);
    expectVelantorMessage(m_messages.last(), QStringLiteral("Es obligatorio rellenar Usuario y Password"));

    QTest::keyClicks(w->txtPwd(), QStringLiteral("secret"));
    QTest::keyClick(w->txtPwd(), Qt::Key_Return);
    ASSERT_EQ(m_messages.messages().size(), 2u);
    expectVelantorMessage(m_messages.last(), QStringLiteral("Usuario no válido"));
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->txtPwd()->text(), QStringLiteral("secret"));
    EXPECT_FALSE(m_run.UsuarioValidado);

    // The wrong password is selected: typing replaces it.
    QTest::keyClicks(w->txtPwd(), QStringLiteral("secreto"));
    QTest::keyClick(w->txtPwd(), Qt::Key_Return);
    EXPECT_EQ(w->result(), QDialog::Accepted);
    EXPECT_TRUE(m_run.UsuarioValidado);
    EXPECT_TRUE(m_run.UsuarioConPwd);
    EXPECT_EQ(m_run.DNIUsuario, QStringLiteral("12345678Z"));
    EXPECT_EQ(m_messages.messages().size(), 2u);
}

TEST_F(frmUsuarioTest, EightCharacterNumberIsPaddedBeforeTheLookUp) {
    registerUsers({QStringLiteral("01234567L")});
    auto w = open();
    QTest::keyClicks(w->txtDNI(), QStringLiteral("1234567l"));
    QTest::keyClick(w->txtDNI(), Qt::Key_Return);
    EXPECT_EQ(w->txtDNI()->text(), QStringLiteral("01234567L"));
    EXPECT_TRUE(w->pasoContrasena());
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(frmUsuarioTest, InvalidNumberAcceptedIsReportedTwiceAndChangesNothing) {
    auto w = open();
    QTest::keyClicks(w->txtDNI(), QStringLiteral("1234567Y"));
    QTest::keyClick(w->txtDNI(), Qt::Key_Return);
    ASSERT_EQ(messageTexts(), (QStringList{QStringLiteral("DNI no válido"),
                                           QStringLiteral("El DNI introducido no es válido")}));
    expectVelantorMessage(m_messages.last(), QStringLiteral("El DNI introducido no es válido"));
    EXPECT_EQ(w->txtDNI()->text(), QStringLiteral("01234567Y")); // the padding stays
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(w->pasoContrasena());
    EXPECT_FALSE(m_run.UsuarioValidado);
    EXPECT_TRUE(m_run.DNIUsuario.isEmpty());
}

TEST_F(frmUsuarioTest, LeavingTheFieldWithAnInvalidNumberClearsItAndKeepsTheFocus) {
    auto w = open();
    QTest::keyClicks(w->txtDNI(), QStringLiteral("12345678A"));
    settle();
    ASSERT_EQ(m_messages.messages().size(), 1u);
    EXPECT_EQ(m_messages.last().text, QStringLiteral("DNI no válido"));
    EXPECT_EQ(m_messages.last().title, QStringLiteral("Error en DNI"));
    EXPECT_TRUE(w->txtDNI()->text().isEmpty());
    EXPECT_TRUE(w->txtDNI()->hasFocus());

    // Back in the field with a text: it is all selected, ready to be typed over.
    QTest::keyClicks(w->txtDNI(), QStringLiteral("1234"));
    w->cmdSalir()->setFocus(Qt::TabFocusReason);
    settle();
    w->txtDNI()->setFocus(Qt::BacktabFocusReason);
    settle();
    EXPECT_EQ(w->txtDNI()->selectedText(), QStringLiteral("1234"));
}

TEST_F(frmUsuarioTest, SalirLeavesWithoutCheckingTheNumber) {
    auto w = open();
    QTest::keyClicks(w->txtDNI(), QStringLiteral("123"));
    // A user's click: the focus moves on the press, and time passes before the release.
    QTest::mousePress(w->cmdSalir(), Qt::LeftButton);
    settle();
    QTest::mouseRelease(w->cmdSalir(), Qt::LeftButton);
    settle();
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(w->result(), QDialog::Rejected);
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(m_run.UsuarioValidado);
    EXPECT_TRUE(m_run.DNIUsuario.isEmpty());
}

TEST_F(frmUsuarioTest, SalirFromThePasswordStepAndEscapeLeaveUnvalidated) {
    registerUsers({QStringLiteral("12345678Z")});
    auto w = open();
    QTest::keyClicks(w->txtDNI(), QStringLiteral("12345678Z"));
    settle();
    QTest::keyClick(w->cmdAceptarDNI(), Qt::Key_Space);
    ASSERT_TRUE(w->pasoContrasena());
    QTest::keyClicks(w->txtPwd(), QStringLiteral("secreto"));
    QTest::keyClick(w->cmdSalir(), Qt::Key_Space);
    EXPECT_EQ(w->result(), QDialog::Rejected);
    EXPECT_FALSE(m_run.UsuarioValidado);

    RunValues other;
    frmUsuario second(m_registry, m_path, other);
    showActive(second);
    QTest::keyClicks(second.txtDNI(), QStringLiteral("1234"));
    QTest::keyClick(second.txtDNI(), Qt::Key_Escape);
    settle();
    EXPECT_EQ(second.result(), QDialog::Rejected);
    EXPECT_TRUE(m_messages.empty());
    EXPECT_FALSE(other.UsuarioValidado);
}

TEST_F(frmUsuarioTest, EveryFocusableControlHasASpanishName) {
    registerUsers({QStringLiteral("12345678Z")});
    auto w = open();
    EXPECT_EQ(unnamedFocusableControls(*w), QStringList());
    EXPECT_TRUE(focusableControls(*w).contains(QStringLiteral("txtDNI")));

    QTest::keyClicks(w->txtDNI(), QStringLiteral("12345678Z"));
    settle();
    QTest::keyClick(w->cmdAceptarDNI(), Qt::Key_Return);
    ASSERT_TRUE(w->pasoContrasena());
    EXPECT_EQ(unnamedFocusableControls(*w), QStringList());
    EXPECT_TRUE(focusableControls(*w).contains(QStringLiteral("txtPwd")));
}
