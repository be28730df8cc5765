#pragma once
// The table's packaged pictures, loaded once by resource name. A picture
// that is missing is replaced by a plain stand-in of the right size, so a
// build without the artwork still shows a usable table. A larger table or a
// denser screen gets the same pictures drawn again at its own pixel scale
// (render), each with that device pixel ratio: sizes below are in 1x units.
#include <QImage>
#include <QPixmap>

#include <atomic>
#include <memory>
#include <vector>

namespace tc::client {

class BoardPictures {
public:
    // The shared set; the first call needs a QGuiApplication.
    static const BoardPictures& instance();
    // Every picture drawn afresh by the art code at `scale` (pixels per 1x
    // unit), the board background left out (it depends on the window's
    // size: see background). draw() is safe on any thread and takes a while
    // at large scales, so the table asks for it in the background
    // (TableScaler); make() turns its images into pictures on the window
    // thread. render() is both at once.
    using Drawn = std::vector<QImage>;
    // `stop`, once set, cuts a drawing short (its result is then of no use).
    static Drawn draw(qreal scale, const std::atomic<bool>* stop = nullptr);
    static std::shared_ptr<const BoardPictures> make(const Drawn& drawn, qreal scale);
    static std::shared_ptr<const BoardPictures> render(qreal scale) { return make(draw(scale), scale); }
    // Whether `drawn` (read back from the cache folder) is a whole set as
    // draw(scale) makes it.
    static bool fits(const Drawn& drawn, qreal scale);
    // The table top for a client area of `size` 1x units with the table at
    // `at`, at `scale`; an image so it can be made off the window thread.
    static QImage background(QSize size, QPoint at, qreal scale, const std::atomic<bool>* stop = nullptr);

    qreal scale() const { return scale_; }

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
    BoardPictures(const Drawn& drawn, qreal scale);
    qreal scale_ = 1.0;
    QPixmap tiles_[9];
    QPixmap dice_[6];
};

} // namespace tc::client
