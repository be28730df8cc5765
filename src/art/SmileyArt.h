#pragma once

#include <QImage>

// The chat smileys.
namespace art {

constexpr int smileyCount = 18;

// 17 x 16 smiley number `index` (0..17): happy, wink, sad, laugh, tongue,
// surprised, cool, angry, crying, blushing, confused, sleepy, kiss, devil,
// rolling eyes, neutral, in love, sick. Out of range gives a blank canvas.
QImage smiley(int index);

} // namespace art
