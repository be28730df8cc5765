#pragma once

#include <QImage>

// Dice faces and the felt tray they are rolled into.
namespace art {

// 32 x 32 die showing `face` (1..6), with its shadow; transparent corners.
QImage dieFace(int face);

// 505 x 121 tray: walnut rim, green felt, and a light paper strip across
// y 88..107 where the status line is written in dark text.
QImage dicePanel();

} // namespace art
