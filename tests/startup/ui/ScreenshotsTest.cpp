#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTemporaryDir>

#include "StartupWindowTest.h"
#include "startup/RunValues.h"
#include "startup/SavedApplications.h"
#include "startup/UserRegistry.h"
#include "startup/ui/frmCreaPwd.h"
#include "startup/ui/frmSeleccion.h"
#include "startup/ui/frmUsuario.h"
#include "widgets/DataCombo.h"

using namespace velantor;

// Pictures of the start-up windows for the documentation. Taken only when
// VELANTOR_SCREENSHOT_DIR names the folder to write them to, under Xvfb so that fonts
// and style are those of a real desktop:
//   VELANTOR_SCREENSHOT_DIR=docs/screenshots QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24"
//   build/bin/test_startup_ui --gtest_filter='Screenshots*'
namespace {

class Screenshots : public StartupWindowTest {
protected:
    void SetUp() override {
        m_target = qEnvironmentVariable("VELANTOR_SCREENSHOT_DIR");
        if (m_target.isEmpty())
            GTEST_SKIP() << "VELANTOR_SCREENSHOT_DIR not set";
        StartupWindowTest::SetUp();
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir().mkpath(m_target));
    }
    void save(const QPixmap& picture, const QString& name) {
        ASSERT_FALSE(picture.isNull());
        const QString path = QDir(m_target).filePath(name);
        ASSERT_TRUE(picture.save(path, "PNG")) << path.toStdString();
        EXPECT_GT(QFile(path).size(), 1000);
    }
    // Without a window manager a window is never activated; being drawn is enough here.
    static void showDrawn(QWidget& window) {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    // The screen area of a window and of the pop-ups over it.
    static QPixmap grabArea(const QRect& area) {
        QScreen* screen = QGuiApplication::primaryScreen();
        return screen->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    }

    QString m_target;
    QTemporaryDir m_dir;
    RunValues m_run;
};

} // namespace

TEST_F(Screenshots, LoginPasswordAndSelection) {
    UserRegistry registry;
    const QString registryPath = m_dir.filePath(QStringLiteral("usuarios.xml"));
    {
        frmUsuario login(registry, registryPath, m_run);
        showDrawn(login);
        settle();
        QTest::keyClicks(login.txtDNI(), QStringLiteral("12345678"));
        settle();
        save(login.grab(), QStringLiteral("login.png"));
    }
    {
        ASSERT_TRUE(registry.AltaUsuario(QStringLiteral("12345678Z"), QStringLiteral("SECRETO")));
        frmUsuario login(registry, registryPath, m_run);
        showDrawn(login);
        settle();
        QTest::keyClicks(login.txtDNI(), QStringLiteral("12345678"));
        QTest::keyClick(login.txtDNI(), Qt::Key_Z);
        settle();
        QTest::keyClick(login.cmdAceptarDNI(), Qt::Key_Space);
        ASSERT_TRUE(login.pasoContrasena());
        QTest::keyClicks(login.txtPwd(), QStringLiteral("secreto"));
        settle();
        save(login.grab(), QStringLiteral("login-password.png"));
    }
    {
        frmCreaPwd password(registry);
        password.setStrDNI(QStringLiteral("12345678Z"));
        showDrawn(password);
        settle();
        QTest::keyClicks(password.txtPwd(0), QStringLiteral("secreto"));
        settle();
        save(password.grab(), QStringLiteral("password.png"));
    }
    {
        TablePtr bodies =
            Table::create(QStringLiteral("rsCuerpos"), {FieldDef::text(QStringLiteral("Grupo"), 1),
                                                        FieldDef::text(QStringLiteral("CodCuerpo"), 6),
                                                        FieldDef::text(QStringLiteral("DescCuerpo"), 100)});
        const QList<QStringList> rows{
            {QStringLiteral("A"), QStringLiteral("00101"),
             QStringLiteral("Facultativo/a Especialista de Área de Alergología")},
            {QStringLiteral("B"), QStringLiteral("00504"), QStringLiteral("Enfermero/a")},
            {QStringLiteral("C"), QStringLiteral("00611"),
             QStringLiteral("Técnico/a Superior en Radioterapia")}};
        for (const QStringList& row : rows) {
            bodies->addRow();
            for (int f = 0; f < 3; ++f)
                bodies->setText(f, row.at(f));
        }
        const QString folder = m_dir.path() + QDir::separator();
        for (const char* name : {"12345678Z_001010A.doc", "12345678Z_005040B.doc", "12345678Z_006110C.doc"}) {
            QFile file(m_dir.filePath(QString::fromLatin1(name)));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        frmSeleccion selection(ListarSolicitudes(folder, QStringLiteral("12345678Z"), *bodies), folder,
                               bodies, m_run, frmSeleccion::Modo::Inicio);
        showDrawn(selection);
        selection.move(40, 40);
        settle();
        save(selection.grab(), QStringLiteral("selection.png"));

        selection.cboSolicitudes()->lineEdit()->setFocus();
        selection.cboSolicitudes()->showPopup();
        settle();
        QTest::qWait(100);
        const QRect area = selection.frameGeometry().united(
            selection.cboSolicitudes()->popupView()->window()->frameGeometry());
        save(grabArea(area.adjusted(-8, -8, 8, 8)), QStringLiteral("selection-list.png"));
        selection.cboSolicitudes()->hidePopup();
    }
}
