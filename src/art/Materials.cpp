#include "art/Materials.h"

#include "art/Effects.h"
#include "art/ValueNoise.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <utility>

namespace art {

namespace {

constexpr float pi = 3.14159265f;

// A surface for a material of `size` 1x units, at softScale().
QImage materialSurface(QSize size)
{
    const qreal s = softScale();
    if (s == Resolution::current())
        return newSurface(size);
    QImage image(qRound(size.width() * s), qRound(size.height() * s), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(s);
    return image;
}

// The material at the current resolution (as newSurface would have made it).
QImage finished(QImage image, QSize size)
{
    const qreal s = Resolution::current();
    if (image.devicePixelRatio() == s)
        return image;
    image = image.scaled(qRound(size.width() * s), qRound(size.height() * s), Qt::IgnoreAspectRatio,
                         Qt::SmoothTransformation);
    image.setDevicePixelRatio(s);
    return image;
}

// mix(a, b, t).rgba() for many t with the same two colours, the same bytes
// without a QColor for every pixel.
class Blend {
public:
    Blend(const QColor& a, const QColor& b)
        : a_{a.redF(), a.greenF(), a.blueF(), a.alphaF()}, b_{b.redF(), b.greenF(), b.blueF(), b.alphaF()} {}
    QRgb at(float t) const
    {
        t = std::clamp(t, 0.0f, 1.0f);
        int c[4];
        for (int i = 0; i < 4; ++i) {
            const float v = a_[i] + (b_[i] - a_[i]) * t;
            // As QColor stores a channel (16 bits) and gives it back in 8.
            const int wide = std::clamp(qRound(v * 65535), 0, 65535);
            c[i] = (wide + 0x80 - ((wide + 0x80) >> 8)) >> 8;
        }
        return qRgba(c[0], c[1], c[2], c[3]);
    }

private:
    float a_[4];
    float b_[4];
};

// 1x units per pixel of a surface made at the current resolution.
float unitPerPixel(const QImage& image) { return static_cast<float>(1.0 / image.devicePixelRatio()); }

// Pixel i of such a surface in 1x units; exactly i at 1x.
float at(int i, float unit) { return unit == 1.0f ? static_cast<float>(i) : (static_cast<float>(i) + 0.5f) * unit - 0.5f; }

// The 1x pixel a finer pixel lies in, for the per-pixel speckle.
int cell(int i, float unit) { return unit == 1.0f ? i : static_cast<int>(std::floor(static_cast<float>(i) * unit)); }

// The parts of the grain that change slowly along a row of constant
// `across`: the rings' warp, the broad tone and the fibres.
struct SlowGrain {
    float warp;
    float broad;
    float fibre;
};

SlowGrain slowGrain(const ValueNoise& noise, float along, float across)
{
    return {noise.fbm(along / 240.0f, across / 45.0f, 4) * 3.2f, noise.fbm(along / 300.0f, across / 60.0f, 2),
            noise.fbm(along / 90.0f, across / 1.1f, 3)};
}

// `exactRings`: the ring's sine of the whole argument, as the packaged
// pictures have it; else of its fraction, the same curve at a fraction of
// the cost for large arguments.
QRgb woodPixel(const Blend& tone, float across, float ringScale, const SlowGrain& slow, bool exactRings)
{
    // Rings: a slowly warped sine across the grain, sharpened so the late
    // wood shows as thin darker lines on lighter early wood.
    const float t = across / ringScale + slow.warp;
    float ring = 0.5f + 0.5f * (exactRings ? std::sin(t * 2.0f * pi) : std::sin((t - std::round(t)) * 2.0f * pi));
    ring = ring * ring * ring * ring;
    // Fibres (long fine streaks along the grain) and broad tone changes so
    // a large surface does not look printed.
    float v = 0.34f * ring + 0.40f * slow.fibre + 0.36f * slow.broad - 0.06f;
    return tone.at(v);
}

// One row of grain; `coords(x)` gives pixel x's (along, across) in 1x
// units. Finer than 1x the slow parts are exact every few pixels and linear
// in between (the fibres only where `across` holds still along the row,
// their fine direction being across): a fraction of the noise for the same
// look. At 1x every pixel is exact, so the packaged pictures stay as they
// are.
template <typename Coords>
void woodRow(QRgb* row, int width, float unit, const ValueNoise& noise, const Blend& tone, float ringScale,
             Coords coords)
{
    if (unit == 1.0f) {
        for (int x = 0; x < width; ++x) {
            const auto [along, across] = coords(x);
            row[x] = woodPixel(tone, across, ringScale, slowGrain(noise, along, across), true);
        }
        return;
    }
    constexpr int kStep = 4;
    // Within this much (1x units) the fibres count as holding still.
    constexpr float kStill = 0.02f;
    auto sampleAt = [&](int x) {
        const auto [along, across] = coords(x);
        return std::pair{slowGrain(noise, along, across), across};
    };
    auto [left, leftAcross] = sampleAt(0);
    for (int x0 = 0; x0 < width; x0 += kStep) {
        const int x1 = std::min(x0 + kStep, width - 1);
        const auto [right, rightAcross] = x1 > x0 ? sampleAt(x1) : std::pair{left, leftAcross};
        const bool fibresStill = std::fabs(rightAcross - leftAcross) < kStill;
        const int end = std::min(x0 + kStep, width);
        for (int x = x0; x < end; ++x) {
            const float f = x1 > x0 ? static_cast<float>(x - x0) / static_cast<float>(x1 - x0) : 0.0f;
            const auto [along, across] = coords(x);
            const SlowGrain slow{left.warp + (right.warp - left.warp) * f, left.broad + (right.broad - left.broad) * f,
                                 fibresStill ? left.fibre + (right.fibre - left.fibre) * f
                                             : noise.fbm(along / 90.0f, across / 1.1f, 3)};
            row[x] = woodPixel(tone, across, ringScale, slow, false);
        }
        left = right;
        leftAcross = rightAcross;
    }
}

} // namespace

WoodTone tableWood() { return {QColor(192, 167, 122), QColor(110, 90, 56)}; }
WoodTone walnutWood() { return {QColor(120, 78, 44), QColor(52, 30, 16)}; }
WoodTone mapleWood() { return {QColor(232, 198, 140), QColor(176, 128, 74)}; }

QImage woodTexture(QSize size, const WoodTone& tone, std::uint32_t seed, float ringScale,
                   bool vertical)
{
    QImage image = materialSurface(size);
    const ValueNoise noise(seed);
    const Blend blend(tone.light, tone.dark);
    const float unit = unitPerPixel(image);
    for (int y = 0; y < image.height(); ++y) {
        if (Resolution::stopping()) return image;
        woodRow(reinterpret_cast<QRgb*>(image.scanLine(y)), image.width(), unit, noise, blend, ringScale, [&](int x) {
            return std::pair{at(vertical ? y : x, unit), at(vertical ? x : y, unit)};
        });
    }
    return finished(image, size);
}

QImage plankTexture(QSize size, const WoodTone& tone, std::uint32_t seed, int plankHeight)
{
    QImage image = materialSurface(size);
    const float unit = unitPerPixel(image);
    const ValueNoise layout(seed ^ 0x5151u);
    const int planks = size.height() / plankHeight + 2;
    for (int p = 0; p < planks; ++p) {
        const int top = p * plankHeight - plankHeight / 3;
        // Each plank is cut from a different board: own seed, own shade.
        const float shade = (layout.hash(p, 7) - 0.5f) * 0.16f;
        WoodTone plankTone = tone;
        plankTone.light = mix(tone.light, shade > 0 ? QColor(255, 236, 200) : QColor(60, 40, 20),
                              std::fabs(shade));
        plankTone.dark = mix(tone.dark, shade > 0 ? QColor(160, 120, 80) : QColor(40, 25, 10),
                             std::fabs(shade));
        const ValueNoise grain(seed + static_cast<std::uint32_t>(p) * 7919u);
        const Blend blend(plankTone.light, plankTone.dark);
        // One butt joint per plank, staggered.
        const int joint = static_cast<int>(layout.hash(p, 3) * static_cast<float>(size.width()));
        // Every other plank or so has a knot that the rings bend around.
        const bool hasKnot = layout.hash(p, 11) < 0.6f;
        const float knotX = layout.hash(p, 12) * static_cast<float>(size.width());
        const float knotY = static_cast<float>(top) + (0.3f + 0.4f * layout.hash(p, 13)) *
                                                          static_cast<float>(plankHeight);
        const float knotR = 5.0f + 4.0f * layout.hash(p, 14);
        const int yFrom = static_cast<int>(std::ceil(std::max(0.0f, static_cast<float>(top)) / unit - 0.001f));
        const int yTo = std::min(image.height(),
                                 static_cast<int>(std::ceil(static_cast<float>(top + plankHeight) / unit - 0.001f)));
        for (int py = yFrom; py < yTo; ++py) {
            if (Resolution::stopping()) return image;
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(py));
            const float y = at(py, unit);
            const float baseAcross = y - static_cast<float>(top) + static_cast<float>(p) * 31.0f;
            woodRow(row, image.width(), unit, grain, blend, 11.0f, [&](int px) {
                const float x = at(px, unit);
                const float along = x < static_cast<float>(joint) ? x : x + 977.0f;
                float across = baseAcross;
                if (hasKnot) {
                    const float dx = (x - knotX) / (knotR * 4.0f);
                    const float dy = (y - knotY) / knotR;
                    const float d2 = dx * dx + dy * dy;
                    // Push the rings away from the knot's centre, above and below.
                    across += (dy >= 0 ? 1.0f : -1.0f) * knotR * 3.0f / (1.0f + d2);
                }
                return std::pair{along, across};
            });
            if (!hasKnot)
                continue;
            for (int px = 0; px < image.width(); ++px) {
                const float x = at(px, unit);
                const float dx = (x - knotX) / (knotR * 1.6f);
                const float dy = (y - knotY) / knotR;
                const float distance = std::sqrt(dx * dx + dy * dy);
                const float core = std::clamp((1.0f - distance) * 2.0f, 0.0f, 1.0f);
                if (core > 0)
                    row[px] = mix(QColor::fromRgba(row[px]), plankTone.dark.darker(140), core * 0.9f).rgba();
            }
        }
    }
    image = finished(image, size);
    // Seams: a dark groove with a faint highlight under it, and the joints.
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int p = 0; p < planks; ++p) {
        const int top = p * plankHeight - plankHeight / 3;
        if (top >= size.height())
            continue;
        if (top > 0) {
            painter.fillRect(QRectF(0, top - 1, size.width(), 2), QColor(40, 26, 12, 190));
            painter.fillRect(QRectF(0, top + 1, size.width(), 1), QColor(255, 235, 200, 50));
            painter.fillRect(QRectF(0, top - 3, size.width(), 2), QColor(40, 26, 12, 40));
        }
        const int joint = static_cast<int>(layout.hash(p, 3) * static_cast<float>(size.width()));
        painter.fillRect(QRectF(joint - 1, top, 2, plankHeight), QColor(40, 26, 12, 170));
        painter.fillRect(QRectF(joint + 1, top, 1, plankHeight), QColor(255, 235, 200, 40));
    }
    return image;
}

