#pragma once
// The side windows the main window opens, hides and feeds: the game start
// dialog, the spy list, the phrase editor, Help, About, Solo, the download
// window and the tally. Each may be missing (tests leave some out); the
// window asks through here and needs no null checks of its own.
#include <string>
#include <vector>

class QWidget;

namespace tc::windows {
class AboutWindow;
class DownloadWindow;
class HelpWindow;
class PhraseEditor;
class SoloWindow;
class SpyListWindow;
class TallyListWindow;
}

namespace tc::client {

class GameStartWindow;
struct TableState;

struct SideWindows {
    GameStartWindow* gameStart = nullptr;
    windows::SpyListWindow* spyList = nullptr;
    windows::PhraseEditor* phraseEditor = nullptr;
    windows::HelpWindow* help = nullptr;
    windows::AboutWindow* about = nullptr;
    windows::SoloWindow* solo = nullptr;
    windows::DownloadWindow* download = nullptr;
    windows::TallyListWindow* tally = nullptr;

    // Opens `window` centred over `owner` (nothing when it is missing).
    void showGameStart(QWidget* owner) const;
    void showSpyList(QWidget* owner) const;
    void showHelp(QWidget* owner) const;
    void showAbout(QWidget* owner) const;
    void showSolo(QWidget* owner) const;
    // The lobby download window, centred on the screen as at a plain start.
    void showDownload() const;
    // The tally, its opponents taken from the current game's seats.
    void showTally(QWidget* owner, const std::vector<std::string>& currentGame) const;
    // The spy list follows the table.
    void showTable(const TableState& table) const;
    // At the window's close or a game's end: nothing stays open.
    void hideAll() const;
    void hideGameStart() const;
};

} // namespace tc::client
