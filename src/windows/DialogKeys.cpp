#include "windows/DialogKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "chat/ReaderRoles.h"

namespace tc::windows {

DialogKeys::DialogKeys(QWidget* window) : QObject(window), window_(window) { window->installEventFilter(this); }

DialogKeys* DialogKeys::install(QWidget* window, QPushButton* defaultButton, QAccessible::Role role) {
    chat::reader::markWindow(window, role);
    auto* keys = new DialogKeys(window);
    keys->setDefaultButton(defaultButton);
    return keys;
}

namespace {

class LinkKeys : public QObject {
public:
    LinkKeys(QLabel* label, std::function<void()> open) : QObject(label), open_(std::move(open)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Space) return false;
        open_();
        return true;
    }

private:
    std::function<void()> open_;
};

} // namespace

void DialogKeys::keyLink(QLabel* label, std::function<void()> open) {
    label->setFocusPolicy(Qt::StrongFocus);
    // The frame is there always, clear, so the text stays where it was.
    label->setStyleSheet(QStringLiteral("QLabel { border: 1px dotted transparent; } "
                                        "QLabel:focus { border: 1px dotted palette(window-text); }"));
    label->installEventFilter(new LinkKeys(label, std::move(open)));
}

void DialogKeys::setDefaultButton(QPushButton* button) {
    if (default_) default_->setDefault(false);
    default_ = button;
    if (button) button->setDefault(true);
}

bool DialogKeys::eventFilter(QObject* watched, QEvent* event) {
    if (watched != window_ || event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    if (mods != Qt::NoModifier) return false;
    if (key->key() == Qt::Key_Escape) {
        window_->close();
        return true;
    }
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
    QWidget* focus = QApplication::focusWidget();
    // A push button with the focus is the one meant; a check box or a
    // radio button with it leaves Enter to the default, as in a dialog.
    auto* focusedButton = qobject_cast<QPushButton*>(focus);
    QPushButton* press = focusedButton && focusedButton->window() == window_ ? focusedButton : nullptr;
    if (!press && default_ && default_->isVisible()) press = default_;
    if (!press || !press->isEnabled()) return false;
    press->click();
    return true;
}

} // namespace tc::windows
