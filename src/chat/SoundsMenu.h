#pragma once
// The chatter-sound menu `popup_sounds`: "<Cancel>" and the twenty sounds,
// each item named as in kChatterSounds, with its text as caption and hint
// and its number as QAction::data().
#include <QMenu>

namespace tc::chat {

class SoundsMenu : public QMenu {
    Q_OBJECT
public:
    explicit SoundsMenu(QWidget* parent = nullptr);

signals:
    // wave12Click: the chosen item's number, 0 for "<Cancel>".
    void soundChosen(int number);
};

} // namespace tc::chat
