#include "art/TileArt.h"

#include "art/Effects.h"
#include "art/Materials.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace art {

namespace {

const QRectF tileBody(1.0, 1.0, 45.0, 87.0);
const QRectF tileFace(6.0, 6.0, 35.0, 77.0);

void paintBevel(QPainter& p, const QPainterPath& outer, const QPainterPath& inner, int alphaLight,
                int alphaDark)
{
    const QRectF r = outer.boundingRect();
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0.0, QColor(255, 248, 230, alphaLight));
    g.setColorAt(0.45, QColor(255, 248, 230, 0));
    g.setColorAt(0.55, QColor(30, 15, 5, 0));
    g.setColorAt(1.0, QColor(30, 15, 5, alphaDark));
    p.fillPath(outer.subtracted(inner), g);
}

// The walnut shutter as a face-sized picture; it slides down over the face.
QImage shutterPicture(int number)
{
    const QSize size(static_cast<int>(tileFace.width()), static_cast<int>(tileFace.height()));
    QImage img = woodTexture(size, walnutWood(), 900u + static_cast<std::uint32_t>(number), 6.0f,
                             true);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF all(0, 0, size.width(), size.height());
    // Raised centre panel.
    const QRectF panel = all.adjusted(5, 6, -5, -12);
    const QPainterPath panelPath = rounded(panel, 2);
    paintBevel(p, rounded(panel.adjusted(-1.5, -1.5, 1.5, 1.5), 3), panelPath, 90, 150);
    QLinearGradient sheen(panel.topLeft(), panel.bottomLeft());
    sheen.setColorAt(0, QColor(255, 220, 170, 40));
    sheen.setColorAt(1, QColor(0, 0, 0, 40));
    p.fillPath(panelPath, sheen);
    // A small carved diamond in the panel.
    const QPointF c = panel.center();
    QPainterPath diamond;
    diamond.moveTo(c.x(), c.y() - 7);
    diamond.lineTo(c.x() + 4.5, c.y());
    diamond.lineTo(c.x(), c.y() + 7);
    diamond.lineTo(c.x() - 4.5, c.y());
    diamond.closeSubpath();
    p.fillPath(diamond.translated(0.6, 0.8), QColor(255, 220, 160, 55));
    p.fillPath(diamond, QColor(25, 12, 4, 150));
    // Lip at the leading (bottom) edge with a brass pull.
    const QRectF lip(0, size.height() - 7, size.width(), 7);
    QLinearGradient lipG(lip.topLeft(), lip.bottomLeft());
    lipG.setColorAt(0, QColor(255, 225, 180, 70));
    lipG.setColorAt(0.35, QColor(255, 225, 180, 0));
    lipG.setColorAt(1, QColor(0, 0, 0, 120));
    p.fillRect(lip, lipG);
    p.fillRect(QRectF(0, size.height() - 7.5, size.width(), 1), QColor(20, 10, 2, 120));
    const QPointF knob(size.width() / 2.0, size.height() - 3.6);
    QRadialGradient brass(knob - QPointF(0.8, 0.9), 3.2);
    brass.setColorAt(0, QColor(255, 244, 190));
    brass.setColorAt(0.5, QColor(214, 168, 70));
    brass.setColorAt(1, QColor(120, 80, 25));
    p.setPen(QPen(QColor(60, 35, 10), 0.6));
    p.setBrush(brass);
    p.drawEllipse(knob, 2.4, 2.4);
    return img;
}

