#pragma once
// The table `panel_board` (702x502 at (3, 4) of the main window): the six
// seats with scores, Marks and eyes, the turn marker, the dice area, the
// nine tiles over their row, the target and rounds lines and the winner
// banner, each at its fixed place under its objectName. It shows a
// TableState and reports clicks; it decides nothing.
#include <array>

#include <QPixmap>
#include <QRect>
#include <QWidget>

#include "session/TableState.h"

class QLabel;

namespace tc::chat {
class RovingFocus;
}

namespace tc::client {

class BoardPictures;
class DicePanel;
class TileControl;

class BoardPanel : public QWidget {
    Q_OBJECT
public:
    explicit BoardPanel(QWidget* parent);

    // Re-reads every shown value. Tile frames are left alone: they follow
    // the animations (TileControl), not the state letters.
    void showTable(const TableState& table);
    // Takes the pictures of another pixel scale (TableScaler).
    void usePictures(const BoardPictures& pictures);

    // A seat's Marks: k pictures side by side, 11 pixels apart, the green
    // one where i > target - 3, else the olive one. Null for k <= 0.
    // Drawn at the pixel scale of the two pictures.
    static QPixmap marksPicture(int marks, int target, const QPixmap& olive, const QPixmap& green);

    TileControl* tile(int n) const;  // 1..9, else nullptr
    DicePanel* dicePanel() const { return dice_; }
    QLabel* seatName(int seat) const;  // 1..6, else nullptr
    // What the focus rests on for seat N (1..6, else nullptr): a stand-in
    // over the name, which keeps its own look (a label that takes the
    // focus lays its text out otherwise). A screen reader reads the seat
    // from it.
    QWidget* seatStop(int seat) const;
    // The tile rack and the seat list, each one stop of Tab; the arrow
    // keys move inside.
    chat::RovingFocus* tileFocus() const { return tileFocus_; }
    chat::RovingFocus* seatFocus() const { return seatFocus_; }

    static constexpr std::array<int, 6> kNameTops{37, 84, 125, 166, 207, 251};
    static constexpr std::array<int, 6> kPointsTops{53, 100, 140, 183, 224, 268};
    static constexpr std::array<int, 6> kEyesTops{36, 83, 124, 165, 206, 250};
    static constexpr std::array<int, 9> kTileLefts{194, 249, 304, 359, 414, 469, 524, 579, 635};
    static constexpr int kTurnLeft = 22;
    static constexpr int kTurnHomeTop = 36;
    // The eyes sit between the turn marker's place and the name, drawn a
    // little smaller than their picture so that neither covers the other
    // or the name's first letter: the marker of a watching seat on turn
    // moves to kTurnLeftBesideEyes.
    static constexpr QRect kEyesBox{16, 4, 21, 7};  // left, top below kEyesTops, size
    static constexpr int kTurnLeftBesideEyes = 0;

signals:
    void tilePressed(int tile);
    // Right click on seat N's name, or the menu key, Shift+F10, Space or
    // Enter on it: the owner prepares popup_kick and opens it.
    void seatMenuRequested(int seat, const QPoint& globalPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Seat {
        QLabel* name = nullptr;
        QLabel* score = nullptr;
        QLabel* points = nullptr;
        QLabel* eyes = nullptr;
        QWidget* stop = nullptr;
        int marks = -1;   // drawn count (-1: nothing drawn yet)
        int target = -1;  // target the Marks were drawn for
    };
    std::array<Seat, 6> seats_;
    std::array<TileControl*, 9> tiles_{};
    DicePanel* dice_ = nullptr;
    QLabel* turn_ = nullptr;
    QLabel* tileRow_ = nullptr;
    QLabel* pointsToWin_ = nullptr;
    QLabel* rounds_ = nullptr;
    QLabel* spectating_ = nullptr;
    QLabel* winnerPanel_ = nullptr;
    QLabel* winner_ = nullptr;
    chat::RovingFocus* tileFocus_ = nullptr;
    chat::RovingFocus* seatFocus_ = nullptr;
};

} // namespace tc::client
