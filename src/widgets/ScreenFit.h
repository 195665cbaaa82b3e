#pragma once

#include <QRect>
#include <QSize>
#include <QString>

class QScrollArea;
class QWidget;

namespace velantor {

// Where a window goes on the screen: never larger than the screen's available area (the
// desktop without its panels), centred on it, or where the user left it last time when
// that still fits.

// The rectangle a window of `wanted` size takes on `available`: the size clamped to the
// area, a remembered rectangle (when valid) kept but clamped and moved inside it, otherwise
// centred.
QRect fittedGeometry(const QRect& available, QSize wanted, const QRect& remembered = {});

// Sizes and places `window` on the screen it will show on (the primary one before it is
// shown) as fittedGeometry() does, with the geometry remembered under `key` in the
// program's QSettings; the geometry is stored again whenever the window is hidden or
// closed. The smallest size the window's layout allows is clamped too, so a layout that
// would not fit can never push the window off the screen (its scroll areas take over).
void fitToScreen(QWidget* window, QSize wanted, const QString& key);

// The available area of the screen `window` is on (or of the primary screen).
QRect availableArea(const QWidget* window);

// A frameless scroll area around `content`, resized with it, that takes no focus itself
// (the Tab key scrolls the control it reaches into view).
QScrollArea* scrolledPage(QWidget* content);

} // namespace velantor
