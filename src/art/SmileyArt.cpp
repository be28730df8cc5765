#include "art/SmileyArt.h"

#include "art/Effects.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace art {

namespace {

const QPointF centre(8.5, 8.0);
constexpr qreal radius = 7.1;
const QColor ink(60, 32, 8);

struct FaceColours {
    QColor light, mid, dark, rim;
};

const FaceColours yellow{QColor(255, 250, 180), QColor(250, 206, 40), QColor(214, 140, 10),
                         QColor(130, 80, 10)};
const FaceColours angryRed{QColor(255, 200, 150), QColor(240, 100, 40), QColor(180, 40, 20),
                           QColor(110, 20, 10)};
const FaceColours devilPurple{QColor(230, 170, 255), QColor(160, 70, 200), QColor(100, 30, 140),
                              QColor(60, 10, 80)};
const FaceColours sickGreen{QColor(230, 255, 190), QColor(170, 210, 80), QColor(110, 150, 40),
                            QColor(60, 90, 20)};

void paintFace(QPainter& p, const FaceColours& c)
{
    QRadialGradient g(centre - QPointF(2.2, 2.6), radius * 1.5);
    g.setColorAt(0, c.light);
    g.setColorAt(0.5, c.mid);
    g.setColorAt(1, c.dark);
    p.setPen(QPen(c.rim, 0.9));
    p.setBrush(g);
    p.drawEllipse(centre, radius, radius);
    // Gloss.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 110));
    p.drawEllipse(QPointF(6.2, 3.6), 2.6, 1.2);
}

void dotEyes(QPainter& p, qreal dx = 0, qreal dy = 0)
{
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(QPointF(6.3 + dx, 6.4 + dy), 1.0, 1.5);
    p.drawEllipse(QPointF(10.7 + dx, 6.4 + dy), 1.0, 1.5);
}

void stroke(QPainter& p, const QPainterPath& path, qreal width = 1.1, QColor colour = ink)
{
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

QPainterPath arc(QPointF from, QPointF control, QPointF to)
{
    QPainterPath path;
    path.moveTo(from);
    path.quadTo(control, to);
    return path;
}

QPainterPath smile() { return arc({5.0, 9.8}, {8.5, 13.6}, {12.0, 9.8}); }
QPainterPath frown() { return arc({5.6, 12.4}, {8.5, 9.4}, {11.4, 12.4}); }
QPainterPath flat() { return arc({5.8, 11.0}, {8.5, 11.0}, {11.2, 11.0}); }

void happyEyes(QPainter& p)
{
    stroke(p, arc({5.1, 7.0}, {6.3, 4.8}, {7.5, 7.0}), 1.0);
    stroke(p, arc({9.5, 7.0}, {10.7, 4.8}, {11.9, 7.0}), 1.0);
}

void heart(QPainter& p, QPointF c, qreal s, const QColor& colour)
{
    QPainterPath h;
    h.moveTo(c.x(), c.y() + s * 0.9);
    h.cubicTo(c.x() - s * 1.4, c.y() - s * 0.1, c.x() - s * 0.7, c.y() - s * 1.2, c.x(),
              c.y() - s * 0.4);
    h.cubicTo(c.x() + s * 0.7, c.y() - s * 1.2, c.x() + s * 1.4, c.y() - s * 0.1, c.x(),
              c.y() + s * 0.9);
    p.setPen(QPen(colour.darker(170), 0.5));
    p.setBrush(colour);
    p.drawPath(h);
}

void openMouth(QPainter& p)
{
    QPainterPath m;
    m.moveTo(4.9, 9.2);
    m.quadTo(8.5, 10.0, 12.1, 9.2);
    m.quadTo(11.4, 14.2, 8.5, 14.0);
    m.quadTo(5.6, 14.2, 4.9, 9.2);
    p.setPen(QPen(ink, 0.8));
    p.setBrush(QColor(110, 20, 20));
    p.drawPath(m);
    p.save();
    p.setClipPath(m);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 90, 90));
    p.drawEllipse(QPointF(8.5, 14.0), 2.6, 1.8);
    p.setBrush(QColor(255, 255, 255));
    p.drawRect(QRectF(5.0, 9.0, 7.0, 1.3));
    p.restore();
}

} // namespace

