#include "client/TileControl.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "client/TileAccessible.h"

namespace tc::client {

TileControl::TileControl(int tile, const QPixmap& strip, QWidget* parent)
    : QWidget(parent), tile_(tile), strip_(strip) {
    setObjectName(QStringLiteral("number_%1").arg(tile));
    resize(kFrameWidth, kFrameHeight);
    timer_.setInterval(interval_);
    connect(&timer_, &QTimer::timeout, this, &TileControl::step);
    TileAccessible::install();
}

void TileControl::setStrip(const QPixmap& strip) {
    strip_ = strip;
    update();
}

void TileControl::setFrame(int frame) {
    const int f = ((frame % kFrames) + kFrames) % kFrames;
    if (f == frame_) return;
    frame_ = f;
    update();
    emit frameChanged(f);
}

void TileControl::setInterval(int ms) {
    interval_ = ms;
    if (ms > 0)
        timer_.setInterval(ms);
    else
        timer_.stop();
}

void TileControl::setPlay(bool play) {
    if (!play) {
        timer_.stop();
        return;
    }
    if (interval_ > 0 && !timer_.isActive()) timer_.start();
}

void TileControl::step() {
    setFrame(frame_ + (reverse_ ? -1 : 1));
    const bool atEnd = reverse_ ? frame_ == 0 : frame_ == kFrames - 1;
    if (atEnd) {
        timer_.stop();
        emit stopped(tile_);
    }
}

void TileControl::setBestMove(bool on) {
    if (on == bestMove_) return;
    bestMove_ = on;
    update();
}

void TileControl::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintFrame(p);
    if (!bestMove_) return;
    // Placed in the tile's 1x units, so it grows with the table.
    p.resetTransform();
    p.scale(width() / qreal(kFrameWidth), height() / qreal(kFrameHeight));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(96, 62, 20, 200), 1.0));
    p.setBrush(QColor(255, 196, 64, 215));
    p.drawEllipse(QPointF(kFrameWidth / 2.0, kFrameHeight - 9.5), 4.5, 4.5);
}

void TileControl::paintFrame(QPainter& p) {
    if (!strip_.isNull()) {
        // The source is in the strip's own pixels: a frame is a fifth of it.
        const qreal fw = qreal(strip_.width()) / kFrames;
        const QRectF source(frame_ * fw, 0, fw, strip_.height());
        const QRectF target(rect());
        if (target.size() * devicePixelRatioF() != source.size())
            p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawPixmap(target, strip_, source);
        return;
    }
    // Stand-in: an ivory tile with its number, covered from the top as the
    // frame grows.
    p.scale(width() / qreal(kFrameWidth), height() / qreal(kFrameHeight));
    p.fillRect(QRect(0, 0, kFrameWidth, kFrameHeight), QColor(238, 226, 196));
    p.setPen(QColor(90, 60, 30));
    p.drawRect(QRect(0, 0, kFrameWidth - 1, kFrameHeight - 1));
    QFont f = font();
    f.setBold(true);
    f.setPixelSize(30);
    p.setFont(f);
    p.drawText(QRect(0, 0, kFrameWidth, kFrameHeight), Qt::AlignCenter, QString::number(tile_));
    const int covered = kFrameHeight * frame_ / (kFrames - 1);
    p.fillRect(0, 0, kFrameWidth, covered, QColor(120, 82, 44));
}

void TileControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) press();
    QWidget::mousePressEvent(event);
}

void TileControl::keyPressEvent(QKeyEvent* event) {
    // Space turns the focused tile over; a held key does it once.
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        if (!event->isAutoRepeat()) press();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace tc::client
