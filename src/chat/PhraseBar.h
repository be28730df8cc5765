#pragma once
// The strip left of the chat: the phrase buttons `b_phrase1`..`b_phrase9`,
// top to bottom, each showing its phrase as its tooltip (the tooltip is
// what is sent), and under them `b_phrase10`, which opens the chatter-sound
// menu when a mouse button is released on it.
#include <QStringList>
#include <QWidget>

class QTimer;
class QToolButton;

namespace tc::chat {

class SoundsMenu;

class PhraseBar : public QWidget {
    Q_OBJECT
public:
    // One button's size; the strip is one button wide and ten high.
    static constexpr int kButtonWidth = 24;
    static constexpr int kButtonHeight = 20;

    explicit PhraseBar(QWidget* parent = nullptr);

    // Button n (1..9): its phrase. Other numbers are ignored (or empty).
    void setPhrase(int n, const QString& phrase);
    QString phrase(int n) const;
    QStringList phrases() const;
    SoundsMenu* soundsMenu() const { return menu_; }
    // The phrase buttons (not the sounds button) rest for `ms`: greyed and
    // deaf to clicks, so the lock after a phrase is seen rather than a
    // click silently lost. A later call starts the rest again.
    void rest(int ms);
    bool resting() const;

public slots:
    // b_phrase10MouseUp: the menu's top-left corner at the button's
    // bottom-right corner.
    void openSoundsMenu();
    // The table's scale: the pictures grow with the buttons, drawn at
    // `pictureScale` pixels per 1x pixel.
    void setTableScale(double scale, double pictureScale);

signals:
    // b_phrase1Click with that button's phrase.
    void phraseClicked(const QString& phrase);
    // An item of the chatter-sound menu (0 for "<Cancel>").
    void soundChosen(int number);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QToolButton* buttons_[10] = {};
    SoundsMenu* menu_ = nullptr;
    class ScaledStyle* menuStyle_ = nullptr;
    QTimer* rest_ = nullptr;
    double iconScale_ = 1.0;  // the pixel scale the pictures are drawn at
};

} // namespace tc::chat
