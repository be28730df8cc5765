#pragma once

#include <cstdint>

// Seeded 2-D value noise. The same seed always gives the same field, so the
// generated pictures are byte-for-byte reproducible from run to run.
class ValueNoise {
public:
    explicit ValueNoise(std::uint32_t seed) : seed_(seed) {}

    // Smoothly interpolated noise in [0, 1] at (x, y); lattice spacing 1.
    float at(float x, float y) const;

    // Sum of `octaves` layers, each twice the frequency and half the weight of
    // the one before; normalised back to [0, 1].
    float fbm(float x, float y, int octaves) const;

    // Uncorrelated value in [0, 1] for one lattice point (per-pixel speckle).
    float hash(int x, int y) const;

private:
    std::uint32_t seed_;
};
