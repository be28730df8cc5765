#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QSize>

class QPainter;

// Small painting helpers shared by every picture: blending, blur and shadows.
namespace art {

// A transparent ARGB32 premultiplied canvas of the given size.
QImage newCanvas(QSize size);

// A rounded rectangle as a path.
QPainterPath rounded(const QRectF& r, qreal radius);

// Glyph outline of `text` centred on `centre` by its ink, not its line box,
// so digits sit in the optical middle of a face.
QPainterPath centredText(const QString& text, const QFont& font, QPointF centre);

// Linear blend of two colours, t = 0 gives a, t = 1 gives b (t is clamped).
QColor mix(const QColor& a, const QColor& b, float t);

// Approximate Gaussian blur in place (three box passes). radius <= 0 leaves
// the image unchanged. Works on any format; converts to premultiplied ARGB.
void blur(QImage& image, int radius);

// A soft drop shadow of `path`, moved by `offset` and blurred by `radius`,
// painted with the painter's current transform and clip. With `outsideOnly`
// the shadow is left out under the shape itself, for a background that is
// also seen where the shape is not drawn over it.
void dropShadow(QPainter& painter, const QPainterPath& path, QPointF offset, int radius,
                const QColor& color, bool outsideOnly = false);

// Shade just inside the edge of `path`, as if it were sunk into the surface;
// light falls from the top left, so the shadow hugs the top and left edges.
void innerShadow(QPainter& painter, const QPainterPath& path, QPointF offset, int radius,
                 const QColor& color);

} // namespace art
