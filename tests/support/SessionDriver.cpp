#include "support/SessionDriver.h"

#include <QTest>

namespace velantor::testing {

bool holdsFocus(const QWidget& window) {
    QWidget* focus = QApplication::focusWidget();
    return focus && (focus == &window || window.isAncestorOf(focus));
}

MessageBoxKeys::MessageBoxKeys(std::function<Qt::Key(const QMessageBox&)> keyFor)
    : m_keyFor(std::move(keyFor)) {
    auto* timer = new QTimer(this);
    timer->setInterval(15);
    connect(timer, &QTimer::timeout, this, [this] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || !holdsFocus(*box))
            return;
        m_texts << box->text();
        const Qt::Key key = m_keyFor ? m_keyFor(*box) : Qt::Key_Return;
        QTest::keyClick(QApplication::focusWidget(), key);
    });
    timer->start();
}

bool waitUntil(const std::function<bool()>& done, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(10);
    }
    return true;
}

} // namespace velantor::testing
