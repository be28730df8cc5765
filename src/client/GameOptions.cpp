#include "client/GameOptions.h"

#include <QAction>

#include "client/InputGate.h"
#include "client/MainMenus.h"
#include "client/SettingsKeeper.h"
#include "session/RudiSettings.h"
#include "session/Session.h"

namespace tc::client {
namespace {

QAction* checkable(QAction* a) {
    a->setCheckable(true);
    return a;
}

} // namespace

GameOptions::GameOptions(MainMenus& menus, Session& session, InputGate& gate, SettingsKeeper& keeper,
                         std::function<void(std::string_view key)> save)
    : session_(session) {
    using Place = MainMenus::Place;
    justWatch_ = checkable(menus.add(Place::OptionsGame, tr("Just Watch"), "JustWatch1"));
    showBestMove_ = checkable(menus.add(Place::OptionsGame, tr("Show Best Move"), "ShowBestMove1"));
    playSounds_ = checkable(menus.add(Place::OptionsSounds, tr("Play Sounds"), "PlaySounds1"));
    chatterSounds_ = checkable(menus.add(Place::OptionsSounds, tr("Play Chatter Sounds"), "PlayChatterSounds1"));

    connect(justWatch_, &QAction::triggered, this, [this, &gate] {
        // The check mark follows the server's answer, not the click.
        justWatch_->setChecked(session_.table().justWatchChecked);
        gate.feed([this] { session_.justWatchClicked(); });
    });
    connect(showBestMove_, &QAction::triggered, this, [this, &keeper](bool on) {
        session_.setShowBestMove(on);
        keeper.saveOwnKeys(RudiSettings::showBestMoveKey(on));
    });
    // Built-in states until the settings are read: game sounds on, chatter
    // sounds shown as lines.
    playSounds_->setChecked(session_.playSounds());
    connect(playSounds_, &QAction::triggered, this, [this, save](bool on) {
        session_.setPlaySounds(on);
        save("Playsounds");
    });
    chatterSounds_->setChecked(session_.chatterSounds());
    connect(chatterSounds_, &QAction::triggered, this, [this, save](bool on) {
        session_.setChatterSounds(on);
        save("ChatterSounds");
    });
}

void GameOptions::showTable(const TableState& table) {
    justWatch_->setChecked(table.justWatchChecked);
    justWatch_->setEnabled(table.justWatchEnabled);
}

void GameOptions::setShowBestMove(bool on) {
    showBestMove_->setChecked(on);
    session_.setShowBestMove(on);
}

void GameOptions::tellSession() const {
    session_.setShowBestMove(showBestMove_->isChecked());
    session_.setPlaySounds(playSounds_->isChecked());
    session_.setChatterSounds(chatterSounds_->isChecked());
}

} // namespace tc::client
