#include "art/SmallArt.h"

#include "art/Effects.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace art {

QImage markPennant(const QColor& flag)
{
    QImage img = newCanvas(QSize(11, 15));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Pole.
    p.setPen(QPen(QColor(70, 45, 20), 1.3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(2.0, 2.0), QPointF(2.0, 14.2));
    p.setPen(QPen(QColor(170, 130, 80), 0.5));
    p.drawLine(QPointF(1.7, 3.0), QPointF(1.7, 13.5));
    // Swallow-tailed flag, shaded from the pole outwards.
    QPainterPath cloth;
    cloth.moveTo(2.6, 1.3);
    cloth.cubicTo(5.0, 0.6, 7.5, 2.0, 10.8, 1.4);
    cloth.lineTo(8.0, 5.3);
    cloth.lineTo(10.8, 9.4);
    cloth.cubicTo(7.5, 9.8, 5.0, 8.4, 2.6, 9.4);
    cloth.closeSubpath();
    QLinearGradient g(2.6, 2, 10.8, 9);
    g.setColorAt(0, flag.lighter(135));
    g.setColorAt(0.6, flag);
    g.setColorAt(1, flag.darker(135));
    p.setPen(QPen(flag.darker(220), 0.7));
    p.setBrush(g);
    p.drawPath(cloth);
    // Brass finial on top of the pole.
    QRadialGradient brass(QPointF(1.6, 1.0), 1.8);
    brass.setColorAt(0, QColor(255, 240, 170));
    brass.setColorAt(1, QColor(170, 120, 30));
    p.setPen(Qt::NoPen);
    p.setBrush(brass);
    p.drawEllipse(QPointF(2.0, 1.5), 1.4, 1.4);
    return img;
}

QImage watchingEyes()
{
    QImage img = newCanvas(QSize(29, 10));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    for (qreal cx : {7.5, 21.5}) {
        const QRectF eye(cx - 6.3, 0.8, 12.6, 8.4);
        QRadialGradient white(QPointF(cx - 1.5, 3.5), 8);
        white.setColorAt(0, QColor(255, 255, 255));
        white.setColorAt(1, QColor(205, 200, 195));
        p.setPen(Qt::NoPen);
        p.setBrush(white);
        p.drawEllipse(eye);
        p.save();
        QPainterPath clip;
        clip.addEllipse(eye);
        p.setClipPath(clip);
        // Iris and pupil looking to the right.
        const QPointF iris(cx + 2.2, 5.2);
        QRadialGradient irisG(iris - QPointF(0.6, 0.8), 3.2);
        irisG.setColorAt(0, QColor(120, 170, 220));
        irisG.setColorAt(1, QColor(30, 70, 130));
        p.setBrush(irisG);
        p.drawEllipse(iris, 3.0, 3.0);
        p.setBrush(QColor(10, 10, 20));
        p.drawEllipse(iris, 1.4, 1.4);
        p.setBrush(QColor(255, 255, 255, 230));
        p.drawEllipse(iris + QPointF(-0.9, -1.0), 0.7, 0.7);
        // Upper lid shade.
        QLinearGradient lid(0, 0.8, 0, 4);
        lid.setColorAt(0, QColor(90, 60, 40, 150));
        lid.setColorAt(1, QColor(90, 60, 40, 0));
        p.fillRect(eye, lid);
        p.restore();
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(45, 30, 20), 1.0));
        p.drawEllipse(eye);
    }
    return img;
}

