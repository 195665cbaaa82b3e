#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "AccessibleTree.h"
#include "StartupWindowTest.h"
#include "platform/SafeFile.h"
#include "startup/UserRegistry.h"
#include "startup/Validacion.h"
#include "startup/ui/frmCreaPwd.h"

using namespace velantor;

namespace {

const QString kDni = QStringLiteral("12345678Z");
const QString kOther = QStringLiteral("00000000T");

class frmCreaPwdTest : public StartupWindowTest {
protected:
    void SetUp() override {
        StartupWindowTest::SetUp();
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("usuarios.xml"));
        ASSERT_TRUE(m_registry.CargarUsuarios(m_path));
    }
    void TearDown() override {
        setWriteFaultHook({});
        StartupWindowTest::TearDown();
    }
    std::unique_ptr<frmCreaPwd> open() {
        auto window = std::make_unique<frmCreaPwd>(m_registry);
        window->setStrDNI(kDni);
        showActive(*window);
        return window;
    }
    static void type(frmCreaPwd& w, const QString& first, const QString& second) {
        QTest::keyClicks(w.txtPwd(0), first);
        QTest::keyClick(w.txtPwd(0), Qt::Key_Return); // on to the repetition
        QTest::keyClicks(w.txtPwd(1), second);
        QTest::keyClick(w.txtPwd(1), Qt::Key_Return); // accepts
    }
    QByteArray fileBytes() const {
        QFile file(m_path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The DNI digests of the registry file, in file order.
    QStringList fileDnis() const {
        QStringList digests;
        static const QRegularExpression dni(QStringLiteral("<DNI>([0-9A-F]{64})</DNI>"));
        for (const QRegularExpressionMatch& m : dni.globalMatch(QString::fromUtf8(fileBytes())))
            digests << m.captured(1);
        return digests;
    }
    void expectPlainMessage(const QString& text) {
        ASSERT_FALSE(m_messages.empty());
        EXPECT_EQ(m_messages.last().text, text);
        EXPECT_TRUE(m_messages.last().title.isEmpty());
        EXPECT_EQ(m_messages.last().icon, MessageIcon::None);
        EXPECT_EQ(m_messages.last().buttons, MessageButtons::Ok);
    }

    QTemporaryDir m_dir;
    QString m_path;
    UserRegistry m_registry;
};

} // namespace

TEST_F(frmCreaPwdTest, ShowsTwoPasswordFieldsUnderTheirLabels) {
    auto w = open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Contraseña"));
    EXPECT_EQ(w->strDNI(), kDni);
    for (int i = 0; i < 2; ++i) {
        ASSERT_NE(w->findChild<QLineEdit*>(QStringLiteral("txtPwd_%1").arg(i)), nullptr);
        EXPECT_EQ(w->txtPwd(i)->echoMode(), QLineEdit::Password);
    }
    EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("lblPwd_0"))->text().remove(u'&'),
              QStringLiteral("Contraseña"));
    EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("lblPwd_1"))->text().remove(u'&'),
              QStringLiteral("Repita la Contraseña"));
    EXPECT_EQ(w->cmdAceptar()->text().remove(u'&'), QStringLiteral("Aceptar"));
    EXPECT_EQ(w->cmdSalir()->text().remove(u'&'), QStringLiteral("Salir"));
    EXPECT_TRUE(w->txtPwd(0)->hasFocus());
    EXPECT_EQ(unnamedFocusableControls(*w), QStringList());
    EXPECT_EQ(focusableControls(*w).size(), 4);
}

TEST_F(frmCreaPwdTest, ShortOrDifferentPasswordsAreRefusedAndTheFieldsEmptied) {
    auto w = open();
    type(*w, QStringLiteral("abcde"), QStringLiteral("abcde"));
    expectPlainMessage(QStringLiteral("El password debe tener al menos 6 caracteres"));
    EXPECT_TRUE(w->txtPwd(0)->text().isEmpty());
    EXPECT_TRUE(w->txtPwd(1)->text().isEmpty());
    EXPECT_TRUE(w->isVisible());

    type(*w, QStringLiteral("abcdef"), QStringLiteral("abcde"));
    expectPlainMessage(QStringLiteral("El password debe tener al menos 6 caracteres"));

    // Compared exactly, although the registry later ignores case.
    type(*w, QStringLiteral("abcdef"), QStringLiteral("ABCDEF"));
    expectPlainMessage(QStringLiteral("Escriba la misma contraseña en las dos casillas"));
    EXPECT_TRUE(w->txtPwd(0)->text().isEmpty());
    EXPECT_TRUE(w->txtPwd(1)->text().isEmpty());
    EXPECT_TRUE(w->txtPwd(0)->hasFocus());

    EXPECT_EQ(m_messages.messages().size(), 3u);
    EXPECT_FALSE(w->guardada());
    EXPECT_EQ(m_registry.entryCount(), 0);
    EXPECT_FALSE(QFile::exists(m_path));
}

