#include "art/DiceArt.h"

#include "art/Effects.h"
#include "art/Materials.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <vector>

namespace art {

namespace {

// Pip positions on the 3 x 3 grid, columns and rows -1..1.
std::vector<QPoint> pipsOf(int face)
{
    switch (face) {
    case 1: return {{0, 0}};
    case 2: return {{-1, -1}, {1, 1}};
    case 3: return {{-1, -1}, {0, 0}, {1, 1}};
    case 4: return {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
    case 5: return {{-1, -1}, {1, -1}, {0, 0}, {-1, 1}, {1, 1}};
    case 6: return {{-1, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {1, 1}};
    default: return {};
    }
}

void paintPip(QPainter& p, QPointF c, qreal r, const QColor& colour)
{
    // A drilled pip: dark fill, light catch on the lower right rim.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(c + QPointF(0.35, 0.45), r, r);
    QRadialGradient g(c + QPointF(r * 0.35, r * 0.4), r * 1.2);
    g.setColorAt(0, colour.lighter(160));
    g.setColorAt(0.6, colour);
    g.setColorAt(1, colour.darker(160));
    p.setBrush(g);
    p.drawEllipse(c, r, r);
}

} // namespace

QImage dieFace(int face)
{
    QImage img = newCanvas(QSize(32, 32));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    paintDie(p, face);
    return img;
}

void paintDie(QPainter& p, int face)
{
    const QRectF body(1.0, 1.0, 28.0, 28.0);
    const QPainterPath path = rounded(body, 6.0);
    dropShadow(p, path, QPointF(1.5, 2.0), 2, QColor(0, 0, 0, 150));
    QRadialGradient ivory(QPointF(9, 7), 30);
    ivory.setColorAt(0, QColor(255, 255, 252));
    ivory.setColorAt(0.55, QColor(246, 242, 230));
    ivory.setColorAt(1, QColor(214, 204, 182));
    p.fillPath(path, ivory);
    // Rounded edges: light along the top left, shade along the bottom right.
    QLinearGradient edge(body.topLeft(), body.bottomRight());
    edge.setColorAt(0, QColor(255, 255, 255, 230));
    edge.setColorAt(0.5, QColor(220, 214, 200, 120));
    edge.setColorAt(1, QColor(120, 105, 80, 230));
    p.setPen(QPen(QBrush(edge), 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawPath(rounded(body.adjusted(0.8, 0.8, -0.8, -0.8), 5.2));
    p.setPen(QPen(QColor(90, 75, 55, 200), 0.8));
    p.drawPath(path);
    const QPointF centre = body.center();
    if (face == 1) {
        paintPip(p, centre, 4.2, QColor(176, 22, 20));
    } else {
        for (const QPoint& g : pipsOf(face))
            paintPip(p, centre + QPointF(g.x() * 7.3, g.y() * 7.3), 2.6, QColor(34, 30, 28));
    }
}

QImage dicePanel()
{
    const QSize size(505, 121);
    QImage img = newCanvas(size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF all(0.5, 0.5, size.width() - 1.0, size.height() - 1.0);
    const QPainterPath outer = rounded(all, 7);
    // Walnut rim.
    p.save();
    p.setClipPath(outer);
    p.drawImage(0, 0, woodTexture(size, walnutWood(), 51u, 8.0f));
    p.restore();
    const QRectF feltRect(8, 8, size.width() - 16, size.height() - 16);
    const QPainterPath felt = rounded(feltRect, 4);
    {
        // Bevel the rim towards the felt.
        QLinearGradient g(all.topLeft(), all.bottomRight());
        g.setColorAt(0, QColor(255, 230, 190, 110));
        g.setColorAt(0.5, QColor(255, 230, 190, 0));
        g.setColorAt(1, QColor(0, 0, 0, 120));
        p.fillPath(outer.subtracted(rounded(all.adjusted(3, 3, -3, -3), 5)), g);
        QLinearGradient in(feltRect.topLeft(), feltRect.bottomRight());
        in.setColorAt(0, QColor(0, 0, 0, 130));
        in.setColorAt(0.5, QColor(0, 0, 0, 0));
        in.setColorAt(1, QColor(255, 230, 190, 90));
        p.fillPath(rounded(feltRect.adjusted(-3, -3, 3, 3), 6).subtracted(felt), in);
    }
    p.save();
    p.setClipPath(felt);
    p.drawImage(0, 0, feltTexture(size, QColor(38, 112, 64), 52u));
    // Lamp light: brighter in the middle of the cloth.
    QRadialGradient lamp(feltRect.center() - QPointF(40, 20), 300);
    lamp.setColorAt(0, QColor(255, 255, 200, 38));
    lamp.setColorAt(0.6, QColor(255, 255, 200, 0));
    lamp.setColorAt(1, QColor(0, 0, 0, 70));
    p.fillRect(feltRect, lamp);
    // Stitched seam around the playing area, above the status strip.
    QPen stitch(QColor(170, 215, 160, 110), 1.0, Qt::CustomDashLine);
    stitch.setDashPattern({3.0, 2.5});
    p.setPen(stitch);
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(13.5, 13.5, size.width() - 27.0, 70.0), 3, 3);
    // Embossed name on the free part of the cloth.
    QFont font(QStringLiteral("Liberation Serif"));
    font.setBold(true);
    font.setItalic(true);
    font.setPixelSize(30);
    QPainterPath word;
    word.addText(0, 0, font, QStringLiteral("Tilecrest"));
    const QRectF ink = word.boundingRect();
    word.translate(QPointF(392, 40) - ink.center());
    p.fillPath(word.translated(0, 1.2), QColor(190, 240, 180, 45));
    p.fillPath(word, QColor(10, 45, 20, 80));
    p.restore();
    innerShadow(p, felt, QPointF(2, 3), 4, QColor(0, 0, 0, 170));
    // Paper strip for the status line.
    const QRectF strip(10.5, 88.5, size.width() - 21.0, 18.0);
    const QPainterPath stripPath = rounded(strip, 2.5);
    dropShadow(p, stripPath, QPointF(0.5, 1.5), 2, QColor(0, 0, 0, 160));
    p.save();
    p.setClipPath(stripPath);
    p.drawImage(QPointF(strip.left(), strip.top()),
                parchmentTexture(strip.size().toSize() + QSize(1, 1), 53u, 4.0f));
    p.restore();
    p.setPen(QPen(QColor(120, 90, 50, 160), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(stripPath);
    p.setPen(QPen(QColor(30, 15, 5, 220), 1.0));
    p.drawPath(outer);
    return img;
}

} // namespace art
