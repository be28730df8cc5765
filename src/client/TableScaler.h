#pragma once
// Scales the whole table with the main window's client area. The table is
// laid out for 717 x 555 (its 1x size): every table widget keeps its 1x
// geometry and font size, and at scale s = max(1, min(w / 717, h / 555))
// (below 717 x 514, on a screen too small for the 1x table: min(w / 717,
// h / 514))
// it sits at round(s * its 1x geometry), its text at s times the size.
// What is left over across is the table top itself (the table stands in the
// middle); what is left over below goes to the chat, which grows downwards.
// So the 1x window is exactly the one laid out by hand, and a larger one is
// the same table, larger.
//
// Pictures follow the pixels: at a pixel scale (s times the screen's device
// pixel ratio) other than 1 the art is drawn again at that scale, in the
// background, or read back from the user's cache folder (PictureCache);
// until it is there the nearest pictures at hand are drawn scaled, so
// resizing never waits.
#include <atomic>
#include <map>
#include <memory>

#include <QColor>
#include <QObject>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QTimer>

class QPainter;
class QRegion;
class QWidget;

namespace tc::client {

class BoardPictures;

class TableScaler : public QObject {
    Q_OBJECT
public:
    static constexpr QSize kTableSize{717, 555};
    // What the 1x table needs at least (the chat's last rows may go). A
    // smaller client area (only on a screen too small for it) shrinks the
    // table, down to kSmallestScale.
    static constexpr QSize kSmallestTable{717, 514};
    static constexpr qreal kSmallestScale = 0.25;
    // The table top's plain colour (under its planks).
    static constexpr QColor kTableColour{145, 124, 87};

    // `client` is the main window's central widget, whose children are the
    // table; its background is painted here from now on.
    explicit TableScaler(QWidget* client);
    ~TableScaler() override;

    // Records the present (1x) geometry and font size of every table widget
    // under the client area; call once the table is built. Widgets added
    // later take part through setBaseGeometry.
    void capture();
    // `w` takes the rows the table gains below (the chat), or moves down by
    // them (what stands under the chat).
    static void growWithTable(QWidget* w);
    static void followTableBottom(QWidget* w);

    // Places `w` at `rect` in 1x units of its parent (today's pixel layout),
    // at the scale of the table it is in.
    static void setBaseGeometry(QWidget* w, const QRect& rect);
    static QRect baseGeometry(const QWidget* w);
    // The scaler of the table `w` is in, or nullptr.
    static TableScaler* of(const QWidget* w);
    // The pictures to draw `w` with: drawn at its pixel scale when they are
    // ready, else the nearest at hand (the packaged ones at first).
    static const BoardPictures& pictures(const QWidget* w);

    qreal scale() const { return scale_; }
    // Where the table's top-left corner is in the client area (pixels).
    QPoint origin() const { return origin_; }
    // 1x rows given to the chat.
    int extraRows() const { return extraRows_; }
    // The pixel scale the pictures are wanted at (quarter steps).
    qreal pictureScale() const;
    const BoardPictures& currentPictures() const;
    // True once the pictures and the table top are drawn for the present
    // size (nothing more is being drawn).
    bool settled() const;
    // Applies the present client size now (resizing does it by itself).
    void relayout();

signals:
    void scaleChanged(qreal scale);
    // New pictures are in place; picture widgets take them (the board
    // panel's usePictures) and repaint.
    void picturesChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct BackgroundKey {
        QSize size;  // 1x units
        QPoint at;   // 1x units
        qreal scale = 0;
        bool operator==(const BackgroundKey&) const = default;
    };
    void apply();
    void paintBackground();
    // Where a table top drawn for `key` lies in the client area (pixels).
    QRectF topRect(const BackgroundKey& key) const;
    void paintWood(QPainter& p, const QRegion& where) const;
    BackgroundKey wantedBackground() const;
    void kick();  // starts the next drawing job if one is wanted
    void place(QWidget* w) const;
    void picturesDrawn(std::shared_ptr<const BoardPictures> set);
    void backgroundDrawn(const QImage& image, const BackgroundKey& key);

    QWidget* client_;
    qreal scale_ = 1.0;
    QPoint origin_;
    int extraRows_ = 0;
    bool captured_ = false;
    std::shared_ptr<const BoardPictures> current_;
    QPixmap background_;
    BackgroundKey backgroundKey_;
    // A drawing of the pictures and one of the table top run side by side.
    // Nothing is drawn before the window's first frame is painted: the
    // drawings would take the processor from it.
    bool painted_ = false;
    bool busyPictures_ = false;
    bool busyBackground_ = false;
    QString cacheFolder_;
    qreal toldPictureScale_ = 1.0;
    QTimer settle_;
    // Set when this scaler goes: the drawings under way stop.
    std::shared_ptr<std::atomic<bool>> stop_ = std::make_shared<std::atomic<bool>>(false);
};

} // namespace tc::client
