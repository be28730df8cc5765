#pragma once

#include <QImage>

// Pictures of the side windows and the chat column.
namespace art {

// 240 x 150 still life for the solo window: the rack with some tiles shut
// and two dice on the table.
QImage soloPicture();

// 180 x 120 picture for the download window: the logo over a felt table.
QImage downloadPicture();

// 660 x 340 background of the download window: three pinned parchment
// sheets on a walnut board, with a sunk frame for the download picture.
QImage downloadBackground();

// 24 x 20 speech bubble numbered `number` (1..9) for the phrase buttons.
QImage phraseButton(int number);

// 24 x 20 loudspeaker for the chatter-sound button.
QImage soundButton();

} // namespace art
