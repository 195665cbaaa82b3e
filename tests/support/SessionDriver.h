#pragma once

#include <functional>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QMessageBox>
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

// Whether the keyboard focus is inside `window` (it is the active window): keys typed now
// reach it.
bool holdsFocus(const QWidget& window);

// Answers every message box that comes up while it lives with a key pressed on the box's
// focused button, as a person reading it does: `keyFor` names the key (Enter by default),
// and texts() keeps what each box said, in order.
class MessageBoxKeys : public QObject {
public:
    explicit MessageBoxKeys(std::function<Qt::Key(const QMessageBox&)> keyFor = {});
    const QStringList& texts() const { return m_texts; }

private:
    std::function<Qt::Key(const QMessageBox&)> m_keyFor;
    QStringList m_texts;
};

// Processes events until `done` holds or the time runs out; answers `done()`.
bool waitUntil(const std::function<bool()>& done, int timeoutMs = 60000);

} // namespace velantor::testing
