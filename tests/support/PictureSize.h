#pragma once

#include <QWidget>

namespace velantor::testing {

// The size the form's checks give the window, larger than the default offscreen screen, so
// that every control is laid out as on an office screen. When the run takes pictures for the
// documentation (VELANTOR_SCREENSHOT_DIR), the window keeps the size it opened at on the
// screen instead, so that the pictures show what a user sees.
inline void giveCheckingSize(QWidget& window) {
    if (qEnvironmentVariableIsEmpty("VELANTOR_SCREENSHOT_DIR"))
        window.resize(1320, 900);
}

} // namespace velantor::testing
