#pragma once

#include <QColor>
#include <QImage>
#include <QString>

// The small table pieces: Marks, the watching eyes, the turn marker and the
// two picture buttons.
namespace art {

// 11 x 15 pennant on a pole, its flag in `flag` colour.
QImage markPennant(const QColor& flag);

// 29 x 10 pair of eyes glancing to the right.
QImage watchingEyes();

// 16 x 16 red arrow pointing right.
QImage turnArrow();

enum class ButtonIcon { Die, Play };

// 97 x 19 brass button with `caption` in dark bold letters and a small icon.
QImage brassButton(const QString& caption, ButtonIcon icon);

} // namespace art
