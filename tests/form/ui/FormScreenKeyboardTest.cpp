// The windows on the most common office screen (1366x768, and the same logical size on a
// 200 % screen: ctest runs this executable on both), and the form by keyboard alone.
#include <functional>
#include <memory>

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "FormFixture.h"
#include "support/FormKeys.h"
#include "catalogues/ProgramRun.h"
#include "catalogues/ui/frmProgreso.h"
#include "document/ui/frmProgresoGeneral.h"
#include "form/ControlNames.h"
#include "platform/Folders.h"
#include "startup/RunValues.h"
#include "startup/SavedApplications.h"
#include "startup/UserRegistry.h"
#include "startup/ui/frmCreaPwd.h"
#include "startup/ui/frmSeleccion.h"
#include "startup/ui/frmUsuario.h"
#include "tables/Table.h"
#include "widgets/DataCombo.h"
#include "widgets/DataGrid.h"

using namespace velantor;
using namespace velantor::testing;

namespace {

QRect screenArea() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// The windows are made for 1366x768 logical pixels; a smaller test screen proves nothing.
bool officeScreen() {
    const QRect area = screenArea();
    return area.width() >= 1366 && area.height() >= 768;
}

void settle() {
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

// Shows every field that a rule hides until an answer asks for it.
void showEveryField(frmSolicitudes& w) {
    for (QStringView option :
         {QStringView(ctl::optDiscSi), QStringView(ctl::optPetConyugeSi), QStringView(ctl::optOtras),
          QStringView(ctl::OptSi), QStringView(ctl::optSSOtros), QStringView(ctl::optDefinitivo)})
        w.view().setChecked(option, true);
}

// The controls of `page` a person works with.
QList<QWidget*> workingControls(QWidget* page) {
    QList<QWidget*> controls;
    for (QWidget* c : page->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QLineEdit*>(c) || qobject_cast<DataCombo*>(c) ||
                             qobject_cast<DataGrid*>(c) || qobject_cast<QAbstractButton*>(c);
        if (control && c->isVisibleTo(page) && !c->objectName().isEmpty() &&
            !qobject_cast<DataCombo*>(c->parentWidget()))
            controls << c;
    }
    return controls;
}

// Whether `control` can be brought on screen: scrolled to where a scroll area holds it, it
// lies whole inside the window (a grid: at least a few rows of it), and the window lies
// inside the screen.
QString unreachable(QWidget* window, QWidget* control) {
    for (QWidget* up = control->parentWidget(); up; up = up->parentWidget())
        if (auto* area = qobject_cast<QScrollArea*>(up))
            area->ensureWidgetVisible(control, 8, 8);
    settle();
    const QRect seen = control->visibleRegion().boundingRect();
    const int need = qobject_cast<DataGrid*>(control) ? std::min(control->height(), 60) : control->height();
    if (seen.height() < need || seen.width() < std::min(control->width(), 40))
        return QStringLiteral("%1: visible %2x%3 of %4x%5")
            .arg(control->objectName())
            .arg(seen.width())
            .arg(seen.height())
            .arg(control->width())
            .arg(control->height());
    const QRect onScreen(control->mapToGlobal(seen.topLeft()), seen.size());
    if (!screenArea().contains(onScreen) || !window->frameGeometry().contains(onScreen))
        return control->objectName() + QStringLiteral(": off the screen");
    return {};
}

struct WindowCase {
    const char* name;
    std::function<std::unique_ptr<QWidget>(QTemporaryDir&)> make;
};

class WindowOnScreen : public ::testing::TestWithParam<WindowCase> {
protected:
    void SetUp() override {
        if (!officeScreen())
            GTEST_SKIP() << "screen smaller than 1366x768";
        QStandardPaths::setTestModeEnabled(true);
    }
};

RunValues& runValues() {
    static RunValues run;
    return run;
}
UserRegistry& registry() {
    static UserRegistry users;
    return users;
}

} // namespace

TEST_P(WindowOnScreen, OpensWithinTheAvailableArea) {
    QTemporaryDir dir;
    std::unique_ptr<QWidget> window = GetParam().make(dir);
    // The loading window starts its work when shown, and closes when it fails; where it
    // opens is known before.
    const QRect opened = window->geometry();
    EXPECT_TRUE(screenArea().contains(opened)) << GetParam().name;
    if (qstrcmp(GetParam().name, "loading") == 0)
        return;
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    settle();
    const QRect area = screenArea();
    EXPECT_TRUE(area.contains(window->frameGeometry()))
        << GetParam().name << ": window " << window->frameGeometry().width() << "x"
        << window->frameGeometry().height() << " on " << area.width() << "x" << area.height();
    for (QWidget* control : workingControls(window.get())) {
        const QString why = unreachable(window.get(), control);
        EXPECT_TRUE(why.isEmpty()) << GetParam().name << ": " << why.toStdString();
    }
    window->hide();
}

INSTANTIATE_TEST_SUITE_P(
    Windows, WindowOnScreen,
    ::testing::Values(
        WindowCase{"login",
                   [](QTemporaryDir& dir) -> std::unique_ptr<QWidget> {
                       return std::make_unique<frmUsuario>(registry(), dir.filePath(QStringLiteral("u.xml")),
                                                           runValues());
                   }},
        WindowCase{"password",
                   [](QTemporaryDir&) -> std::unique_ptr<QWidget> {
                       return std::make_unique<frmCreaPwd>(registry());
                   }},
        WindowCase{"selection",
                   [](QTemporaryDir& dir) -> std::unique_ptr<QWidget> {
                       TablePtr bodies = Table::create(QStringLiteral("rsCuerpos"),
                                                       {FieldDef::text(QStringLiteral("Grupo"), 1),
                                                        FieldDef::text(QStringLiteral("CodCuerpo"), 6),
                                                        FieldDef::text(QStringLiteral("DescCuerpo"), 100)});
                       const QString folder = dir.path() + QLatin1Char('/');
                       TablePtr list = ListarSolicitudes(folder, QStringLiteral("12345678Z"), *bodies);
                       return std::make_unique<frmSeleccion>(list, folder, bodies, runValues(),
                                                             frmSeleccion::Modo::Inicio);
                   }},
        WindowCase{"loading",
                   [](QTemporaryDir& dir) -> std::unique_ptr<QWidget> {
                       static RecordingMessageService messages;
                       static std::unique_ptr<catalogues::ProgramRun> run;
                       run = std::make_unique<catalogues::ProgramRun>(Folders::fromProgramFolder(dir.path()));
                       auto window = std::make_unique<catalogues::frmProgreso>(*run, messages);
                       return window;
                   }},
        WindowCase{"progress",
                   [](QTemporaryDir&) -> std::unique_ptr<QWidget> {
                       return std::make_unique<frmProgresoGeneral>();
                   }}),
    [](const ::testing::TestParamInfo<WindowCase>& info) { return std::string(info.param.name); });

// Every control of every tab can be reached on the screen, with every rule-hidden field shown.
TEST(FormOnScreen, EveryControlOfEveryTabIsReachable) {
    if (!officeScreen())
        GTEST_SKIP() << "screen smaller than 1366x768";
    QStandardPaths::setTestModeEnabled(true);
    FormFixture f;
    frmSolicitudes& w = f.form();
    f.fillIdentity();
    showEveryField(w);
    f.settle();
    EXPECT_TRUE(screenArea().contains(w.frameGeometry()))
        << "window " << w.frameGeometry().width() << "x" << w.frameGeometry().height() << "+"
        << w.frameGeometry().x() << "+" << w.frameGeometry().y() << " (minimum " << w.minimumSizeHint().width()
        << "x" << w.minimumSizeHint().height() << "), screen " << screenArea().width() << "x"
        << screenArea().height();
    for (int tab = 0; tab < w.tabs()->count(); ++tab) {
        w.tabs()->setCurrentIndex(tab);
        f.settle();
        const QList<QWidget*> controls = workingControls(w.tabs()->widget(tab));
        EXPECT_GT(controls.size(), 5) << "tab " << tab;
        for (QWidget* control : controls) {
            const QString why = unreachable(&w, control);
            EXPECT_TRUE(why.isEmpty()) << "tab " << tab << ": " << why.toStdString();
        }
    }
}

// Tab walks the first tab's fields in reading order (the personal data, the competition,
// then the professional data on the right) and comes round again: nothing traps it, and
// nothing of a hidden tab takes the focus.
TEST(FormKeyboard, TabWalksTheVisibleTabInReadingOrderWithoutATrap) {
    FormFixture f;
    frmSolicitudes& w = f.form();
    f.fillIdentity();
    w.lineEdit(ctl::txtApellido1)->setFocus(Qt::TabFocusReason);
    f.settle();
    QStringList visited;
    QWidget* page = w.tabs()->widget(0);
    for (int i = 0; i < 300; ++i) {
        press(Qt::Key_Tab);
        const QString name = focusedControl(w);
        QWidget* control = name.isEmpty() ? nullptr : w.control(name);
        if (control && control != w.tabs() && w.tabs()->isAncestorOf(control)) {
            EXPECT_TRUE(page->isAncestorOf(control)) << name.toStdString() << " of a hidden tab, after "
                                                      << visited.join(u' ').toStdString();
        }
        if (name == ctl::txtApellido1)
            break;
        if (!name.isEmpty() && !visited.contains(name))
            visited << name;
    }
    EXPECT_EQ(focusedControl(w), ctl::name(ctl::txtApellido1)) << "Tab never came back: " << visited.join(u' ').toStdString();
    const QStringList reading{ctl::name(ctl::txtApellido2),    ctl::name(ctl::txtNombre),
                              ctl::name(ctl::txtDNI),          ctl::name(ctl::txtFecNacimiento),
                              ctl::name(ctl::txtTelefono),     ctl::name(ctl::txtDomicilio),
                              ctl::name(ctl::txtLocalidad),    ctl::name(ctl::cboProvincia),
                              ctl::name(ctl::txtCP),           ctl::name(ctl::cboPrefArea),
                              ctl::name(ctl::cboPrefProvincia), ctl::name(ctl::cboPrefLocalidad),
                              ctl::name(ctl::cboCuerpo),       ctl::name(ctl::cboGrupo),
                              ctl::name(ctl::txtNRP),          ctl::name(ctl::txtFechaIngreso),
                              ctl::name(ctl::txtProvAct),      ctl::name(ctl::txtZBSAct),
                              ctl::name(ctl::txtInstiAct)};
    qsizetype last = -1;
    for (const QString& name : reading) {
        const qsizetype at = visited.indexOf(name);
        EXPECT_GT(at, last) << name.toStdString() << " out of reading order in " << visited.join(u' ').toStdString();
        last = std::max(last, at);
    }
}

// A round by keyboard alone: a list opened with Alt+Down and F4 and chosen with Enter, the
// tabs changed with Ctrl+Tab and Ctrl+PageDown/PageUp, a menu command by its Alt letter.
TEST(FormKeyboard, ListsTabsAndMenuByKeyboardAlone) {
    FormFixture f;
    frmSolicitudes& w = f.form();
    f.fillIdentity();
    w.lineEdit(ctl::txtApellido1)->setFocus(Qt::TabFocusReason);
    f.settle();

    for (Qt::Key opener : {Qt::Key_Down, Qt::Key_F4}) {
        ASSERT_TRUE(tabTo(w, ctl::cboProvincia));
        DataCombo* province = w.combo(ctl::cboProvincia);
        press(opener, opener == Qt::Key_Down ? Qt::AltModifier : Qt::NoModifier);
        ASSERT_TRUE(province->isPopupVisible()) << "opened with key " << int(opener);
        press(Qt::Key_Down);
        press(Qt::Key_Return);
        EXPECT_FALSE(province->isPopupVisible());
        EXPECT_FALSE(province->text().isEmpty());
        press(Qt::Key_Tab);
    }

    ASSERT_TRUE(tabTo(w, ctl::txtNombre));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("ANA"));
    EXPECT_EQ(w.lineEdit(ctl::txtNombre)->text(), QStringLiteral("ANA"));
    press(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(w.tabs()->currentIndex(), 1);
    press(Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(w.tabs()->currentIndex(), 2);
    // The focus goes into the tab shown, and Tab stays within it.
    press(Qt::Key_Tab);
    const QString inTab = focusedControl(w);
    ASSERT_FALSE(inTab.isEmpty());
    EXPECT_TRUE(w.tabs()->widget(2)->isAncestorOf(w.control(inTab))) << inTab.toStdString();
    press(Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(w.tabs()->currentIndex(), 1);

    // "Salir" by Alt+S asks about saving; Cancel keeps the window.
    const size_t before = f.messages.messages().size();
    f.messages.enqueue(MessageAnswer::Cancel);
    press(Qt::Key_S, Qt::AltModifier);
    ASSERT_EQ(f.messages.messages().size(), before + 1);
    EXPECT_TRUE(f.messages.messages().back().text.contains(QStringLiteral("se cerrará")));
    EXPECT_TRUE(w.isVisible());
}

// Every field a person fills is announced with its label: the label's buddy is the field.
TEST(FormKeyboard, EveryLabelledFieldIsItsLabelsBuddy) {
    FormFixture f;
    frmSolicitudes& w = f.form();
    f.fillIdentity();
    showEveryField(w);
    f.settle();
    QSet<QWidget*> buddies;
    for (QLabel* label : w.findChildren<QLabel*>())
        if (label->buddy())
            buddies.insert(label->buddy());
    // Fields that continue the line of an option and are named by it.
    const QSet<QString> followOption{ctl::name(ctl::txtSitAdm), ctl::name(ctl::txtSS)};
    int checked = 0;
    for (int tab = 0; tab < w.tabs()->count(); ++tab) {
        w.tabs()->setCurrentIndex(tab);
        f.settle();
        for (QWidget* control : workingControls(w.tabs()->widget(tab))) {
            if (qobject_cast<QAbstractButton*>(control) || followOption.contains(control->objectName()))
                continue;
            ++checked;
            EXPECT_TRUE(buddies.contains(control)) << "tab " << tab << ": " << control->objectName().toStdString();
            EXPECT_FALSE(control->accessibleName().isEmpty()) << control->objectName().toStdString();
        }
    }
    EXPECT_GT(checked, 40);
}
