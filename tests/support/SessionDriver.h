#pragma once

#include <functional>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace velantor::testing {

// Acts on a modal window from inside its exec(): once the first modal window of type T is
// active and `ready` holds for it, `action` runs on it (once). A window that never comes is
// a test failure. Waiting is done by polling, never by a nested wait, so that a window
// that works while it is shown (the loading window) can go on.
template <class T>
void whenModal(std::function<void(T&)> action, std::function<bool(T&)> ready = {}, int timeoutMs = 60000) {
    auto* timer = new QTimer;
    timer->setInterval(15);
    const QDeadlineTimer deadline(timeoutMs);
    QObject::connect(timer, &QTimer::timeout, [timer, deadline, action = std::move(action), ready = std::move(ready)] {
        auto* window = qobject_cast<T*>(QApplication::activeModalWidget());
        if (window && (!ready || ready(*window))) {
            timer->stop();
            timer->deleteLater();
            action(*window);
        } else if (deadline.hasExpired()) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no modal window of the expected kind appeared";
        }
    });
    timer->start();
}

// Processes events until `done` holds or the time runs out; answers `done()`.
bool waitUntil(const std::function<bool()>& done, int timeoutMs = 60000);

} // namespace velantor::testing
