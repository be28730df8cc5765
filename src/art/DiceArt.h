#pragma once

#include <QImage>

class QPainter;

// Dice faces and the felt tray they are rolled into.
namespace art {

// 32 x 32 die showing `face` (1..6), with its shadow; transparent corners.
QImage dieFace(int face);

// The same die drawn as vectors into the 32 x 32 box at the painter's origin,
// so it stays crisp when the painter scales or rotates it.
void paintDie(QPainter& painter, int face);

// 505 x 121 tray: walnut rim, green felt, and a light paper strip across
// y 88..107 where the status line is written in dark text.
QImage dicePanel();

} // namespace art