TEST_F(frmCreaPwdTest, ChangingAPasswordLeavesOneEntryPlacedLast) {
    ASSERT_TRUE(m_registry.AltaUsuario(kDni, QStringLiteral("ANTIGUA")));
    ASSERT_TRUE(m_registry.AltaUsuario(kOther, QStringLiteral("OTRAOTRA")));
    auto w = open();
    type(*w, QStringLiteral("abcdef"), QStringLiteral("abcdef"));

    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(w->result(), QDialog::Accepted);
    EXPECT_TRUE(w->guardada());
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(fileDnis(), (QStringList{HashTexto(kOther), HashTexto(kDni)}));

    UserRegistry reread;
    ASSERT_TRUE(reread.CargarUsuarios(m_path));
    EXPECT_TRUE(reread.ComprobarUsuario(kDni, QStringLiteral("ABCDEF")));
    EXPECT_TRUE(reread.ComprobarUsuario(kDni, QStringLiteral("abcdef")));
    EXPECT_FALSE(reread.ComprobarUsuario(kDni, QStringLiteral("ANTIGUA")));
    EXPECT_TRUE(reread.ComprobarUsuario(kOther, QStringLiteral("OTRAOTRA")));
}

TEST_F(frmCreaPwdTest, SalirKeepsTheOldPasswordOrNone) {
    auto first = open();
    QTest::keyClicks(first->txtPwd(0), QStringLiteral("abcdef"));
    QTest::keyClick(first->cmdSalir(), Qt::Key_Space);
    EXPECT_EQ(first->result(), QDialog::Rejected);
    EXPECT_FALSE(QFile::exists(m_path));

    ASSERT_TRUE(m_registry.AltaUsuario(kDni, QStringLiteral("ANTIGUA")));
    const QByteArray before = fileBytes();
    auto second = open();
    QTest::keyClicks(second->txtPwd(0), QStringLiteral("nuevanueva"));
    QTest::keyClicks(second->txtPwd(1), QStringLiteral("nuevanueva"));
    QTest::mouseClick(second->cmdSalir(), Qt::LeftButton);
    EXPECT_EQ(second->result(), QDialog::Rejected);
    EXPECT_FALSE(second->guardada());
    EXPECT_EQ(fileBytes(), before);
    EXPECT_TRUE(m_registry.ComprobarUsuario(kDni, QStringLiteral("antigua")));
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(frmCreaPwdTest, RegistryThatCannotBeWrittenIsReportedAndTheWindowStaysOpen) {
    ASSERT_TRUE(m_registry.AltaUsuario(kDni, QStringLiteral("ANTIGUA")));
    const QByteArray before = fileBytes();
    setWriteFaultHook([](const QString&, WriteStage stage) { return stage == WriteStage::Commit; });

    auto w = open();
    type(*w, QStringLiteral("abcdef"), QStringLiteral("abcdef"));
    ASSERT_EQ(m_messages.messages().size(), 1u);
    EXPECT_TRUE(m_messages.last().text.startsWith(QStringLiteral("No se ha podido guardar la contraseña.")));
    EXPECT_EQ(m_messages.last().title, QStringLiteral("Contraseña"));
    EXPECT_EQ(m_messages.last().icon, MessageIcon::Critical);
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(w->guardada());
    EXPECT_EQ(w->txtPwd(0)->text(), QStringLiteral("abcdef")); // nothing to type again
    EXPECT_EQ(fileBytes(), before);
    EXPECT_TRUE(m_registry.ComprobarUsuario(kDni, QStringLiteral("ANTIGUA")));

    setWriteFaultHook({});
    QTest::mouseClick(w->cmdAceptar(), Qt::LeftButton);
    EXPECT_TRUE(w->guardada());
    EXPECT_TRUE(m_registry.ComprobarUsuario(kDni, QStringLiteral("ABCDEF")));
}

TEST_F(frmCreaPwdTest, EveryOpeningStartsWithEmptyFields) {
    frmCreaPwd w(m_registry);
    w.setStrDNI(kDni);
    showActive(w);
    QTest::keyClicks(w.txtPwd(0), QStringLiteral("abc"));
    QTest::keyClicks(w.txtPwd(1), QStringLiteral("abc"));
    w.reject();
    showActive(w);
    EXPECT_TRUE(w.txtPwd(0)->text().isEmpty());
    EXPECT_TRUE(w.txtPwd(1)->text().isEmpty());
}
