#pragma once
// One tile of the table (`TAnimated`): a horizontal strip of five 48x91
// frames, frame 0 the open tile with its number, frame 4 fully covered.
// Play steps the frame by +1 (or -1 in reverse) every interval and stops by
// itself after the step that reaches frame 4 (forward) or frame 0 (reverse).
// Each tile has its own timer, so several tiles animate at once.
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace tc::client {

class TileControl : public QWidget {
    Q_OBJECT
public:
    static constexpr int kFrames = 5;
    static constexpr int kFrameWidth = 48;
    static constexpr int kFrameHeight = 91;

    // `tile` is the tag, 1..9; `strip` is the 240x91 picture (a null picture
    // draws a plain stand-in so the table stays usable without artwork).
    TileControl(int tile, const QPixmap& strip, QWidget* parent = nullptr);

    int tile() const { return tile_; }
    // The strip to draw; one of a higher pixel scale is drawn into the
    // tile's present size, which follows the table's scale.
    void setStrip(const QPixmap& strip);
    const QPixmap& strip() const { return strip_; }
    int frame() const { return frame_; }
    // Any integer; taken modulo five (negative values wrap too). Repaints.
    void setFrame(int frame);
    bool reverse() const { return reverse_; }
    void setReverse(bool reverse) { reverse_ = reverse; }
    int interval() const { return interval_; }
    // Milliseconds per step; 0 or less makes Play do nothing.
    void setInterval(int ms);
    bool playing() const { return timer_.isActive(); }
    // true starts stepping unless already playing (a running animation then
    // simply goes on from the frame and direction last set); false stops.
    void setPlay(bool play);
    // The coach's mark: a small amber pip at the foot of the tile, drawn
    // over every frame, so it reads as advice and never as a selection
    // (which slides the tile down). Repaints when it changes.
    bool bestMove() const { return bestMove_; }
    void setBestMove(bool on);

    QSize sizeHint() const override { return {kFrameWidth, kFrameHeight}; }

    // What a mouse-down does: reports the tile as pressed. Space on the
    // focused tile and a screen reader's press action come here too.
    void press() { emit pressed(tile_); }

signals:
    void pressed(int tile);   // number_1MouseDown
    void stopped(int tile);   // playing ended by itself at the end frame
    void frameChanged(int frame);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void step();
    void paintFrame(QPainter& p);

    int tile_;
    QPixmap strip_;
    int frame_ = 0;
    bool reverse_ = false;
    bool bestMove_ = false;
    int interval_ = 100;
    QTimer timer_;
};

} // namespace tc::client
