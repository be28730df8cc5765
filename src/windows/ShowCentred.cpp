#include "windows/ShowCentred.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tc::windows {

QRect placeInside(const QRect& box, const QRect& area) {
    QRect r = box;
    if (r.right() > area.right()) r.moveRight(area.right());
    if (r.bottom() > area.bottom()) r.moveBottom(area.bottom());
    if (r.left() < area.left()) r.moveLeft(area.left());
    if (r.top() < area.top()) r.moveTop(area.top());
    return r;
}

void showCentredOn(QWidget* window, QWidget* over) {
    // The frame around the window counts (move() places it); before the
    // first showing only the window itself is known.
    QRect wanted = window->frameGeometry();
    if (over) wanted.moveCenter(over->frameGeometry().center());
    QScreen* screen = QGuiApplication::screenAt(wanted.center());
    if (!screen) screen = over ? over->screen() : window->screen();
    if (screen) wanted = placeInside(wanted, screen->availableGeometry());
    window->move(wanted.topLeft());
    if (window->isMinimized()) window->showNormal();
    window->show();
    // Shown for the first time, the window may only now know its frame.
    QRect placed = window->frameGeometry();
    if (over) placed.moveCenter(over->frameGeometry().center());
    if (screen) placed = placeInside(placed, screen->availableGeometry());
    if (placed.topLeft() != window->frameGeometry().topLeft()) window->move(placed.topLeft());
    window->raise();
    window->activateWindow();
}

} // namespace tc::windows
