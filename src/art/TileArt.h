#pragma once

#include <QImage>

// The nine number tiles and the rack they stand on.
namespace art {

constexpr int tileFrameWidth = 48;
constexpr int tileFrameHeight = 91;
constexpr int tileFrames = 5;

// Strip of five 48 x 91 frames for tile `number` (1..9): frame 0 open with its
// number, frame 4 shut behind its walnut shutter, 1..3 the shutter sliding down.
QImage tileStrip(int number);

// 505 x 110 rack drawn behind the tiles; the tiles stand at x 7 + 55 * i
// (the last one at 448), top 0.
QImage tileRow();

} // namespace art
