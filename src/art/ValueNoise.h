#pragma once

#include <cmath>
#include <cstdint>

// Seeded 2-D value noise. The same seed always gives the same field, so the
// generated pictures are byte-for-byte reproducible from run to run. Inline:
// the materials call it several times for every pixel.
class ValueNoise {
public:
    explicit ValueNoise(std::uint32_t seed) : seed_(seed) {}

    // Smoothly interpolated noise in [0, 1] at (x, y); lattice spacing 1.
    float at(float x, float y) const
    {
        const float fx = std::floor(x);
        const float fy = std::floor(y);
        const int ix = static_cast<int>(fx);
        const int iy = static_cast<int>(fy);
        float tx = x - fx;
        float ty = y - fy;
        // Smoothstep keeps the lattice from showing as creases.
        tx = tx * tx * (3.0f - 2.0f * tx);
        ty = ty * ty * (3.0f - 2.0f * ty);
        const float a = hash(ix, iy);
        const float b = hash(ix + 1, iy);
        const float c = hash(ix, iy + 1);
        const float d = hash(ix + 1, iy + 1);
        const float top = a + (b - a) * tx;
        const float bottom = c + (d - c) * tx;
        return top + (bottom - top) * ty;
    }

    // Sum of `octaves` layers, each twice the frequency and half the weight of
    // the one before; normalised back to [0, 1].
    float fbm(float x, float y, int octaves) const
    {
        float sum = 0.0f;
        float weight = 0.5f;
        float total = 0.0f;
        for (int i = 0; i < octaves; ++i) {
            // Offset each octave so the lattice points of the layers do not line up.
            sum += weight * at(x + static_cast<float>(i) * 17.31f, y - static_cast<float>(i) * 9.73f);
            total += weight;
            x *= 2.0f;
            y *= 2.0f;
            weight *= 0.5f;
        }
        return sum / total;
    }

    // Uncorrelated value in [0, 1] for one lattice point (per-pixel speckle).
    float hash(int x, int y) const
    {
        std::uint32_t h = seed_ * 0x9E3779B9u;
        h ^= static_cast<std::uint32_t>(x) * 374761393u;
        h ^= static_cast<std::uint32_t>(y) * 668265263u;
        h = (h ^ (h >> 13)) * 1274126177u;
        h ^= h >> 16;
        return static_cast<float>(h & 0xFFFFFFu) / static_cast<float>(0xFFFFFFu);
    }

private:
    std::uint32_t seed_;
};
