#pragma once

#include <QImage>

#include <cstdint>

class QPainter;
class QRectF;

// The big pictures: the table top behind the whole window, the logo, the
// application icon and the winner banner.
namespace art {

// 717 x 555 table top (opaque, saved as JPEG). Drawn for the board panel at
// (3, 4) in the window: a parchment scoreboard behind the seat column, a
// light plaque behind the target and rounds labels, and the soft shadows the
// dice tray and the tile rack cast on the table.
QImage boardBackground();

// The same table top on a larger table of `size` (1x units, at least
// 717 x 555), with the 717 x 555 picture's content at `at`: the planks and
// the lamp's light go on over the rest. With size 717 x 555 and `at` (0, 0)
// it is boardBackground().
QImage boardBackground(QSize size, QPoint at);

// A parchment sheet held by a brass pin in each corner, with its drop shadow
// (`shadowAlpha` 0..255); `seed` and `burnWidth` go to parchmentTexture.
void pinnedSheet(QPainter& p, const QRectF& sheet, std::uint32_t seed, float burnWidth, int shadowAlpha);

// About 170 x 40 "Tilecrest" word mark on a transparent background.
QImage logo();

// The application icon, `size` x `size`: 64 packaged in the program, 48,
// 128 and 256 installed for the desktop's menus.
QImage appIcon(int size = 64);

// 473 x 41 ribbon for the winner banner; the caption is written over it.
QImage winnerBanner();

} // namespace art
