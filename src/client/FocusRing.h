#pragma once
// The ring around the table's control that has the keyboard focus: two
// strokes, dark outside and light inside, so it shows on the ivory tiles,
// the felt and the dark wood alike, as thick as the table is scaled. It is
// drawn over the table, outside the control where there is room, and
// follows the control as the table scales or moves. It shows once the
// keyboard has moved the focus (Tab, the arrow keys), not for a mouse
// click or the focus a window starts with, so the table looks as always
// to a player who never uses the keyboard.
#include <QPointer>
#include <QRegion>
#include <QWidget>

namespace tc::client {

class FocusRing : public QWidget {
    Q_OBJECT
public:
    // `client` is the main window's central widget; the ring lies on it.
    explicit FocusRing(QWidget* client);

    // The ring may go around `w` when it has the focus.
    void watch(QWidget* w);
    // The control the ring goes around now, or nullptr when it is hidden.
    QWidget* target() const { return isVisible() ? target_.data() : nullptr; }
    // Stroke width in the client's pixels at the present scale.
    int strokeWidth() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent*) override;

private:
    // The letters of the table's labels under the ring, in its coordinates.
    QRegion textAround() const;

private:
    void follow(QWidget* w);
    void place();
    void track(QWidget* w, bool on);

    QWidget* client_;
    QPointer<QWidget> target_;
    bool keyboard_ = false;  // the keyboard moved the focus last
};

} // namespace tc::client
