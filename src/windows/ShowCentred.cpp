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

// A window larger than `area` takes the area (never below its least size),
// its contents laid out smaller; one that fits keeps its size.
void shrinkInto(QWidget* window, const QRect& area) {
    const QSize frame = window->frameGeometry().size() - window->size();
    const QSize room = (area.size() - frame).expandedTo(window->minimumSize());
    if (window->width() > room.width() || window->height() > room.height())
        window->resize(window->size().boundedTo(room));
}

void showCentredOn(QWidget* window, QWidget* over) {
    // The frame around the window counts (move() places it); before the
    // first showing only the window itself is known.
    QRect wanted = window->frameGeometry();
    if (over) wanted.moveCenter(over->frameGeometry().center());
    QScreen* screen = QGuiApplication::screenAt(wanted.center());
    if (!screen) screen = over ? over->screen() : window->screen();
    if (screen) {
        shrinkInto(window, screen->availableGeometry());
        wanted = window->frameGeometry();
        if (over) wanted.moveCenter(over->frameGeometry().center());
    }
    if (screen) wanted = placeInside(wanted, screen->availableGeometry());
    window->move(wanted.topLeft());
    if (window->isMinimized()) window->showNormal();
    window->show();
    // Shown for the first time, the window may only now know its frame.
    if (screen) shrinkInto(window, screen->availableGeometry());
    QRect placed = window->frameGeometry();
    if (over) placed.moveCenter(over->frameGeometry().center());
    if (screen) placed = placeInside(placed, screen->availableGeometry());
    if (placed.topLeft() != window->frameGeometry().topLeft()) window->move(placed.topLeft());
    window->raise();
    window->activateWindow();
}

} // namespace tc::windows
