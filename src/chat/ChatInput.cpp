#include "chat/ChatInput.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

#include "chat/QtColour.h"

namespace tc::chat {

QString ChatInput::placeholder() { return tr("<Enter Chat Here>"); }

ChatInput::ChatInput(QWidget* parent) : QLineEdit(parent) {
    setObjectName(QStringLiteral("mychat"));
    setAccessibleName(tr("Chat input"));
    QFont f = font();
    f.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    setFont(f);
    setTableScale(1.0, 1.0);
    applyColour();
    setText(placeholder());

    menu_ = new QMenu(this);
    menu_->setObjectName(QStringLiteral("PopupMenu2"));
    paste_ = menu_->addAction(tr("Paste"), this, &ChatInput::pasteAppend);
    paste_->setObjectName(QStringLiteral("Paste1"));
    paste_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
}

void ChatInput::setTableScale(double scale, double) {
    setStyleSheet(QStringLiteral("QLineEdit#mychat { background-color: rgb(248, 249, 236); border: %1px solid black; }")
                      .arg(qMax(1, qRound(scale))));
}

void ChatInput::setWaitingLines(int count) {
    const QString text = count <= 0   ? QString()
                         : count == 1 ? tr("1 line waiting to be sent\u2026")
                                      : tr("%1 lines waiting to be sent\u2026").arg(count);
    setPlaceholderText(text);
    setToolTip(text);
}

void ChatInput::setChatColour(Colour colour) {
    colour_ = colour;
    applyColour();
}

void ChatInput::applyColour() {
    QPalette pal = palette();
    pal.setColor(QPalette::Text, toQColor(colour_));
    setPalette(pal);
}

void ChatInput::pasteAppend() {
    const QString clip = QApplication::clipboard()->text();
    if (clip.isEmpty()) return;
    setText(text() + clip);
    deselect();
    setCursorPosition(text().length());
}

void ChatInput::insertSmiley(int tag) {
    if (tag < 10 || tag > 27) return;
    if (text() == placeholder()) clear();
    setText(text() + QStringLiteral(":)#") + QString::number(tag));
    deselect();
    setCursorPosition(text().length());
}

void ChatInput::keyPressEvent(QKeyEvent* event) {
    // Alt with a key belongs to the window (menus, table keys); one that
    // opens nothing types nothing either.
    if (event->modifiers() & Qt::AltModifier) {
        event->ignore();
        return;
    }
    if (text() == placeholder()) clear();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        emit sendRequested(text());
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        event->accept();
        pasteAppend();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void ChatInput::contextMenuEvent(QContextMenuEvent* event) {
    menu_->exec(event->globalPos());
}

} // namespace tc::chat
