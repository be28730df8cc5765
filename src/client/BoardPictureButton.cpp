#include "client/BoardPictureButton.h"

#include <QPainter>

namespace tc::client {

BoardPictureButton::BoardPictureButton(const QString& objectName, const QPixmap& picture,
                                       QWidget* parent)
    : QAbstractButton(parent), picture_(picture) {
    setObjectName(objectName);
    // Tab reaches it and Space presses it; a click leaves the focus where
    // it was (in the chat).
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    resize(sizeHint());
}

void BoardPictureButton::setPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void BoardPictureButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRectF target(rect());
    if (target.size() * devicePixelRatioF() != QSizeF(picture_.size()))
        p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(target, picture_, QRectF(picture_.rect()));
    // A pressed button sinks by a pixel, as the player expects.
    if (isDown()) p.fillRect(rect(), QColor(0, 0, 0, 50));
}

} // namespace tc::client