QImage feltTexture(QSize size, const QColor& base, std::uint32_t seed)
{
    // At the full resolution: its speckle is what makes it cloth.
    QImage image = newSurface(size);
    const float unit = unitPerPixel(image);
    const ValueNoise noise(seed);
    const Blend toDarker(base.darker(135), base);
    const Blend toLighter(base, base.lighter(118));
    for (int y = 0; y < image.height(); ++y) {
        if (Resolution::stopping()) return image;
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        auto put = [&](int x, float mottle) {
            const float speck = noise.hash(cell(x, unit), cell(y, unit));
            float v = 0.5f + (mottle - 0.5f) * 0.6f + (speck - 0.5f) * 0.35f;
            row[x] = v < 0.5f ? toDarker.at(v * 2.0f) : toLighter.at(v * 2.0f - 1.0f);
        };
        auto mottleAt = [&](int x) { return noise.fbm(at(x, unit) / 40.0f, at(y, unit) / 40.0f, 3); };
        if (unit == 1.0f) {
            for (int x = 0; x < image.width(); ++x) put(x, mottleAt(x));
            continue;
        }
        // Finer than 1x the mottle (smooth over several units) is exact
        // every fourth pixel and linear between; the speckle stays per cell.
        constexpr int kStep = 4;
        float left = mottleAt(0);
        for (int x0 = 0; x0 < image.width(); x0 += kStep) {
            const int x1 = std::min(x0 + kStep, image.width() - 1);
            const float right = x1 > x0 ? mottleAt(x1) : left;
            const int end = std::min(x0 + kStep, image.width());
            for (int x = x0; x < end; ++x)
                put(x, x1 > x0 ? left + (right - left) * static_cast<float>(x - x0) / static_cast<float>(x1 - x0) : left);
            left = right;
        }
    }
    return image;
}

QImage parchmentTexture(QSize size, std::uint32_t seed, float burnWidth)
{
    QImage image = materialSurface(size);
    const float unit = unitPerPixel(image);
    const ValueNoise noise(seed);
    const Blend paperToStain(QColor(243, 230, 196), QColor(214, 188, 138));
    const float w = static_cast<float>(size.width());
    const float h = static_cast<float>(size.height());
    for (int y = 0; y < image.height(); ++y) {
        if (Resolution::stopping()) return image;
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const float fx = at(x, unit);
            const float fy = at(y, unit);
            const float blotch = noise.fbm(fx / 45.0f, fy / 45.0f, 4);
            const float speck = noise.hash(cell(x, unit), cell(y, unit));
            // Distance to the nearest edge, for the darkened border.
            const float edge = std::min(std::min(fx, w - 1 - fx), std::min(fy, h - 1 - fy));
            const float burn = std::clamp(1.0f - edge / burnWidth, 0.0f, 1.0f);
            float v = (blotch - 0.45f) * 0.55f + (speck - 0.5f) * 0.08f + burn * burn * 0.55f;
            row[x] = paperToStain.at(v);
        }
    }
    return finished(image, size);
}

} // namespace art
