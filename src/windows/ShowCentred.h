#pragma once
// Bringing a small window up over the main window: the same few steps for
// every window that opens from a menu or a button of the table.
class QWidget;

namespace tc::windows {

// Moves `window` so its centre is on `over`'s (when `over` is given), shows
// it (again, if it was minimised), raises it and gives it the focus.
void showCentredOn(QWidget* window, QWidget* over);

} // namespace tc::windows
