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

#include <cmath>
#include <numbers>

namespace art {

namespace {

// Board panel origin inside the window; every layout position is relative to it.
constexpr QPointF boardOrigin(3, 4);

} // namespace

QImage boardBackground()
{
    return boardBackground(QSize(717, 555), QPoint(0, 0));
}

QImage boardBackground(QSize size, QPoint at)
{
    size = size.expandedTo(QSize(717, 555));
    QImage img = plankTexture(size, tableWood(), 11u, 74);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Vignette: the lamp is over the tiles.
    QRadialGradient lamp(QPointF(430, 180) + at, 560);
    lamp.setColorAt(0, QColor(255, 230, 170, 28));
    lamp.setColorAt(0.5, QColor(0, 0, 0, 0));
    lamp.setColorAt(1, QColor(0, 0, 0, 90));
    p.fillRect(QRect(QPoint(0, 0), size), lamp);

    p.translate(boardOrigin + at);
    // Shadows under the dice tray and the tile rack.
    const QColor shade(0, 0, 0, 150);
    dropShadow(p, rounded(QRectF(186, 8, 505, 121), 7), QPointF(2, 4), 6, shade, true);
    dropShadow(p, rounded(QRectF(187, 128, 505, 110), 5), QPointF(2, 4), 6, shade, true);

    // Parchment scoreboard behind the seats.
    pinnedSheet(p, QRectF(1, 18, 181, 271), 12u, 10.0f, 160);

    // Plaque behind "Marks needed to win" and "Rounds Played".
    const QRectF plaque(186, 245, 505, 20);
    const QPainterPath plaquePath = rounded(plaque, 3);
    dropShadow(p, plaquePath, QPointF(1, 2), 3, QColor(0, 0, 0, 150));
    p.save();
    p.setClipPath(plaquePath);
    p.drawImage(plaque.topLeft(),
                parchmentTexture(plaque.size().toSize() + QSize(1, 1), 13u, 4.0f));
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(110, 70, 30, 200), 1.0));
    p.drawPath(plaquePath);
    return img;
}

void pinnedSheet(QPainter& p, const QRectF& sheet, std::uint32_t seed, float burnWidth, int shadowAlpha)
{
    const QPainterPath path = rounded(sheet, 5);
    dropShadow(p, path, QPointF(2, 3), 4, QColor(0, 0, 0, shadowAlpha));
    p.save();
    p.setClipPath(path);
    p.drawImage(sheet.topLeft(), parchmentTexture(sheet.size().toSize() + QSize(1, 1), seed, burnWidth));
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(110, 70, 30, 200), 1.0));
    p.drawPath(path);
    p.setPen(QPen(QColor(140, 95, 45, 120), 0.8));
    p.drawRoundedRect(sheet.adjusted(3.5, 3.5, -3.5, -3.5), 3, 3);
    // A brass pin in each corner.
    for (const QPointF& pin : {sheet.topLeft() + QPointF(7, 7), sheet.topRight() + QPointF(-7, 7),
                               sheet.bottomLeft() + QPointF(7, -7),
                               sheet.bottomRight() + QPointF(-7, -7)}) {
        QRadialGradient brass(pin - QPointF(0.8, 0.8), 2.8);
        brass.setColorAt(0, QColor(255, 240, 180));
        brass.setColorAt(0.6, QColor(200, 150, 60));
        brass.setColorAt(1, QColor(110, 70, 20));
        p.setPen(QPen(QColor(70, 40, 10, 200), 0.5));
        p.setBrush(brass);
        p.drawEllipse(pin, 2.2, 2.2);
    }
}