QImage smiley(int index)
{
    QImage img = newCanvas(QSize(17, 16));
    if (index < 0 || index >= smileyCount)
        return img;
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    switch (index) {
    case 0: // happy
        paintFace(p, yellow);
        dotEyes(p);
        stroke(p, smile());
        break;
    case 1: // wink
        paintFace(p, yellow);
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawEllipse(QPointF(10.7, 6.4), 1.0, 1.5);
        stroke(p, arc({5.0, 6.9}, {6.3, 5.6}, {7.6, 6.9}), 1.0);
        stroke(p, arc({5.0, 9.6}, {9.0, 13.4}, {12.2, 9.0}));
        break;
    case 2: // sad
        paintFace(p, yellow);
        dotEyes(p, 0, 0.3);
        stroke(p, frown());
        break;
    case 3: // laugh
        paintFace(p, yellow);
        happyEyes(p);
        openMouth(p);
        break;
    case 4: { // tongue
        paintFace(p, yellow);
        dotEyes(p);
        QPainterPath tongue;
        tongue.moveTo(7.0, 10.6);
        tongue.lineTo(10.8, 10.6);
        tongue.quadTo(11.0, 14.6, 8.9, 14.6);
        tongue.quadTo(6.8, 14.6, 7.0, 10.6);
        p.setPen(QPen(QColor(150, 30, 40), 0.6));
        p.setBrush(QColor(240, 90, 110));
        p.drawPath(tongue);
        stroke(p, arc({4.8, 10.2}, {8.5, 11.4}, {12.2, 10.2}));
        break;
    }
    case 5: // surprised
        paintFace(p, yellow);
        p.setPen(QPen(ink, 0.8));
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(6.2, 6.2), 1.6, 1.9);
        p.drawEllipse(QPointF(10.8, 6.2), 1.6, 1.9);
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawEllipse(QPointF(6.2, 6.4), 0.8, 0.9);
        p.drawEllipse(QPointF(10.8, 6.4), 0.8, 0.9);
        p.setPen(QPen(ink, 0.8));
        p.setBrush(QColor(110, 20, 20));
        p.drawEllipse(QPointF(8.5, 11.6), 1.7, 2.0);
        break;
    case 6: { // cool
        paintFace(p, yellow);
        QPainterPath glasses;
        glasses.addRoundedRect(QRectF(3.4, 4.8, 4.6, 3.4), 1.2, 1.2);
        glasses.addRoundedRect(QRectF(9.0, 4.8, 4.6, 3.4), 1.2, 1.2);
        p.setPen(QPen(QColor(10, 10, 10), 0.8));
        p.setBrush(QColor(20, 20, 30));
        p.drawPath(glasses);
        p.drawLine(QPointF(1.8, 5.4), QPointF(15.2, 5.4));
        p.setPen(QPen(QColor(255, 255, 255, 170), 0.6));
        p.drawLine(QPointF(4.4, 5.6), QPointF(5.6, 5.6));
        p.drawLine(QPointF(10.0, 5.6), QPointF(11.2, 5.6));
        stroke(p, arc({6.0, 11.0}, {9.5, 12.8}, {12.0, 9.8}));
        break;
    }
    case 7: // angry
        paintFace(p, angryRed);
        stroke(p, arc({4.4, 3.9}, {6.0, 4.6}, {7.6, 5.7}), 1.1);
        stroke(p, arc({9.4, 5.7}, {11.0, 4.6}, {12.6, 3.9}), 1.1);
        dotEyes(p, 0, 1.0);
        stroke(p, arc({5.6, 12.6}, {8.5, 10.2}, {11.4, 12.6}), 1.2);
        break;
    case 8: { // crying
        paintFace(p, yellow);
        stroke(p, arc({5.0, 7.0}, {6.3, 8.0}, {7.6, 7.0}), 1.0);
        stroke(p, arc({9.4, 7.0}, {10.7, 8.0}, {12.0, 7.0}), 1.0);
        stroke(p, frown());
        QPainterPath tear;
        tear.moveTo(4.6, 8.0);
        tear.quadTo(3.2, 10.8, 4.6, 11.2);
        tear.quadTo(6.0, 10.8, 4.6, 8.0);
        p.setPen(QPen(QColor(30, 80, 170), 0.5));
        p.setBrush(QColor(110, 180, 255));
        p.drawPath(tear);
        p.drawPath(tear.translated(8.2, 0.8));
        break;
    }
    case 9: // blushing
        paintFace(p, yellow);
        happyEyes(p);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 90, 90, 150));
        p.drawEllipse(QPointF(4.4, 9.4), 1.7, 1.1);
        p.drawEllipse(QPointF(12.6, 9.4), 1.7, 1.1);
        stroke(p, arc({6.6, 10.6}, {8.5, 12.4}, {10.4, 10.6}));
        break;
    case 10: { // confused
        paintFace(p, yellow);
        dotEyes(p);
        stroke(p, arc({4.8, 4.2}, {6.2, 3.2}, {7.6, 4.2}), 0.9);
        stroke(p, arc({9.6, 4.8}, {10.8, 4.8}, {12.0, 4.9}), 0.9);
        QPainterPath wave;
        wave.moveTo(5.2, 11.4);
        wave.quadTo(6.4, 10.2, 7.6, 11.2);
        wave.quadTo(8.8, 12.2, 10.0, 11.0);
        wave.quadTo(11.0, 10.2, 12.0, 10.8);
        stroke(p, wave);
        break;
    }
    case 11: { // sleepy
        paintFace(p, yellow);
        stroke(p, arc({5.0, 7.0}, {6.3, 8.0}, {7.6, 7.0}), 1.0);
        stroke(p, arc({9.4, 7.0}, {10.7, 8.0}, {12.0, 7.0}), 1.0);
        p.setPen(QPen(ink, 0.8));
        p.setBrush(QColor(110, 20, 20));
        p.drawEllipse(QPointF(8.5, 11.6), 1.0, 1.2);
        QPainterPath z;
        z.moveTo(12.4, 0.8);
        z.lineTo(15.6, 0.8);
        z.lineTo(12.4, 4.0);
        z.lineTo(15.6, 4.0);
        stroke(p, z, 0.9, QColor(40, 70, 160));
        break;
    }
    case 12: { // kiss
        paintFace(p, yellow);
        stroke(p, arc({5.0, 6.9}, {6.3, 5.6}, {7.6, 6.9}), 1.0);
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawEllipse(QPointF(10.7, 6.4), 1.0, 1.5);
        QPainterPath lips;
        lips.moveTo(7.4, 10.0);
        lips.quadTo(9.4, 10.4, 8.0, 11.4);
        lips.quadTo(9.6, 12.4, 7.4, 12.8);
        stroke(p, lips, 1.0, QColor(170, 20, 40));
        heart(p, QPointF(13.6, 11.8), 2.2, QColor(235, 40, 60));
        break;
    }
    case 13: { // devil
        QPainterPath horns;
        horns.moveTo(2.6, 4.6);
        horns.quadTo(1.4, 1.2, 2.8, 0.2);
        horns.quadTo(3.4, 2.6, 5.4, 3.0);
        horns.closeSubpath();
        horns.moveTo(14.4, 4.6);
        horns.quadTo(15.6, 1.2, 14.2, 0.2);
        horns.quadTo(13.6, 2.6, 11.6, 3.0);
        horns.closeSubpath();
        p.setPen(QPen(QColor(60, 10, 80), 0.6));
        p.setBrush(QColor(120, 40, 160));
        p.drawPath(horns);
        paintFace(p, devilPurple);
        stroke(p, arc({4.6, 4.6}, {6.0, 5.4}, {7.6, 6.2}), 1.0, QColor(40, 0, 50));
        stroke(p, arc({9.4, 6.2}, {11.0, 5.4}, {12.4, 4.6}), 1.0, QColor(40, 0, 50));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 0, 50));
        p.drawEllipse(QPointF(6.4, 7.4), 0.9, 1.1);
        p.drawEllipse(QPointF(10.6, 7.4), 0.9, 1.1);
        QPainterPath grin;
        grin.moveTo(4.6, 9.6);
        grin.quadTo(8.5, 11.0, 12.4, 9.6);
        grin.quadTo(8.5, 15.0, 4.6, 9.6);
        p.setPen(QPen(QColor(40, 0, 50), 0.7));
        p.setBrush(Qt::white);
        p.drawPath(grin);
        break;
    }
    case 14: // rolling eyes
        paintFace(p, yellow);
        p.setPen(QPen(ink, 0.7));
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(6.2, 6.4), 1.7, 2.0);
        p.drawEllipse(QPointF(10.8, 6.4), 1.7, 2.0);
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawEllipse(QPointF(6.6, 5.3), 0.9, 0.9);
        p.drawEllipse(QPointF(11.2, 5.3), 0.9, 0.9);
        stroke(p, arc({6.0, 11.4}, {8.5, 10.8}, {11.0, 11.4}));
        break;
    case 15: // neutral
        paintFace(p, yellow);
        dotEyes(p);
        stroke(p, flat());
        break;
    case 16: // in love
        paintFace(p, yellow);
        heart(p, QPointF(6.0, 6.6), 2.1, QColor(230, 30, 50));
        heart(p, QPointF(11.0, 6.6), 2.1, QColor(230, 30, 50));
        stroke(p, smile());
        break;
    case 17: { // sick
        paintFace(p, sickGreen);
        stroke(p, arc({5.0, 6.0}, {6.3, 7.4}, {7.6, 6.4}), 1.0, QColor(40, 60, 10));
        stroke(p, arc({9.4, 6.4}, {10.7, 7.4}, {12.0, 6.0}), 1.0, QColor(40, 60, 10));
        QPainterPath wave;
        wave.moveTo(5.0, 11.6);
        wave.quadTo(5.9, 10.4, 6.8, 11.6);
        wave.quadTo(7.7, 12.8, 8.6, 11.6);
        wave.quadTo(9.5, 10.4, 10.4, 11.6);
        wave.quadTo(11.3, 12.8, 12.2, 11.6);
        stroke(p, wave, 1.0, QColor(40, 60, 10));
        break;
    }
    default:
        break;
    }
    return img;
}

} // namespace art
