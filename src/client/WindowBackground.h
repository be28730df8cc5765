#pragma once
// What the window system shows of a window before the program has painted
// it: on X11 a strip a resize has just uncovered is filled by the X server
// at once, before the program's next paint, with the window's background
// pixel; Qt leaves it unset, so the strip shows black (or what was there)
// for a moment. The table gives its window the table top's colour, so not
// even that moment shows anything but the table. Elsewhere nothing is done.
#include <QColor>

class QWidget;

namespace tc::client {

// Sets the native background of `window` (a shown top-level widget).
// Returns whether it could.
bool setNativeBackground(QWidget* window, const QColor& colour);

} // namespace tc::client