QImage openTile(int number)
{
    QImage img = newCanvas(QSize(tileFrameWidth, tileFrameHeight));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QPainterPath body = rounded(tileBody, 4.0);
    dropShadow(p, body, QPointF(1.0, 2.0), 2, QColor(0, 0, 0, 140));
    // Maple body with a bevelled edge.
    p.save();
    p.setClipPath(body);
    p.drawImage(QPointF(0, 0), woodTexture(logicalSize(img), mapleWood(),
                                           100u + static_cast<std::uint32_t>(number), 5.0f, true));
    p.restore();
    paintBevel(p, body, rounded(tileBody.adjusted(2, 2, -2, -2), 3), 170, 140);
    // Ivory face, sunk into the body.
    const QPainterPath face = rounded(tileFace, 3.0);
    QLinearGradient ivory(tileFace.topLeft(), tileFace.bottomRight());
    ivory.setColorAt(0, QColor(255, 252, 238));
    ivory.setColorAt(1, QColor(236, 222, 188));
    p.fillPath(face, ivory);
    p.setPen(QPen(QColor(150, 110, 60, 70), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(tileFace.adjusted(3, 3, -3, -3), 2, 2);
    // The number, cut into the ivory and inked.
    QFont font(QStringLiteral("Liberation Serif"));
    font.setBold(true);
    font.setPixelSize(46);
    const QPainterPath digit =
        centredText(QString::number(number), font, tileFace.center() + QPointF(0.5, 0));
    p.fillPath(digit.translated(0, 1.0), QColor(255, 255, 255, 190));
    QLinearGradient ink(0, tileFace.top() + 20, 0, tileFace.bottom() - 20);
    ink.setColorAt(0, QColor(150, 36, 26));
    ink.setColorAt(1, QColor(92, 18, 14));
    p.fillPath(digit, ink);
    // Small dots above and below the number, as on engraved game pieces.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 36, 26, 170));
    p.drawEllipse(QPointF(tileFace.center().x(), tileFace.top() + 9.5), 1.6, 1.6);
    p.drawEllipse(QPointF(tileFace.center().x(), tileFace.bottom() - 9.5), 1.6, 1.6);
    innerShadow(p, face, QPointF(1.0, 1.5), 2, QColor(40, 20, 5, 170));
    return img;
}

} // namespace

QImage tileStrip(int number)
{
    const QImage open = openTile(number);
    const QImage shutter = shutterPicture(number);
    QImage strip = newCanvas(QSize(tileFrameWidth * tileFrames, tileFrameHeight));
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath face = rounded(tileFace, 3.0);
    // Ease out so the shutter starts quick and settles into place.
    const qreal cover[tileFrames] = {0.0, 0.3, 0.58, 0.82, 1.0};
    for (int f = 0; f < tileFrames; ++f) {
        p.save();
        p.translate(f * tileFrameWidth, 0);
        p.drawImage(0, 0, open);
        if (f > 0) {
            const qreal h = std::round(tileFace.height() * cover[f]);
            p.setClipPath(face);
            const qreal edge = tileFace.top() + h;
            // Shadow the shutter throws on the ivory below its edge.
            QLinearGradient shade(0, edge, 0, edge + 6);
            shade.setColorAt(0, QColor(20, 10, 0, 150));
            shade.setColorAt(1, QColor(20, 10, 0, 0));
            p.fillRect(QRectF(tileFace.left(), edge, tileFace.width(), 6), shade);
            p.drawImage(QPointF(tileFace.left(), edge - tileFace.height()), shutter);
            // The face's recess still shades the top of the shutter.
            innerShadow(p, face, QPointF(1.0, 1.5), 2, QColor(0, 0, 0, 150));
        }
        p.restore();
    }
    return strip;
}

QImage tileRow()
{
    const QSize size(505, 110);
    QImage img = newCanvas(size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF all(0, 0, size.width(), size.height());
    const QPainterPath outline = rounded(all.adjusted(0.5, 0.5, -0.5, -0.5), 5);
    // Back board: dark walnut, in shade under the tiles.
    p.save();
    p.setClipPath(outline);
    p.drawImage(0, 0, woodTexture(size, walnutWood(), 71u, 9.0f));
    QLinearGradient depth(0, 0, 0, 92);
    depth.setColorAt(0, QColor(0, 0, 0, 120));
    depth.setColorAt(0.25, QColor(0, 0, 0, 30));
    depth.setColorAt(1, QColor(0, 0, 0, 90));
    p.fillRect(QRectF(0, 0, size.width(), 92), depth);
    p.restore();
    // Maple dividers between the tiles and at both ends.
    const int lefts[9] = {7, 62, 117, 172, 227, 282, 337, 392, 448};
    const QImage maple = woodTexture(size, mapleWood(), 72u, 4.0f, true);
    auto post = [&](qreal x, qreal w) {
        const QRectF r(x, 1, w, 92);
        const QPainterPath path = rounded(r, 1.2);
        dropShadow(p, path, QPointF(1, 1), 2, QColor(0, 0, 0, 120));
        p.save();
        p.setClipPath(path);
        p.drawImage(0, 0, maple);
        QLinearGradient round(r.topLeft(), r.topRight());
        round.setColorAt(0, QColor(255, 250, 230, 110));
        round.setColorAt(0.5, QColor(255, 250, 230, 0));
        round.setColorAt(1, QColor(30, 15, 0, 110));
        p.fillRect(r, round);
        p.restore();
    };
    post(0.5, 5.5);
    for (int i = 0; i < 8; ++i) {
        const qreal gapStart = lefts[i] + 48;
        const qreal gap = lefts[i + 1] - gapStart;
        post(gapStart + gap / 2 - 1.5, 3.0);
    }
    post(size.width() - 6.0, 5.5);
    // Front rail: a rounded maple bar with the tile numbers inlaid in brass.
    const QRectF rail(0.5, 88.5, size.width() - 1.0, 21.0);
    const QPainterPath railPath = rounded(rail, 4.5);
    dropShadow(p, railPath, QPointF(0, -2), 3, QColor(0, 0, 0, 150));
    p.save();
    p.setClipPath(railPath);
    p.drawImage(0, 0, woodTexture(size, walnutWood(), 73u, 3.0f));
    QLinearGradient railShade(rail.topLeft(), rail.bottomLeft());
    railShade.setColorAt(0, QColor(255, 230, 190, 130));
    railShade.setColorAt(0.18, QColor(255, 230, 190, 25));
    railShade.setColorAt(0.7, QColor(60, 30, 5, 30));
    railShade.setColorAt(1, QColor(60, 30, 5, 150));
    p.fillRect(rail, railShade);
    p.restore();
    p.setPen(QPen(QColor(70, 40, 15, 200), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(railPath);
    QFont font(QStringLiteral("Liberation Serif"));
    font.setBold(true);
    font.setPixelSize(13);
    for (int i = 0; i < 9; ++i) {
        const QPointF centre(lefts[i] + 24.0, rail.center().y() + 0.5);
        const QPainterPath n = centredText(QString::number(i + 1), font, centre);
        // Cut: dark above, light rim below, brass fill.
        p.fillPath(n.translated(0, -0.8), QColor(20, 8, 0, 220));
        p.fillPath(n.translated(0, 0.8), QColor(255, 225, 170, 90));
        QLinearGradient brass(0, centre.y() - 5, 0, centre.y() + 5);
        brass.setColorAt(0, QColor(255, 236, 160));
        brass.setColorAt(1, QColor(206, 150, 60));
        p.fillPath(n, brass);
    }
    p.setPen(QPen(QColor(40, 22, 8, 220), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(outline);
    return img;
}

} // namespace art
