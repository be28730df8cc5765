#include "art/ExtraArt.h"

#include "art/BoardArt.h"
#include "art/DiceArt.h"
#include "art/Effects.h"
#include "art/Materials.h"
#include "art/TileArt.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace art {

namespace {

void paintDieAt(QPainter& p, QPointF centre, qreal angle, qreal scale, int face)
{
    p.save();
    p.translate(centre);
    p.rotate(angle);
    p.scale(scale, scale);
    p.translate(-15, -15);
    paintDie(p, face);
    p.restore();
}

} // namespace

QImage soloPicture()
{
    const QSize size(240, 150);
    QImage img = plankTexture(size, tableWood(), 81u, 60);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    QRadialGradient lamp(QPointF(120, 60), 170);
    lamp.setColorAt(0, QColor(255, 230, 170, 40));
    lamp.setColorAt(1, QColor(0, 0, 0, 110));
    p.fillRect(img.rect(), lamp);
    // The rack with its tiles, scaled to the picture's width.
    QImage rack = tileRow();
    {
        QPainter rp(&rack);
        const int lefts[9] = {7, 62, 117, 172, 227, 282, 337, 392, 448};
        const int frames[9] = {4, 0, 4, 0, 0, 4, 0, 0, 4};
        for (int i = 0; i < 9; ++i)
            rp.drawImage(QPoint(lefts[i], 0), tileStrip(i + 1),
                         QRect(frames[i] * tileFrameWidth, 0, tileFrameWidth, tileFrameHeight));
    }
    const qreal scale = 224.0 / rack.width();
    const QRectF rackRect(8, 12, 224, rack.height() * scale);
    dropShadow(p, rounded(rackRect, 3), QPointF(2, 3), 4, QColor(0, 0, 0, 160));
    p.drawImage(rackRect, rack);
    p.drawImage(QPointF(2, 86), logo());
    paintDieAt(p, QPointF(196, 112), -18, 0.9, 3);
    paintDieAt(p, QPointF(222, 88), 11, 0.8, 5);
    return img;
}

QImage downloadPicture()
{
    const QSize size(180, 120);
    QImage img = woodTexture(size, walnutWood(), 82u, 8.0f);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF cloth(6, 6, size.width() - 12, size.height() - 12);
    const QPainterPath clothPath = rounded(cloth, 5);
    p.save();
    p.setClipPath(clothPath);
    p.drawImage(0, 0, feltTexture(size, QColor(38, 112, 64), 83u));
    QRadialGradient lamp(cloth.center(), 120);
    lamp.setColorAt(0, QColor(255, 255, 200, 40));
    lamp.setColorAt(1, QColor(0, 0, 0, 80));
    p.fillRect(cloth, lamp);
    p.restore();
    innerShadow(p, clothPath, QPointF(1.5, 2), 3, QColor(0, 0, 0, 170));
    p.drawImage(QPointF(5, 18), logo());
    // Dice of several players scattered on the cloth.
    paintDieAt(p, QPointF(44, 86), -20, 0.8, 6);
    paintDieAt(p, QPointF(78, 92), 8, 0.8, 2);
    paintDieAt(p, QPointF(116, 84), 24, 0.8, 4);
    paintDieAt(p, QPointF(148, 94), -6, 0.8, 1);
    return img;
}

QImage downloadBackground()
{
    const QSize size(660, 340);
    QImage img = woodTexture(size, walnutWood(), 84u, 9.0f);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient lamp(QPointF(220, 120), 520);
    lamp.setColorAt(0, QColor(255, 225, 160, 36));
    lamp.setColorAt(0.55, QColor(0, 0, 0, 0));
    lamp.setColorAt(1, QColor(0, 0, 0, 110));
    p.fillRect(img.rect(), lamp);
    // Three parchment sheets pinned to the board: the offer on the left,
    // the solo game and an installed lobby on the right.
    const QRectF sheets[3] = {QRectF(10, 10, 312, 320), QRectF(332, 10, 318, 180),
                              QRectF(332, 198, 318, 132)};
    std::uint32_t seed = 85u;
    for (const QRectF& sheet : sheets) pinnedSheet(p, sheet, seed++, 12.0f, 170);
    // A frame sunk into the offer sheet for the download picture.
    const QRectF frame(73, 19, 186, 126);
    const QPainterPath framePath = rounded(frame, 3);
    innerShadow(p, framePath, QPointF(1, 1.5), 3, QColor(0, 0, 0, 150));
    p.setPen(QPen(QColor(90, 55, 20, 200), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(framePath);
    // A faint die pressed into each right-hand sheet, under the text.
    p.setOpacity(0.14);
    paintDieAt(p, QPointF(620, 160), 16, 1.1, 6);
    paintDieAt(p, QPointF(616, 300), -12, 1.1, 4);
    p.setOpacity(1.0);
    return img;
}

QImage phraseButton(int number)
{
    QImage img = newCanvas(QSize(24, 20));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(1.5, 1.5, 20.5, 13.5), 5, 5);
    QPainterPath tail;
    tail.moveTo(5.5, 13.0);
    tail.lineTo(4.5, 18.5);
    tail.lineTo(10.5, 13.0);
    tail.closeSubpath();
    bubble = bubble.united(tail);
    dropShadow(p, bubble, QPointF(0.8, 1.0), 1, QColor(0, 0, 0, 130));
    QLinearGradient paper(0, 1.5, 0, 15);
    paper.setColorAt(0, QColor(255, 252, 236));
    paper.setColorAt(1, QColor(232, 214, 170));
    p.setPen(QPen(QColor(100, 62, 22), 1.0));
    p.setBrush(paper);
    p.drawPath(bubble);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setBold(true);
    font.setPixelSize(11);
    p.setFont(font);
    p.setPen(QColor(120, 30, 20));
    p.drawText(QRectF(1.5, 1.5, 20.5, 13.5), Qt::AlignCenter, QString::number(number));
    return img;
}

QImage soundButton()
{
    QImage img = newCanvas(QSize(24, 20));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath speaker;
    speaker.moveTo(2.5, 7.0);
    speaker.lineTo(6.5, 7.0);
    speaker.lineTo(11.5, 2.5);
    speaker.lineTo(11.5, 17.5);
    speaker.lineTo(6.5, 13.0);
    speaker.lineTo(2.5, 13.0);
    speaker.closeSubpath();
    dropShadow(p, speaker, QPointF(0.8, 1.0), 1, QColor(0, 0, 0, 130));
    QLinearGradient brass(0, 2.5, 0, 17.5);
    brass.setColorAt(0, QColor(255, 236, 160));
    brass.setColorAt(1, QColor(180, 118, 36));
    p.setPen(QPen(QColor(92, 54, 16), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(brass);
    p.drawPath(speaker);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(92, 54, 16), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(9.5, 6.0, 6.0, 8.0), -50 * 16, 100 * 16);
    p.drawArc(QRectF(9.0, 3.0, 11.0, 14.0), -50 * 16, 100 * 16);
    p.drawArc(QRectF(8.5, 0.5, 15.0, 19.0), -45 * 16, 90 * 16);
    return img;
}

} // namespace art
