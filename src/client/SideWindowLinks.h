#pragma once
// The main window's side windows as the player reaches them: the View and
// Help items and the Solo item of the menu bar, the dice panel's logo, what
// each window asks of the game (start a game, remove a spectator, show About,
// leave the program) and what the game tells them (finished games for the
// tally, the lobby offer at a plain start). The windows themselves are made
// by the program's owner and attached here; any may be missing.
#include <functional>
#include <string>
#include <vector>

#include <QObject>
#include <QStringList>

#include "client/SideWindows.h"

class QWidget;

namespace tc::chat {
class PhraseBar;
}

namespace tc::client {

class DicePanel;
class InputGate;
class MainMenus;
class PlayerSettings;
class Session;
class SettingsKeeper;

class SideWindowLinks final : public QObject {
    Q_OBJECT
public:
    // Side windows open over `owner`; `tell` puts a system line in the chat.
    // Every reference must outlive this.
    SideWindowLinks(QWidget* owner, Session& session, InputGate& gate, SettingsKeeper& keeper,
                    const PlayerSettings& settings, std::function<void(const std::string&)> tell);

    // Adds the View, Help and Solo items to `menus` and answers them and the
    // logo of `dice`; the phrase editor opens on the phrases of `phrases`.
    void addMenuItems(MainMenus& menus, DicePanel* dice, const chat::PhraseBar* phrases);

    void attachGameStart(GameStartWindow* window);
    void attachSpyList(windows::SpyListWindow* window);
    void attachPhraseEditor(windows::PhraseEditor* editor);
    // Help, About, Solo and the download window; any may be null.
    void attachHelpWindows(windows::HelpWindow* help, windows::AboutWindow* about, windows::SoloWindow* solo,
                           windows::DownloadWindow* download);
    // The tally window: View > "View Tally" shows it, finished games and
    // shut-all turns are counted in it. A save that fails is told once in
    // the chat.
    void attachTally(windows::TallyListWindow* window);

    // The lobby download window at a plain start, unless declined for good;
    // never for a game begun again (`again`).
    void offerDownload(bool again);
    // The tally: the own shut-all turns and each finished game.
    void countShutAll(int column);
    void countGame(const std::string& winner, bool localWon);

    const SideWindows& windows() const { return side_; }

private:
    // loadchecklist: the seated players of the current game but the own seat.
    std::vector<std::string> currentGameNames() const;
    void phrasesDone(const QStringList& phrases);

    QWidget* owner_;
    Session& session_;
    InputGate& gate_;
    SettingsKeeper& keeper_;
    const PlayerSettings& settings_;
    std::function<void(const std::string&)> tell_;
    SideWindows side_;
};

} // namespace tc::client
