#pragma once
// `Tchat`, the main window: the table, the chat below it and the menus.
// It owns the client session and implements its view: it shows what the
// session decides and forwards every input (socket events, clicks, typed
// text, the dispatch timer) to it. Closing it ends the program (the owner
// connects `closed`).
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include <QMainWindow>
#include <QTimer>

#include "client/ClientSocket.h"
#include "client/InputGate.h"
#include "client/MainOptions.h"
#include "client/SettingsKeeper.h"
#include "client/PlayerSettings.h"
#include "client/ReconnectAttempt.h"
#include "session/Session.h"
#include "session/SessionView.h"
#include "store/ClientSettings.h"

namespace tc::store {
class SettingsFile;
}
namespace tc::client {

class BoardPanel;
class ChatArea;
class ClientSoundPlayer;
class FileMenu;
class FocusRing;
class FullScreen;
class GameOptions;
class GameStartWindow;
class KeyboardPath;
class MainMenus;
class Reconnection;
class ScreenFit;
class SeatMenu;
class SideWindowLinks;
class TableKeys;

class MainWindow final : public QMainWindow, public SessionView {
    Q_OBJECT
public:
    // Makes this copy's game server listen on `port` (0: any free port).
    // On success sets `listening` to the port it listens on; on failure
    // returns false with a short reason in `error`.
    using ServerStarter = std::function<bool(quint16 port, quint16& listening, QString& error)>;

    // `rng` is the program's one generator (shared with the server); it
    // must outlive the window. FormCreate runs here. With `showFirst` the
    // window is shown (mapped at its default size) before its table is
    // built, so the player sees it as soon as the program starts; nothing
    // is painted until the event loop runs, by then with the whole table.
    explicit MainWindow(game::Lcg& rng, QWidget* parent = nullptr, bool showFirst = false);
    ~MainWindow() override;

    // Wiring done once by the owner before start(); any may be left out
    // (a copy without a server starter cannot host).
    void setServerStarter(ServerStarter starter) { serverStarter_ = std::move(starter); }
    // The side windows (game start, spy list, phrases, help, tally) are
    // attached to the room that opens them.
    SideWindowLinks& sideWindows() { return *side_; }
    void setSoundPlayer(ClientSoundPlayer* player) { sounds_ = player; }
    // The program's settings file (loadinifile, saveinifile, and the fields
    // "Host a Game" and "Join a Game" remember); without one nothing is read
    // or written.
    void setSettingsFile(store::SettingsFile* file) { keeper_.setFile(file); }
    // Replaces the modal message box (tests record instead of blocking).
    void setMessagePresenter(std::function<void(const QString&)> presenter) {
        presenter_ = std::move(presenter);
    }
    // The port to host and join on (default 7772).
    void setPort(quint16 port);
    // The port the own server listens on once hosting, else 0.
    quint16 hostingPort() const { return hostingPort_; }
    // How long a connect may go unanswered (10 s unless set).
    void setConnectTimeout(int ms) { sock_.setConnectTimeout(ms); }

    // FormShow: shows the window and runs processparams with `params`.
    void start(const std::vector<std::string>& params);
    // start() for a join that JoinAttempt already made and logged in: the
    // window takes `from`'s connection over and the session starts logged
    // in at `seat` with `rest`, the host's bytes after the login request.
    void startJoined(const std::vector<std::string>& params, ClientSocket& from, int seat, const std::string& rest);
    // A second copy of the program asked for this one: bring it forward.
    void bringToFront();
    // Leaves the game at once and silently and puts a fresh session in
    // place, ready for start() again. A game started after this that ends
    // is reported by `gameEnded` instead of closing the window.
    void leaveGame();

    const Session& session() const { return session_; }
    // Timer1: runs only while the session has lines waiting or a cool-down.
    bool dispatchTimerActive() const { return gate_.timerActive(); }
    BoardPanel* board() const { return board_; }
    // Where the window's features put their menu items.
    MainMenus& menus() const { return *menus_; }
    TableKeys* tableKeys() const;
    FocusRing* focusRing() const;

    // --- SessionView ---
    bool startServer(std::string& error) override;
    void connectToServer(const std::string& address) override;
    void openSideConnection() override;
    void send(const std::string& wireBytes) override;
    void addLineToChat(const std::string& line, net::Colour colour) override;
    void tableChanged() override;
    void animateTile(int tile, bool reverse, int frame) override;
    void playSound(const std::string& name) override;
    void showMessage(const std::string& text) override;
    void closeWindow() override;
    void showGameStart() override;
    void loadSettings() override;
    void showDownloadWindow() override;
    void addToMineIncrease(int column) override;
    void addGame(const std::string& winner, bool localWon) override;
    void connectionLost(int holdSeconds) override;

    // The way back to the seat after a drop (tests look at it).
    ReconnectAttempt& reconnectAttempt();

signals:
    void closed();
    // File > Host a Game… (true) or Join a Game… (false) was chosen.
    void connectDialogWanted(bool host);
    // A game begun after leaveGame() ended (connection closed, game full).
    void gameEnded();

protected:
    void closeEvent(QCloseEvent* event) override;
    // The first time: the window is fitted to its screen's available area.
    void showEvent(QShowEvent* event) override;

private:
    // saveinifile after the menu item of `key` changed.
    void saveSettings(std::string_view key);
    // A system line in the chat.
    void tell(const std::string& line) { addLineToChat(line, session_.systemcolor()); }

    game::Lcg& rng_;
    Session session_;
    ClientSocket sock_;
    ClientSocket sock11_;  // the idle side connection to 127.0.0.1:9001
    std::unique_ptr<Reconnection> reconnection_;
    InputGate gate_;
    BoardPanel* board_ = nullptr;
    FullScreen* fullScreen_ = nullptr;
    // The window's features, each with its widgets and wiring.
    std::unique_ptr<MainMenus> menus_;
    std::unique_ptr<ChatArea> chat_;
    std::unique_ptr<ScreenFit> screenFit_;
    std::unique_ptr<SideWindowLinks> side_;
    std::unique_ptr<SeatMenu> seatMenu_;
    std::unique_ptr<KeyboardPath> keyboard_;
    std::unique_ptr<FileMenu> file_;
    std::unique_ptr<GameOptions> options_;
    std::unique_ptr<PlayerSettings> playerSettings_;
    ClientSoundPlayer* sounds_ = nullptr;
    SettingsKeeper keeper_{[this](const std::string& line) { tell(line); }};
    ServerStarter serverStarter_;
    std::function<void(const QString&)> presenter_;
    quint16 port_ = kDefaultPort;
    quint16 hostingPort_ = 0;
    bool endToGameEnded_ = false;  // set by leaveGame()
    int generation_ = 0;           // games left so far
    // The stored place was put to the window: once per run, at the first
    // login. Later games (hosting, joining, solo again) leave the window
    // where the player has it.
    bool placeRestored_ = false;

};

} // namespace tc::client
