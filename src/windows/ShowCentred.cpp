#include "windows/ShowCentred.h"

#include <QWidget>

namespace tc::windows {

void showCentredOn(QWidget* window, QWidget* over) {
    if (over) {
        const QRect r = over->frameGeometry();
        window->move(r.center() - QPoint(window->width() / 2, window->height() / 2));
    }
    if (window->isMinimized()) window->showNormal();
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace tc::windows
