#pragma once
// The table's packaged pictures, loaded once by resource name. A picture
// that is missing is replaced by a plain stand-in of the right size, so a
// build without the artwork still shows a usable table.
#include <QPixmap>

namespace tc::client {

class BoardPictures {
public:
    // The shared set; the first call needs a QGuiApplication.
    static const BoardPictures& instance();

    QPixmap tileStrip(int tile) const;  // 240x91, tiles 1..9; null otherwise
    QPixmap die(int face) const;        // 32x32, faces 1..6; null otherwise
    QPixmap markOlive;                  // 11x15
    QPixmap markGreen;                  // 11x15
    QPixmap eyes;                       // 29x10
    QPixmap turn;                       // 16x16
    QPixmap buttonRoll;                 // 97x19
    QPixmap buttonStart;                // 97x19
    QPixmap dicePanel;                  // 505x121
    QPixmap tileRow;                    // 505x110
    QPixmap board;                      // 717x555, the main window's background
    QPixmap winnerBanner;               // 473x41; null when not packaged

private:
    BoardPictures();
    QPixmap tiles_[9];
    QPixmap dice_[6];
};

} // namespace tc::client
