#include "chat/SmileyButton.h"

#include <QKeyEvent>
#include <QPixmap>

#include "chat/ChatInput.h"
#include "chat/SmileyImages.h"
#include "chat/SmileyMenu.h"

namespace tc::chat {

SmileyButton::SmileyButton(QWidget* parent) : QToolButton(parent) {
    setObjectName(QStringLiteral("button_smilies"));
    setIcon(QIcon(QPixmap::fromImage(SmileyImages::image(0))));
    setIconSize(QSize(SmileyImages::kWidth, SmileyImages::kHeight));
    setAutoRaise(true);
    // Tab reaches it; a click leaves the focus where it was (in the chat).
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(tr("Smilies"));
    setAccessibleDescription(tr("Puts a smiley into the chat input"));
    menu_ = new SmileyMenu(this);
    connect(menu_, &SmileyMenu::smileyChosen, this, &SmileyButton::smileyChosen);
    connect(this, &QToolButton::clicked, this, &SmileyButton::openMenu);
}

void SmileyButton::setInput(ChatInput* input) {
    disconnect(inputConnection_);
    if (input) inputConnection_ = connect(this, &SmileyButton::smileyChosen, input, &ChatInput::insertSmiley);
}

void SmileyButton::setTableScale(double scale, double pictureScale) {
    setIcon(QIcon(QPixmap::fromImage(SmileyImages::image(0, pictureScale))));
    setIconSize(QSize(qRound(SmileyImages::kWidth * scale), qRound(SmileyImages::kHeight * scale)));
    menu_->setTableScale(scale, pictureScale);
}

void SmileyButton::keyPressEvent(QKeyEvent* event) {
    // Space clicks by itself; Enter opens the menu too.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
        openMenu();
        return;
    }
    QToolButton::keyPressEvent(event);
}

void SmileyButton::openMenu() {
    menu_->popup(mapToGlobal(QPoint(width(), height())));
}

} // namespace tc::chat
