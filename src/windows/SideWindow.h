#pragma once
// The common frame of the small windows beside the main window: a window
// of its own (never modal), the main window's plank background, and shown
// again and raised when it is already open.
#include <QWidget>

namespace tc::windows {

class SideWindow : public QWidget {
    Q_OBJECT
public:
    explicit SideWindow(Qt::WindowFlags flags, QWidget* parent = nullptr);

    // Shows the window at the centre of `over` (when given) and raises it.
    void showCentredOn(QWidget* over);

protected:
    void paintEvent(QPaintEvent*) override;
};

} // namespace tc::windows
