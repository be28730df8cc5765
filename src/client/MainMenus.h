#pragma once
// The main window's menu bar and the seat menu: every item with its
// objectName, built once. The window connects the items; this class only
// builds them and keeps them at hand.
class QAction;
class QActionGroup;
class QMainWindow;
class QMenu;

namespace tc::chat {
class ScaledStyle;
}

namespace tc::client {

class MainMenus final {
public:
    // Builds the bar of `window`; `scrollChatOff` is the chat pane's own
    // action, shown in Options as well.
    MainMenus(QMainWindow* window, QAction* scrollChatOff);

    // File
    QAction* startGame = nullptr;
    QAction* hostGame = nullptr;
    QAction* joinGame = nullptr;
    QAction* exit = nullptr;
    // Options
    QAction* justWatch = nullptr;
    QAction* showBestMove = nullptr;  // the coach; off until switched on
    QAction* playSounds = nullptr;
    QAction* chatterSounds = nullptr;
    QAction* textColour = nullptr;
    QActionGroup* textSizes = nullptr;  // 8, 10, 12, 14; the size is each action's data
    QAction* resetScreenLocation = nullptr;
    // View
    QAction* viewTally = nullptr;
    QAction* spyList = nullptr;
    QAction* phraseList = nullptr;
    // Help and the bar's own Solo item
    QAction* helpContent = nullptr;
    QAction* quickInstructions = nullptr;
    QAction* about = nullptr;
    QAction* downloadLobby = nullptr;  // the lobby download window, as a plain start offers it
    QAction* solo = nullptr;
    // popup_kick, opened on a seat
    QMenu* seatMenu = nullptr;
    QAction* removeFromGame = nullptr;
    QAction* setJustWatch = nullptr;
    QAction* unsetJustWatch = nullptr;
    QAction* letBackIn = nullptr;  // the host forgets whom he removed

    // Checks the text size item for `points` (none when no item has it).
    void checkTextSize(int points);
    // The bar's text and every menu at `scale` times their size (1: as made).
    void setScale(double scale);
    double scale() const { return scale_; }

private:
    QMainWindow* window_ = nullptr;
    chat::ScaledStyle* style_ = nullptr;
    double scale_ = 1.0;
};

} // namespace tc::client
