#include "client/WindowPlacement.h"

#include <QWidget>

#include <algorithm>

#include <QGuiApplication>
#include <QScreen>

namespace tc::client {

QRect WindowPlacement::fit(const QRect& wanted, const QSize& minimum, const QList<QRect>& screens,
                           const QPoint& fallback) {
    QRect desktop;
    for (const QRect& s : screens) desktop |= s;
    int width = std::max(wanted.width(), minimum.width());
    int height = std::max(wanted.height(), minimum.height());
    if (!desktop.isEmpty()) {
        width = std::min(width, std::max(desktop.width(), minimum.width()));
        height = std::min(height, std::max(desktop.height(), minimum.height()));
    }
    QRect r(wanted.topLeft(), QSize(width, height));
    if (screens.isEmpty()) return r;
    for (const QRect& s : screens) {
        const QRect seen = r & s;
        if (seen.width() >= kMinVisible && seen.height() >= kMinVisible) return r;
    }
    r.moveTopLeft(fallback);
    return r;
}

QList<QRect> WindowPlacement::screenAreas() {
    QList<QRect> out;
    for (QScreen* s : QGuiApplication::screens()) out << s->availableGeometry();
    return out;
}

void WindowPlacement::restore(QWidget* window, const store::WindowPlace& place) {
    if (window->isMaximized() || window->isMinimized()) window->showNormal();
    const QSize minimum = window->minimumSizeHint().expandedTo(window->minimumSize());
    const store::WindowPlace home;
    const QRect r = fit(QRect(place.left, place.top, place.width, place.height), minimum, screenAreas(),
                        QPoint(home.left, home.top));
    window->move(r.topLeft());
    window->resize(r.size());
}

void WindowPlacement::reset(QWidget* window) {
    const store::WindowPlace home;
    window->showNormal();
    window->move(home.left, home.top);
    window->resize(home.width, home.height);
}

store::WindowPlace WindowPlacement::current(const QWidget* window) {
    // A full-screen window keeps the place it comes back to.
    if (window->isFullScreen()) {
        const QRect g = window->normalGeometry();
        if (g.isValid()) return {g.x(), g.y(), g.width(), g.height()};
    }
    return {window->x(), window->y(), window->width(), window->height()};
}

} // namespace tc::client
