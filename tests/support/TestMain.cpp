#include <memory>

#include <QCoreApplication>
#include <QLocale>
#ifdef VELANTOR_TEST_GUI
#include <QApplication>
#endif

#include <gtest/gtest.h>

// One main for every test executable. Window tests get a QApplication (offscreen in
// ctest); core tests only a QCoreApplication, so they never need a display. The locale
// is pinned so dates and decimals read the same on every machine.
int main(int argc, char** argv) {
#ifdef VELANTOR_TEST_GUI
    QApplication app(argc, argv);
#else
    QCoreApplication app(argc, argv);
#endif
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
