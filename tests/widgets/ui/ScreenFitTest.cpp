#include <QSettings>
#include <QStandardPaths>
#include <QWidget>

#include <gtest/gtest.h>

#include "widgets/ScreenFit.h"

using namespace velantor;

namespace {

struct FitCase {
    const char* what;
    QRect available;
    QSize wanted;
    QRect remembered;
    QRect expected;
};

class FittedGeometry : public ::testing::TestWithParam<FitCase> {};

} // namespace

TEST_P(FittedGeometry, StaysOnTheAvailableArea) {
    const FitCase& c = GetParam();
    const QRect got = fittedGeometry(c.available, c.wanted, c.remembered);
    EXPECT_EQ(got, c.expected) << c.what;
    EXPECT_TRUE(c.available.contains(got)) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Screens, FittedGeometry,
    ::testing::Values(
        // The form's design size on the office screen (a panel of 40 at the bottom).
        FitCase{"larger than the screen", QRect(0, 0, 1366, 728), QSize(1320, 900), {}, QRect(23, 0, 1320, 728)},
        FitCase{"smaller: centred", QRect(0, 0, 1366, 728), QSize(400, 200), {}, QRect(483, 264, 400, 200)},
        FitCase{"remembered and still fits", QRect(0, 0, 1366, 728), QSize(400, 200), QRect(10, 20, 500, 300),
                QRect(10, 20, 500, 300)},
        FitCase{"remembered on a larger screen: clamped and moved in", QRect(0, 0, 1366, 728), QSize(400, 200),
                QRect(900, 500, 1900, 1000), QRect(0, 0, 1366, 728)},
        FitCase{"remembered partly off the right edge", QRect(0, 0, 1366, 728), QSize(400, 200),
                QRect(1200, 100, 400, 300), QRect(966, 100, 400, 300)},
        FitCase{"remembered on a screen no longer there: centred", QRect(0, 0, 1366, 728), QSize(400, 200),
                QRect(3000, 100, 400, 300), QRect(483, 264, 400, 200)},
        FitCase{"a second screen to the right", QRect(1366, 0, 1366, 768), QSize(1320, 900), {},
                QRect(1389, 0, 1320, 768)}));

TEST(ScreenFit, RemembersTheGeometryClampedToTheScreen) {
    QStandardPaths::setTestModeEnabled(true);
    const QString key = QStringLiteral("ventanas/prueba");
    QSettings().remove(key);
    const QRect area = availableArea(nullptr);
    ASSERT_TRUE(area.isValid());
    {
        QWidget window;
        fitToScreen(&window, QSize(300, 200), key);
        window.show();
        window.setGeometry(QRect(area.topLeft() + QPoint(20, 30), QSize(320, 210)));
        window.close();
    }
    {
        QWidget window;
        fitToScreen(&window, QSize(300, 200), key);
        EXPECT_EQ(window.size(), QSize(320, 210));
        EXPECT_EQ(window.pos(), area.topLeft() + QPoint(20, 30));
    }
    // Stored on a screen larger than this one: the next start still fits.
    QSettings().setValue(key, QRect(area.topLeft(), area.size() * 2));
    QWidget window;
    fitToScreen(&window, QSize(300, 200), key);
    EXPECT_LE(window.width(), area.width());
    EXPECT_LE(window.height(), area.height());
    EXPECT_TRUE(area.contains(QRect(window.pos(), window.size())));
    QSettings().remove(key);
}
