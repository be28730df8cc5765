#include "art/Effects.h"

#include <QPainter>

#include <algorithm>
#include <vector>

namespace art {

namespace {
thread_local qreal currentScale = 1.0;
thread_local const std::atomic<bool>* currentStop = nullptr;
}

Resolution::Resolution(qreal scale, const std::atomic<bool>* stop)
    : previous_(currentScale), previousStop_(currentStop) {
    currentScale = scale > 0 ? scale : 1.0;
    currentStop = stop;
}

Resolution::~Resolution() {
    currentScale = previous_;
    currentStop = previousStop_;
}

qreal Resolution::current() { return currentScale; }

qreal softScale() { return std::min<qreal>(currentScale, 1.5); }

namespace {

// A transparent canvas at softScale(), for a shadow's mask.
QImage softCanvas(QSize size)
{
    const qreal s = softScale();
    if (s == currentScale)
        return newCanvas(size);
    QImage image(qRound(size.width() * s), qRound(size.height() * s), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(s);
    image.fill(Qt::transparent);
    return image;
}

} // namespace

bool Resolution::stopping() { return currentStop && currentStop->load(std::memory_order_relaxed); }

QImage newSurface(QSize size)
{
    const qreal s = currentScale;
    if (s == 1.0)
        return QImage(size, QImage::Format_ARGB32_Premultiplied);
    QImage image(qRound(size.width() * s), qRound(size.height() * s), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(s);
    return image;
}

QImage newCanvas(QSize size)
{
    QImage image = newSurface(size);
    image.fill(Qt::transparent);
    return image;
}

QSize logicalSize(const QImage& image)
{
    return image.deviceIndependentSize().toSize();
}

QColor mix(const QColor& a, const QColor& b, float t)
{
    t = std::clamp(t, 0.0f, 1.0f);
    auto lerp = [t](float x, float y) { return x + (y - x) * t; };
    return QColor::fromRgbF(lerp(a.redF(), b.redF()), lerp(a.greenF(), b.greenF()),
                            lerp(a.blueF(), b.blueF()), lerp(a.alphaF(), b.alphaF()));
}

namespace {

// One running-sum box pass along rows (horizontal) or columns.
void boxPass(QImage& image, int radius, bool horizontal)
{
    const int w = image.width();
    const int h = image.height();
    const int lines = horizontal ? h : w;
    const int length = horizontal ? w : h;
    // Straight through the pixel memory: a scanLine() per pixel costs more
    // than the sum itself.
    auto* bits = reinterpret_cast<QRgb*>(image.bits());
    const qsizetype stride = image.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
    const qsizetype lineStep = horizontal ? stride : 1;
    const qsizetype pixelStep = horizontal ? 1 : stride;
    std::vector<QRgb> line(static_cast<std::size_t>(length));
    const int window = 2 * radius + 1;
    for (int l = 0; l < lines; ++l) {
        QRgb* first = bits + l * lineStep;
        for (int i = 0; i < length; ++i)
            line[static_cast<std::size_t>(i)] = first[i * pixelStep];
        int a = 0, r = 0, g = 0, b = 0;
        // Pixels beyond the edge count as transparent so shapes fade out.
        for (int i = -radius; i <= radius; ++i) {
            if (i < 0 || i >= length)
                continue;
            const QRgb c = line[static_cast<std::size_t>(i)];
            a += qAlpha(c); r += qRed(c); g += qGreen(c); b += qBlue(c);
        }
        for (int i = 0; i < length; ++i) {
            first[i * pixelStep] = qRgba(r / window, g / window, b / window, a / window);
            const int out = i - radius;
            const int in = i + radius + 1;
            if (out >= 0) {
                const QRgb c = line[static_cast<std::size_t>(out)];
                a -= qAlpha(c); r -= qRed(c); g -= qGreen(c); b -= qBlue(c);
            }
            if (in < length) {
                const QRgb c = line[static_cast<std::size_t>(in)];
                a += qAlpha(c); r += qRed(c); g += qGreen(c); b += qBlue(c);
            }
        }
    }
}

} // namespace

void blur(QImage& image, int radius)
{
    radius = qRound(radius * image.devicePixelRatio());
    if (radius <= 0 || image.isNull())
        return;
    if (image.format() != QImage::Format_ARGB32_Premultiplied)
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    // Three box passes of a third of the radius each approach a Gaussian.
    const int step = std::max(1, radius / 2);
    for (int pass = 0; pass < 3; ++pass) {
        boxPass(image, step, true);
        boxPass(image, step, false);
    }
}

void dropShadow(QPainter& painter, const QPainterPath& path, QPointF offset, int radius,
                const QColor& color, bool outsideOnly)
{
    const int pad = radius * 2 + 2;
    const QRectF bounds = path.boundingRect().adjusted(-pad, -pad, pad, pad);
    QImage mask = softCanvas(bounds.size().toSize() + QSize(1, 1));
    {
        QPainter mp(&mask);
        mp.setRenderHint(QPainter::Antialiasing);
        mp.translate(-bounds.topLeft());
        mp.fillPath(path, color);
    }
    blur(mask, radius);
    painter.save();
    if (outsideOnly) {
        QPainterPath around;
        around.addRect(bounds.adjusted(-pad, -pad, pad, pad).translated(offset));
        painter.setClipPath(around.subtracted(path), Qt::IntersectClip);
    }
    // A mask made coarser is enlarged smoothly.
    if (mask.devicePixelRatio() != currentScale)
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(bounds.topLeft() + offset, mask);
    painter.restore();
}

void innerShadow(QPainter& painter, const QPainterPath& path, QPointF offset, int radius,
                 const QColor& color)
{
    const int pad = radius * 3 + 4;
    const QRectF bounds = path.boundingRect().adjusted(-pad, -pad, pad, pad);
    QImage mask = softCanvas(bounds.size().toSize() + QSize(1, 1));
    {
        QPainter mp(&mask);
        mp.setRenderHint(QPainter::Antialiasing);
        mp.translate(-bounds.topLeft());
        QPainterPath outside;
        outside.addRect(bounds);
        outside = outside.subtracted(path);
        mp.fillPath(outside, color);
    }
    blur(mask, radius);
    painter.save();
    painter.setClipPath(path, Qt::IntersectClip);
    if (mask.devicePixelRatio() != currentScale)
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(bounds.topLeft() + offset, mask);
    painter.restore();
}

QPainterPath rounded(const QRectF& r, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

QPainterPath centredText(const QString& text, const QFont& font, QPointF centre)
{
    QPainterPath path;
    path.addText(0, 0, font, text);
    path.translate(centre - path.boundingRect().center());
    return path;
}

} // namespace art
