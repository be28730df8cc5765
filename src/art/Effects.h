#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QSize>

#include <atomic>

class QPainter;

// Small painting helpers shared by every picture: blending, blur and shadows.
namespace art {

// The version of the drawings: raised whenever any picture comes out
// differently, so pictures kept from an earlier version are drawn again.
constexpr int artVersion = 2;

// Every picture is drawn in its 1x units. While a Resolution is alive on a
// thread, the canvases and surfaces made on that thread have `scale` times
// the pixels and that device pixel ratio, so the same drawing comes out at
// any size, crisp. Scale 1 gives exactly the packaged pictures.
// `stop`, when given and set (from any thread), cuts the drawing short:
// the surfaces come out unfinished, for a caller that no longer wants them.
class Resolution {
public:
    explicit Resolution(qreal scale, const std::atomic<bool>* stop = nullptr);
    ~Resolution();
    Resolution(const Resolution&) = delete;
    Resolution& operator=(const Resolution&) = delete;
    // The scale in force on this thread (1 outside any Resolution).
    static qreal current();
    // True when this thread's drawing was asked to stop.
    static bool stopping();

private:
    qreal previous_;
    const std::atomic<bool>* previousStop_;
};

// The resolution soft things are computed at: grain, cloth, paper and
// shadows hold no edge to keep sharp, so above 1.5 they are computed at 1.5
// and enlarged smoothly (at 3x a quarter of the work). Edges drawn over them
// stay at the full resolution.
qreal softScale();

// A transparent ARGB32 premultiplied canvas of the given size in 1x units
// (its pixels: the size times Resolution::current()).
QImage newCanvas(QSize size);

// An uninitialised opaque-capable surface of `size` 1x units at the current
// resolution, for the per-pixel materials.
QImage newSurface(QSize size);

// The 1x size of a picture made at any resolution.
QSize logicalSize(const QImage& image);

// A rounded rectangle as a path.
QPainterPath rounded(const QRectF& r, qreal radius);

// Glyph outline of `text` centred on `centre` by its ink, not its line box,
// so digits sit in the optical middle of a face.
QPainterPath centredText(const QString& text, const QFont& font, QPointF centre);

// Linear blend of two colours, t = 0 gives a, t = 1 gives b (t is clamped).
QColor mix(const QColor& a, const QColor& b, float t);

// Approximate Gaussian blur in place (three box passes); `radius` is in 1x
// units and grows with the image's device pixel ratio. radius <= 0 leaves
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
