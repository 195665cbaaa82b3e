#pragma once

#include <QApplication>
#include <QString>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include "form/ui/frmSolicitudes.h"

// The form at the keyboard: keys go where a person's keys go, to the widget with the focus
// (or, when nothing in it has the focus, to the active modal window).
namespace velantor::testing {

// The form control that holds the focus (a list's text box belongs to its list).
inline QString focusedControl(const frmSolicitudes& w) {
    for (QWidget* up = QApplication::focusWidget(); up; up = up->parentWidget())
        if (!up->objectName().isEmpty() && w.control(up->objectName()) == up)
            return up->objectName();
    return {};
}

// A key pressed on whatever has the focus, then the events it caused processed.
inline void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget();
    if (!target)
        target = QApplication::activeModalWidget();
    ASSERT_NE(target, nullptr);
    QTest::keyClick(target, key, modifiers);
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

// Text typed on whatever has the focus.
inline void type(const QString& text) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QTest::keyClicks(target, text);
    QApplication::processEvents();
}

// Tab until `name` has the focus; false when it never comes.
inline bool tabTo(const frmSolicitudes& w, QStringView name) {
    for (int i = 0; i < 200; ++i) {
        if (focusedControl(w) == name)
            return true;
        press(Qt::Key_Tab);
    }
    return false;
}

} // namespace velantor::testing
