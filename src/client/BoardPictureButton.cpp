#include "client/BoardPictureButton.h"

#include <QPainter>

namespace tc::client {

BoardPictureButton::BoardPictureButton(const QString& objectName, const QPixmap& picture,
                                       QWidget* parent)
    : QAbstractButton(parent), picture_(picture) {
    setObjectName(objectName);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    resize(picture_.size());
}

void BoardPictureButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(0, 0, picture_);
    // A pressed button sinks by a pixel, as the player expects.
    if (isDown()) p.fillRect(rect(), QColor(0, 0, 0, 50));
}

} // namespace tc::client