QImage logo()
{
    QImage img = newCanvas(QSize(170, 40));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font(QStringLiteral("Liberation Serif"));
    font.setBold(true);
    font.setItalic(true);
    font.setPixelSize(34);
    const QPainterPath word = centredText(QStringLiteral("Tilecrest"), font, QPointF(92, 19));
    // A die leaning on the word's first letter.
    p.save();
    p.translate(13, 20);
    p.rotate(-12);
    p.scale(0.75, 0.75);
    p.translate(-15, -15);
    paintDie(p, 5);
    p.restore();
    dropShadow(p, word, QPointF(1.5, 2), 2, QColor(0, 0, 0, 170));
    p.setPen(QPen(QColor(60, 30, 8), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(word);
    QLinearGradient gold(0, 6, 0, 32);
    gold.setColorAt(0, QColor(255, 244, 190));
    gold.setColorAt(0.45, QColor(240, 196, 90));
    gold.setColorAt(0.55, QColor(214, 158, 52));
    gold.setColorAt(1, QColor(150, 92, 24));
    p.fillPath(word, gold);
    return img;
}

QImage appIcon(int size)
{
    // Laid out on a 64-unit square; every length is scaled by hand rather
    // than through the painter, so 64 px stays exactly the packaged icon and
    // larger sizes get textures at their own resolution.
    const qreal s = size / 64.0;
    QImage img = newCanvas(QSize(size, size));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF base(2 * s, 2 * s, 58 * s, 58 * s);
    const QPainterPath basePath = rounded(base, 11 * s);
    dropShadow(p, basePath, QPointF(1 * s, 2 * s), qRound(2 * s), QColor(0, 0, 0, 150));
    // Green cloth inside a walnut frame.
    p.save();
    p.setClipPath(basePath);
    p.drawImage(0, 0, woodTexture(logicalSize(img), walnutWood(), 61u, float(5.0 * s)));
    p.restore();
    const QRectF cloth = base.adjusted(4 * s, 4 * s, -4 * s, -4 * s);
    const QPainterPath clothPath = rounded(cloth, 8 * s);
    p.save();
    p.setClipPath(clothPath);
    p.drawImage(0, 0, feltTexture(logicalSize(img), QColor(38, 112, 64), 62u));
    p.restore();
    innerShadow(p, clothPath, QPointF(1 * s, 1.5 * s), qRound(2 * s), QColor(0, 0, 0, 170));
    p.setPen(QPen(QColor(30, 15, 5), 1.0 * s));
    p.setBrush(Qt::NoBrush);
    p.drawPath(basePath);
    // A number tile standing up, a die in front of it.
    const QImage strip = tileStrip(9);
    const QImage tile = strip.copy(0, 0, tileFrameWidth, tileFrameHeight)
                            .scaled(qRound(26 * s), qRound(49 * s), Qt::IgnoreAspectRatio,
                                    Qt::SmoothTransformation);
    p.save();
    p.translate(23 * s, 31 * s);
    p.rotate(-8);
    p.drawImage(QPointF(-13 * s, -24 * s), tile);
    p.restore();
    p.save();
    p.translate(42 * s, 41 * s);
    p.rotate(14);
    p.scale(0.95 * s, 0.95 * s);
    p.translate(-15, -15);
    paintDie(p, 6);
    p.restore();
    return img;
}

QImage winnerBanner()
{
    const QSize size(473, 41);
    QImage img = newCanvas(size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Ribbon body with swallow-tailed ends.
    QPainterPath ribbon;
    ribbon.moveTo(2, 4);
    ribbon.lineTo(size.width() - 2, 4);
    ribbon.lineTo(size.width() - 14, 20.5);
    ribbon.lineTo(size.width() - 2, 37);
    ribbon.lineTo(2, 37);
    ribbon.lineTo(14, 20.5);
    ribbon.closeSubpath();
    dropShadow(p, ribbon, QPointF(1, 2), 2, QColor(0, 0, 0, 160));
    QLinearGradient red(0, 4, 0, 37);
    red.setColorAt(0, QColor(214, 58, 44));
    red.setColorAt(0.5, QColor(168, 28, 22));
    red.setColorAt(1, QColor(110, 14, 10));
    p.setPen(QPen(QColor(70, 8, 5), 1.0));
    p.setBrush(red);
    p.drawPath(ribbon);
    // Cream label where the winner's name is written.
    const QRectF label(26, 8, size.width() - 52, 25);
    const QPainterPath labelPath = rounded(label, 3);
    p.save();
    p.setClipPath(labelPath);
    p.drawImage(label.topLeft(), parchmentTexture(label.size().toSize() + QSize(1, 1), 14u, 5.0f));
    p.restore();
    p.setPen(QPen(QColor(200, 150, 50), 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(labelPath);
    // Gold stars on the ribbon either side of the label.
    auto star = [&](QPointF c, qreal r) {
        QPainterPath s;
        for (int i = 0; i < 10; ++i) {
            const qreal a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
            const qreal rr = (i % 2 == 0) ? r : r * 0.45;
            const QPointF pt(c.x() + rr * std::cos(a), c.y() + rr * std::sin(a));
            if (i == 0)
                s.moveTo(pt);
            else
                s.lineTo(pt);
        }
        s.closeSubpath();
        p.setPen(QPen(QColor(110, 60, 10), 0.6));
        p.setBrush(QColor(250, 210, 90));
        p.drawPath(s);
    };
    star(QPointF(19.5, 20.5), 4.2);
    star(QPointF(size.width() - 19.5, 20.5), 4.2);
    return img;
}

} // namespace art
