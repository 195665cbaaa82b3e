#include "widgets/OwnerActivation.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace velantor {
namespace {

bool ownsActivation(const QWidget& window) {
    const Qt::WindowType type = window.windowType();
    // Drop-downs and tips give the activation back themselves.
    return window.isWindow() && type != Qt::Popup && type != Qt::ToolTip;
}

class OwnerActivation : public QObject {
public:
    explicit OwnerActivation(QApplication* app) : QObject(app) {
        app->installEventFilter(this);
        connect(app, &QGuiApplication::focusWindowChanged, this, [this](QWindow* now) {
            if (!now) {
                restoreLater();
                return;
            }
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (window->windowHandle() == now && ownsActivation(*window)) {
                    m_last = window;
                    m_lastOwner = window->parentWidget() ? window->parentWidget()->window() : nullptr;
                }
            }
        });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide && watched->isWidgetType()) {
            const auto* window = static_cast<QWidget*>(watched);
            if (window->parentWidget() && ownsActivation(*window))
                restoreLater();
        }
        return false;
    }

private:
    // Once the hide or the loss has been dealt with, and only when nothing took the
    // activation: the modal window still open, else the window last active, else the
    // one it was shown over.
    void restoreLater() {
        QTimer::singleShot(0, this, [this] {
            if (QApplication::activeWindow() || QApplication::activePopupWidget())
                return;
            QWidget* next = QApplication::activeModalWidget();
            if (!next)
                next = m_last && m_last->isVisible() ? m_last.data() : m_lastOwner.data();
            if (next && next->isVisible())
                next->activateWindow();
        });
    }

    QPointer<QWidget> m_last;
    QPointer<QWidget> m_lastOwner;
};

} // namespace

void keepActivationWithOwners() {
    static QPointer<QObject> installed;
    if (qApp && !installed)
        installed = new OwnerActivation(qApp);
}

} // namespace velantor
