#include "client/WindowPlacement.h"

#include <QWidget>

#include <algorithm>

#include <QGuiApplication>
#include <QMargins>
#include <QScreen>

namespace tc::client {

namespace {

// How far the window's frame reaches beyond its inside (0 before the
// window system has framed it).
QMargins frameMargins(const QWidget* window) {
    const QRect inner = window->geometry();
    const QRect outer = window->frameGeometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

} // namespace

QRect WindowPlacement::fit(const QRect& wanted, const QSize& minimum, const QList<QRect>& screens,
                           const QPoint& fallback) {
    QRect r(wanted.topLeft(),
            QSize(std::max(wanted.width(), minimum.width()), std::max(wanted.height(), minimum.height())));
    if (screens.isEmpty()) return r;
    // The screen that shows most of it; on none, the window goes home.
    int best = -1;
    qint64 bestArea = 0;
    for (int i = 0; i < screens.size(); ++i) {
        const QRect seen = r & screens[i];
        const qint64 area = qint64(seen.width()) * seen.height();
        if (seen.width() >= kMinVisible && seen.height() >= kMinVisible && area > bestArea) {
            best = i;
            bestArea = area;
        }
    }
    if (best < 0) {
        r.moveTopLeft(fallback);
        best = 0;
        for (int i = 0; i < screens.size(); ++i)
            if (screens[i].contains(fallback)) best = i;
    }
    // No larger than that screen (never below the minimum), and on it.
    const QRect area = screens[best];
    r.setSize(QSize(std::min(r.width(), std::max(area.width(), minimum.width())),
                    std::min(r.height(), std::max(area.height(), minimum.height()))));
    if (r.right() > area.right()) r.moveRight(area.right());
    if (r.bottom() > area.bottom()) r.moveBottom(area.bottom());
    if (r.left() < area.left()) r.moveLeft(area.left());
    if (r.top() < area.top()) r.moveTop(area.top());
    return r;
}

QList<QRect> WindowPlacement::screenAreas() {
    QList<QRect> out;
    for (QScreen* s : QGuiApplication::screens()) out << s->availableGeometry();
    return out;
}

void WindowPlacement::restore(QWidget* window, const store::WindowPlace& place) {
    if (window->isMaximized() || window->isMinimized()) window->showNormal();
    const QMargins frame = frameMargins(window);
    const QSize extra(frame.left() + frame.right(), frame.top() + frame.bottom());
    const QSize minimum = window->minimumSizeHint().expandedTo(window->minimumSize()) + extra;
    const store::WindowPlace home;
    const QRect r = fit(QRect(place.left, place.top, place.width, place.height), minimum, screenAreas(),
                        QPoint(home.left, home.top));
    // move() places the frame; resize() sizes the inside.
    window->move(r.topLeft());
    window->resize(r.size() - extra);
    if (place.maximized) window->setWindowState(window->windowState() | Qt::WindowMaximized);
}

void WindowPlacement::reset(QWidget* window) {
    const store::WindowPlace home;
    window->showNormal();
    window->move(home.left, home.top);
    window->resize(home.width, home.height);
}

store::WindowPlace WindowPlacement::current(const QWidget* window) {
    // A maximized or full-screen window is stored at the place it returns to.
    const QMargins frame = frameMargins(window);
    const bool away = window->isMaximized() || window->isFullScreen();
    const QRect outer = (away && window->normalGeometry().isValid() ? window->normalGeometry() : window->geometry())
                            .marginsAdded(frame);
    return {outer.x(), outer.y(), outer.width(), outer.height(), window->isMaximized()};
}

} // namespace tc::client
