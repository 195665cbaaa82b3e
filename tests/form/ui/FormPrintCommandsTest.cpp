#include <QAction>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "FormFixture.h"
#include "form/ControlNames.h"
#include "widgets/DataCombo.h"

// The document commands stay disabled for the whole of a print, whatever the user does
// meanwhile that enables them outside a print.

using namespace velantor;
using namespace velantor::testing;

namespace {

enum class Move { ChangeTab, LeaveBody, LeaveGroup, LeaveDni };

bool printOrSaveEnabled(frmSolicitudes& w) {
    return w.menuItem(frmSolicitudes::Imprimir)->isEnabled() ||
           w.menuItem(frmSolicitudes::Guardar)->isEnabled();
}

class PrintUnderWay : public ::testing::TestWithParam<Move> {
protected:
    frmSolicitudes& w() { return f.form(); }

    // Identity number, body and group by the keyboard, as the user fills them in.
    void fillIdentityByKeys() {
        f.typeAndLeave("txtDNI", QStringLiteral("12345678Z"));
        QLineEdit* body = w().combo(ctl::cboCuerpo)->lineEdit();
        body->setFocus(Qt::TabFocusReason);
        f.settle();
        QTest::keyClicks(body, QStringLiteral("00101"));
        QTest::keyClick(body, Qt::Key_Tab);
        f.settle();
    }
    // Gives a list the focus and leaves it with the Tab key.
    void leave(QStringView list) {
        QLineEdit* edit = w().combo(list)->lineEdit();
        edit->setFocus(Qt::TabFocusReason);
        f.settle();
        QTest::keyClick(edit, Qt::Key_Tab);
        f.settle();
    }
    void move(Move what) {
        switch (what) {
        case Move::ChangeTab: {
            QTabBar* bar = w().tabs()->tabBar();
            const int next = w().tabs()->currentIndex() == 2 ? 3 : 2;
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(next).center());
            f.settle();
            ASSERT_EQ(w().tabs()->currentIndex(), next);
            break;
        }
        case Move::LeaveBody:
            leave(ctl::cboCuerpo);
            break;
        case Move::LeaveGroup:
            // The group of body 00101 is locked; a body of the user's group would open it.
            w().combo(ctl::cboGrupo)->setEnabled(true);
            leave(ctl::cboGrupo);
            break;
        case Move::LeaveDni:
            f.typeAndLeave("txtDNI", QStringLiteral("12345678Z"));
            break;
        }
    }

    FormFixture f;
};

INSTANTIATE_TEST_SUITE_P(EachMove, PrintUnderWay,
                         ::testing::Values(Move::ChangeTab, Move::LeaveBody, Move::LeaveGroup,
                                           Move::LeaveDni),
                         [](const auto& info) {
                             switch (info.param) {
                             case Move::ChangeTab:
                                 return "ChangeTab";
                             case Move::LeaveBody:
                                 return "LeaveBody";
                             case Move::LeaveGroup:
                                 return "LeaveGroup";
                             case Move::LeaveDni:
                                 break;
                             }
                             return "LeaveDni";
                         });

} // namespace

TEST_P(PrintUnderWay, KeepsTheDocumentCommandsDisabledUntilThePrintHasEnded) {
    fillIdentityByKeys();
    ASSERT_TRUE(printOrSaveEnabled(w())) << "identity, body and group are filled in";

    w().printTimer()->setInterval(60000);
    w().startPrintTimer();
    ASSERT_FALSE(printOrSaveEnabled(w()));
    move(GetParam());
    EXPECT_FALSE(printOrSaveEnabled(w()));
    EXPECT_FALSE(w().menuItem(frmSolicitudes::CargarOtra)->isEnabled());

    // The print ends: the commands come back, and the same move keeps them.
    w().printTimer()->start(1);
    QTRY_VERIFY_WITH_TIMEOUT(printOrSaveEnabled(w()), 5000);
    move(GetParam());
    EXPECT_TRUE(printOrSaveEnabled(w()));
    EXPECT_TRUE(f.messages.empty());
}