QImage turnArrow()
{
    QImage img = newCanvas(QSize(16, 16));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    arrow.moveTo(1.0, 5.3);
    arrow.lineTo(7.5, 5.3);
    arrow.lineTo(7.5, 1.5);
    arrow.lineTo(14.6, 7.8);
    arrow.lineTo(7.5, 14.1);
    arrow.lineTo(7.5, 10.3);
    arrow.lineTo(1.0, 10.3);
    arrow.closeSubpath();
    dropShadow(p, arrow, QPointF(0.8, 1.0), 1, QColor(0, 0, 0, 150));
    QLinearGradient g(0, 1.5, 0, 14.1);
    g.setColorAt(0, QColor(240, 90, 60));
    g.setColorAt(0.5, QColor(196, 36, 24));
    g.setColorAt(1, QColor(130, 16, 10));
    p.setPen(QPen(QColor(70, 10, 5), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(g);
    p.drawPath(arrow);
    // Glint along the upper half.
    p.setPen(QPen(QColor(255, 210, 190, 170), 0.8));
    p.drawLine(QPointF(2.0, 6.4), QPointF(8.3, 6.4));
    p.drawLine(QPointF(8.6, 3.8), QPointF(12.2, 7.0));
    return img;
}

namespace {

void paintTinyDie(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(QColor(70, 35, 10), 0.8));
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, QColor(255, 255, 250));
    g.setColorAt(1, QColor(215, 205, 185));
    p.setBrush(g);
    p.drawRoundedRect(r, 2.2, 2.2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 25, 15));
    const QPointF c = r.center();
    const qreal d = r.width() * 0.26;
    for (const QPointF& o : {QPointF(-d, -d), QPointF(0, 0), QPointF(d, d)})
        p.drawEllipse(c + o, 1.05, 1.05);
}

void paintPlay(QPainter& p, const QRectF& r)
{
    QPainterPath tri;
    tri.moveTo(r.left() + 1, r.top());
    tri.lineTo(r.right(), r.center().y());
    tri.lineTo(r.left() + 1, r.bottom());
    tri.closeSubpath();
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(60, 150, 70));
    g.setColorAt(1, QColor(20, 90, 35));
    p.setPen(QPen(QColor(20, 50, 15), 0.8));
    p.setBrush(g);
    p.drawPath(tri);
}

} // namespace

QImage brassButton(const QString& caption, ButtonIcon icon)
{
    QImage img = newCanvas(QSize(97, 19));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF body(0.5, 0.5, 96.0, 17.5);
    QPainterPath path;
    path.addRoundedRect(body, 5, 5);
    // A hard one-pixel shadow: the button stands on the cloth.
    p.fillPath(path.translated(0, 0.8), QColor(0, 0, 0, 120));
    QLinearGradient brass(body.topLeft(), body.bottomLeft());
    brass.setColorAt(0, QColor(255, 240, 176));
    brass.setColorAt(0.42, QColor(236, 190, 92));
    brass.setColorAt(0.5, QColor(218, 164, 62));
    brass.setColorAt(1, QColor(176, 116, 36));
    p.setPen(QPen(QColor(92, 54, 16), 1.0));
    p.setBrush(brass);
    p.drawPath(path);
    p.setPen(QPen(QColor(255, 252, 230, 170), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(body.adjusted(1.3, 1.3, -1.3, -1.3), 4, 4);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setBold(true);
    font.setPixelSize(12);
    const qreal iconW = 10.0;
    const qreal gap = 5.0;
    // A caption longer than the button (another language's) is set smaller.
    while (font.pixelSize() > 8 && iconW + gap + QFontMetricsF(font).horizontalAdvance(caption) > body.width() - 8)
        font.setPixelSize(font.pixelSize() - 1);
    const QFontMetricsF fm(font);
    const qreal textW = fm.horizontalAdvance(caption);
    const qreal startX = body.center().x() - (iconW + gap + textW) / 2.0;
    const QRectF iconRect(startX, 4.5, iconW, iconW);
    if (icon == ButtonIcon::Die)
        paintTinyDie(p, iconRect);
    else
        paintPlay(p, iconRect.adjusted(0.5, 0, 0, 0));
    const qreal baseline = body.center().y() + (fm.capHeight() / 2.0);
    const QPointF at(startX + iconW + gap, baseline);
    QPainterPath text;
    text.addText(at, font, caption);
    p.fillPath(text.translated(0, 1.0), QColor(255, 246, 210, 180));
    p.fillPath(text, QColor(66, 32, 8));
    return img;
}

} // namespace art
