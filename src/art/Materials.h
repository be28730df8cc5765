#pragma once

#include <QColor>
#include <QImage>
#include <QSize>

#include <cstdint>

// Procedural surfaces: wood, felt, parchment. Every function is pure: the
// same arguments give the same pixels. The wood and the parchment are
// computed at softScale() and enlarged to the current resolution; the felt
// at the current resolution.
namespace art {

struct WoodTone {
    QColor light;
    QColor dark;
};

// Wood grain running along x (or along y when `vertical`). `ringScale` is the
// distance in pixels between growth rings; smaller gives a busier grain.
QImage woodTexture(QSize size, const WoodTone& tone, std::uint32_t seed, float ringScale = 14.0f,
                   bool vertical = false);

// Table top of horizontal planks of about `plankHeight` pixels, with seams,
// butt joints and a slightly different tone per plank.
QImage plankTexture(QSize size, const WoodTone& tone, std::uint32_t seed, int plankHeight);

// Billiard-style cloth: fine speckle over a gently mottled base colour.
QImage feltTexture(QSize size, const QColor& base, std::uint32_t seed);

// Aged paper: cream with soft blotches, darker within `burnWidth` pixels of
// the edges.
QImage parchmentTexture(QSize size, std::uint32_t seed, float burnWidth = 14.0f);

// The warm tones used across the table, so every picture agrees.
WoodTone tableWood();   // the table top, averaging the window colour 145,124,87
WoodTone walnutWood();  // dark rims, tile shutters, the rack
WoodTone mapleWood();   // light tile bodies and frames

} // namespace art
