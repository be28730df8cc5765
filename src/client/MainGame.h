#pragma once
// One copy of the program: the generator, the settings file and the
// windows, created in the start-up order (Tchat, Tabout, Tgamestart,
// Tphrases, Thelp, TServer, Tspylist, Tdownload, Tsolo) and wired together.
// Every copy holds an idle game server; it listens only when this copy
// hosts. Tests create several in one process.
//
// Hosting or joining from the File menu starts over in the same window with
// the command line that does the same: the old connection and the old
// server go, a fresh server and session take their place. Only once the new
// game is sure: a host's server is listening, a join is connected and
// logged in (JoinAttempt); until then the player stays in his game and the
// dialog shows why it failed. When such a game ends, the copy starts over
// with a solo game instead of ending.
//
// A solo game listens on 127.0.0.1 only, on its port when free and else on
// one the system chooses; a hosted game listens on every address.
//
// A game hosted for others is announced on the local network while it
// runs, and its port opened on the home router (RouterPort); a solo game
// never is.
#include <cstdint>
#include <memory>

#include "client/MainOptions.h"
#include "game/Lcg.h"

namespace tc::discovery {
class Announcer;
}
namespace tc::server {
class ServerHost;
}
namespace tc::store {
class SettingsFile;
}
namespace tc::windows {
class AboutWindow;
class Desktop;
class DownloadWindow;
class HelpWindow;
class PhraseEditor;
class SoloWindow;
class SpyListWindow;
class TallyListWindow;
}

namespace tc::client {

class ConnectDialog;
class GameStartWindow;
class JoinAttempt;
class MainWindow;
class RouterPort;
class SoundEffectPlayer;

class MainGame {
public:
    // `seed` seeds the one generator shared by the server and the session.
    // With `showFirst` the main window is shown before anything else is
    // made (see MainWindow), the side windows and the server after it.
    explicit MainGame(std::uint32_t seed, bool showFirst = false);
    ~MainGame();
    MainGame(const MainGame&) = delete;
    MainGame& operator=(const MainGame&) = delete;

    // Applies the options, shows the main window and reads the parameters.
    void start(const MainOptions& options);
    // Leaves the current game and starts over with `options`; the pause
    // tick of the first start is kept. Posts the addresses to give out
    // when this copy now hosts for others.
    void restart(const MainOptions& options);
    // The join tried for the Join dialog (tests shorten its time).
    JoinAttempt& joinAttempt() { return *join_; }

    game::Lcg& rng() { return rng_; }
    // The program's one settings file, "velmoralobby.ini" (see StoreLocation).
    store::SettingsFile& settings() { return *settings_; }
    windows::PhraseEditor& phraseEditor() { return *phrases_; }
    MainWindow& window() { return *chat_; }
    GameStartWindow& gameStart() { return *gamestart_; }
    server::ServerHost& server() { return *server_; }
    windows::SpyListWindow& spyList() { return *spylist_; }
    windows::HelpWindow& help() { return *help_; }
    windows::AboutWindow& about() { return *about_; }
    windows::SoloWindow& solo() { return *solo_; }
    windows::DownloadWindow& download() { return *download_; }
    // What the side windows open and start goes through `desktop`.
    void setDesktop(windows::Desktop* desktop);
    windows::TallyListWindow& tally() { return *tally_; }

    // The announcement of this copy's hosted game on the local network.
    discovery::Announcer& announcer() { return *announcer_; }
    // The hosted game's port on the home router.
    RouterPort& routerPort() { return *router_; }

private:
    void createTally();
    // Announces a game hosted for others (not with --no-announce or the Host
    // dialog's choice); withdraws any earlier announcement otherwise. The
    // router follows the same way (--no-map-port, the remembered choice).
    void announce(const MainOptions& options);
    // The File menu's Host and Join, tried before the current game is left.
    void openConnectDialog(bool host);
    void hostFromDialog(const MainOptions& options);
    // The join the dialog asked for is logged in: the game moves there.
    void joined();
    // Leaves the current game; the next one runs on `server`.
    void replaceServer(std::unique_ptr<server::ServerHost> server);
    bool listen(server::ServerHost& server, quint16 port, QString& error) const;

    game::Lcg rng_;
    // Before the window, which plays through it until it is gone.
    std::unique_ptr<SoundEffectPlayer> sounds_;
    std::unique_ptr<store::SettingsFile> settings_;
    int pauseMs_ = 0;
    std::int64_t holdMs_ = 0;  // the first start's --hold-s, for every server after it
    quint16 firstPort_ = 7772;  // the command line's port, for a solo start over
    bool soloGame_ = false;     // the game being started is a solo game
    std::unique_ptr<MainWindow> chat_;              // Tchat
    std::unique_ptr<windows::AboutWindow> about_;   // Tabout
    std::unique_ptr<GameStartWindow> gamestart_;    // Tgamestart
    std::unique_ptr<windows::PhraseEditor> phrases_;   // Tphrases
    std::unique_ptr<windows::HelpWindow> help_;     // Thelp
    std::unique_ptr<server::ServerHost> server_;    // TServer
    std::unique_ptr<windows::SpyListWindow> spylist_;  // Tspylist
    std::unique_ptr<windows::DownloadWindow> download_;  // Tdownload
    std::unique_ptr<windows::SoloWindow> solo_;          // Tsolo
    std::unique_ptr<discovery::Announcer> announcer_;
    std::unique_ptr<windows::TallyListWindow> tally_;    // Ttallylist
    std::unique_ptr<JoinAttempt> join_;
    ConnectDialog* dialog_ = nullptr;  // File > Host / Join; a child of the window
    RouterPort* router_ = nullptr;     // a child of the window: goes with it
    bool toldNotAnnounced_ = false;    // the chat said once that this game is not announced
};

} // namespace tc::client
