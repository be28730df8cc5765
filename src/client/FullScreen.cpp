#include "client/FullScreen.h"

#include <QAction>
#include <QEvent>
#include <QMainWindow>

#include "client/MainMenus.h"
#include "store/IniFile.h"
#include "store/SettingsFile.h"

namespace tc::client {

FullScreen::FullScreen(QMainWindow* window, MainMenus& menus) : QObject(window), window_(window) {
    action_ = new QAction(tr("Full Screen"), window);
    action_->setObjectName(QStringLiteral("FullScreen1"));
    action_->setCheckable(true);
    action_->setShortcut(QKeySequence(Qt::Key_F11));
    action_->setShortcutContext(Qt::WindowShortcut);
    // In the window too, so F11 works with the menu bar hidden or empty.
    window->addAction(action_);
    menus.add(MainMenus::Place::ViewScreen, action_);
    connect(action_, &QAction::triggered, this, &FullScreen::set);
    window->installEventFilter(this);
}

bool FullScreen::isOn() const { return window_->isFullScreen(); }

void FullScreen::set(bool on) {
    if (on == isOn()) {
        action_->setChecked(on);
        return;
    }
    if (on) {
        wasMaximized_ = window_->isMaximized();
        window_->showFullScreen();
    } else if (wasMaximized_) {
        window_->showMaximized();
    } else {
        window_->showNormal();
    }
    action_->setChecked(on);
}

void FullScreen::restore(const store::IniFile& ini) {
    const auto v = ini.value(store::SettingsFile::kSection, kKey);
    stored_ = v && *v == "1";
    if (stored_) set(true);
}

std::vector<std::pair<std::string, std::string>> FullScreen::toWrite() const {
    if (isOn() == stored_) return {};
    return {{kKey, isOn() ? "1" : "0"}};
}

bool FullScreen::eventFilter(QObject* watched, QEvent* event) {
    // The window manager may end full screen by itself (or the player by
    // another way): the check mark follows the window.
    if (watched == window_ && event->type() == QEvent::WindowStateChange) action_->setChecked(isOn());
    return QObject::eventFilter(watched, event);
}

} // namespace tc::client
