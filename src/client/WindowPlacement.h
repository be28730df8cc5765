#pragma once
// Keeps a stored window place usable: the size between the window's own
// minimum and what the screen that shows most of it can show, and the
// window wholly on that screen (on none: at the default place), so a
// hand-edited or foreign settings file, or a screen that got smaller,
// cannot make the window vanish or run past the screen. Places are the
// window's outer frame; a maximized window is kept with the place it
// returns to and comes back maximized.
#include <QList>
#include <QRect>

#include "store/ClientSettings.h"

class QWidget;

namespace tc::client {

class WindowPlacement {
public:
    // Visible part a window needs on one screen to count as reachable.
    static constexpr int kMinVisible = 40;

    // `wanted`: outer place and size; `minimum`: the window's minimum outer
    // size; `screens`: their available areas (none: only the size rules).
    // `fallback` is where a window lands that is on no screen.
    static QRect fit(const QRect& wanted, const QSize& minimum, const QList<QRect>& screens,
                     const QPoint& fallback);
    // The available areas of the screens the application sees now.
    static QList<QRect> screenAreas();

    // Puts `window` at `place` as far as the screens allow, maximized when
    // the place says so.
    static void restore(QWidget* window, const store::WindowPlace& place);
    // Puts `window` at the built-in place and size.
    static void reset(QWidget* window);
    // The window's place now: its outer frame (of the normal window when
    // maximized) and whether it is maximized.
    static store::WindowPlace current(const QWidget* window);
};

} // namespace tc::client
