#pragma once
// The smiley button `button_smilies` at the right end of the chat input.
// A click opens its SmileyMenu with the menu's top-left corner at the
// button's bottom-right corner; a chosen smiley goes to the attached input.
#include <QToolButton>

namespace tc::chat {

class ChatInput;
class SmileyMenu;

class SmileyButton : public QToolButton {
    Q_OBJECT
public:
    explicit SmileyButton(QWidget* parent = nullptr);

    // Chosen smileys are inserted into `input` (ChatInput::insertSmiley).
    void setInput(ChatInput* input);
    SmileyMenu* menu() const { return menu_; }

public slots:
    // button_smiliesClick.
    void openMenu();
    // The table's scale: the picture grows with the button, drawn at
    // `pictureScale` pixels per 1x pixel.
    void setTableScale(double scale, double pictureScale);

signals:
    void smileyChosen(int tag);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    SmileyMenu* menu_ = nullptr;
    QMetaObject::Connection inputConnection_;
};

} // namespace tc::chat
