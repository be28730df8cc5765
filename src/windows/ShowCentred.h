#pragma once
// Bringing a small window up over the main window: the same few steps for
// every window that opens from a menu or a button of the table.
#include <QRect>

class QWidget;

namespace tc::windows {

// Moves `window` so its centre is on `over`'s (when `over` is given), keeps
// it wholly on the screen's available area (a main window near an edge
// would push it partly off), shows it (again, if it was minimised), raises
// it and gives it the focus.
void showCentredOn(QWidget* window, QWidget* over);

// `box` moved the least so that it lies inside `area`; a box larger than
// the area keeps its top left corner inside it, so the title bar stays
// reachable.
QRect placeInside(const QRect& box, const QRect& area);

} // namespace tc::windows
