#include "chat/RovingFocus.h"

#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace tc::chat {

RovingFocus::RovingFocus(std::vector<QWidget*> members, QObject* parent)
    : QObject(parent), members_(std::move(members)) {
    for (QWidget* w : members_) w->installEventFilter(this);
    chain(members_);
    makeCurrent(0);
}

void RovingFocus::chain(const std::vector<QWidget*>& widgets) {
    std::vector<Qt::FocusPolicy> kept;
    for (QWidget* w : widgets) {
        kept.push_back(w->focusPolicy());
        w->setFocusPolicy(Qt::TabFocus);
    }
    // One link after the other: each call moves only its second widget.
    for (std::size_t i = 0; i + 1 < widgets.size(); ++i) QWidget::setTabOrder(widgets[i], widgets[i + 1]);
    for (std::size_t i = 0; i < widgets.size(); ++i) widgets[i]->setFocusPolicy(kept[i]);
}

QWidget* RovingFocus::member(int index) const {
    return index >= 0 && index < count() ? members_[static_cast<std::size_t>(index)] : nullptr;
}

void RovingFocus::makeCurrent(int index) {
    current_ = index;
    for (int i = 0; i < count(); ++i)
        members_[static_cast<std::size_t>(i)]->setFocusPolicy(i == index ? Qt::TabFocus : Qt::NoFocus);
}

int RovingFocus::shownFrom(int from, int step) const {
    for (int i = from; i >= 0 && i < count(); i += step)
        if (members_[static_cast<std::size_t>(i)]->isVisibleTo(members_[static_cast<std::size_t>(i)]->window()) &&
            members_[static_cast<std::size_t>(i)]->isEnabled())
            return i;
    return -1;
}

bool RovingFocus::eventFilter(QObject* watched, QEvent* event) {
    auto* w = qobject_cast<QWidget*>(watched);
    int index = -1;
    for (int i = 0; i < count(); ++i)
        if (members_[static_cast<std::size_t>(i)] == w) index = i;
    if (index < 0) return QObject::eventFilter(watched, event);

    if (event->type() == QEvent::FocusIn) {
        if (index != current_) makeCurrent(index);
    } else if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return QObject::eventFilter(watched, event);
        int to = -2;
        switch (key->key()) {
        case Qt::Key_Left:
        case Qt::Key_Up: to = shownFrom(index - 1, -1); break;
        case Qt::Key_Right:
        case Qt::Key_Down: to = shownFrom(index + 1, +1); break;
        case Qt::Key_Home: to = shownFrom(0, +1); break;
        case Qt::Key_End: to = shownFrom(count() - 1, -1); break;
        default: break;
        }
        if (to == -2) return QObject::eventFilter(watched, event);
        // At an end the key is still ours: it must not scroll or move
        // anything else.
        if (to >= 0 && to != index) {
            makeCurrent(to);
            members_[static_cast<std::size_t>(to)]->setFocus(Qt::TabFocusReason);
            emit moved(to);
        }
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tc::chat
