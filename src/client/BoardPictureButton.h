#pragma once
// A picture that acts as a button (Roll Dice, Start Game): a click is a
// press and release inside it with the left button.
#include <QAbstractButton>
#include <QPixmap>

namespace tc::client {

class BoardPictureButton : public QAbstractButton {
    Q_OBJECT
public:
    BoardPictureButton(const QString& objectName, const QPixmap& picture, QWidget* parent);
    QSize sizeHint() const override { return picture_.deviceIndependentSize().toSize(); }
    // A picture of any pixel scale, drawn into the button's present size.
    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QPixmap picture_;
};

} // namespace tc::client
