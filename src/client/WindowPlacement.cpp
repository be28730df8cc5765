#include "client/WindowPlacement.h"

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

} // namespace tc::client
