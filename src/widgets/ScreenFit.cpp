#include "widgets/ScreenFit.h"

#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QWidget>

namespace velantor {
namespace {

QRect screenAvailable(const QWidget* window) {
    QScreen* screen = window ? window->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

// Stores the window's geometry under its key whenever it is hidden or closed.
class GeometryKeeper : public QObject {
public:
    GeometryKeeper(QWidget* window, QString key) : QObject(window), m_key(std::move(key)) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize || event->type() == QEvent::Show)
            keepOnScreen(static_cast<QWidget*>(watched));
        if (event->type() == QEvent::Hide || event->type() == QEvent::Close) {
            auto* window = static_cast<QWidget*>(watched);
            if (!window->isMinimized() && window->geometry().isValid())
                QSettings().setValue(m_key, window->geometry());
        }
        return QObject::eventFilter(watched, event);
    }

private:
    // A window that grows after it was placed (a field shown by a rule that needs a little
    // more width) is moved back so that it stays wholly on the screen.
    static void keepOnScreen(QWidget* window) {
        if (!window->isWindow() || window->isMaximized() || window->isFullScreen())
            return;
        const QRect available = screenAvailable(window);
        const QRect frame = window->frameGeometry();
        if (!available.isValid() || available.contains(frame))
            return;
        const QRect placed = fittedGeometry(available, frame.size(), frame);
        if (placed.topLeft() != frame.topLeft())
            window->move(placed.topLeft());
    }

    QString m_key;
};

} // namespace

QRect fittedGeometry(const QRect& available, QSize wanted, const QRect& remembered) {
    if (!available.isValid())
        return QRect(QPoint(0, 0), wanted);
    const bool useRemembered = remembered.isValid() && remembered.intersects(available);
    QSize size = (useRemembered ? remembered.size() : wanted).boundedTo(available.size());
    QRect rect(QPoint(0, 0), size);
    if (useRemembered) {
        rect.moveTopLeft(remembered.topLeft());
        if (rect.right() > available.right())
            rect.moveRight(available.right());
        if (rect.bottom() > available.bottom())
            rect.moveBottom(available.bottom());
        if (rect.left() < available.left())
            rect.moveLeft(available.left());
        if (rect.top() < available.top())
            rect.moveTop(available.top());
    } else {
        rect.moveCenter(available.center());
    }
    return rect;
}

QRect availableArea(const QWidget* window) {
    return screenAvailable(window);
}

void fitToScreen(QWidget* window, QSize wanted, const QString& key) {
    const QRect available = availableArea(window);
    // The frame the window manager adds is not known before the window is shown; a small
    // allowance keeps the title bar on the screen.
    const QSize frame(0, window->isWindow() ? 32 : 0);
    const QRect area = available.isValid() ? available.adjusted(0, 0, -frame.width(), -frame.height()) : available;
    if (area.isValid()) {
        window->setMinimumSize(window->minimumSize().boundedTo(area.size()));
        if (QLayout* layout = window->layout())
            layout->setSizeConstraint(QLayout::SetDefaultConstraint);
    }
    const QRect remembered = QSettings().value(key).toRect();
    const QRect rect = fittedGeometry(area, wanted, remembered);
    window->resize(rect.size());
    window->move(rect.topLeft());
    new GeometryKeeper(window, key);
}

QScrollArea* scrolledPage(QWidget* content) {
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidget(content);
    return scroll;
}

} // namespace velantor
