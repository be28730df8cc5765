#pragma once
// One copy of the program: the settings file, the generator and the
// windows, created in the start-up order (Tchat, Tabout, Tgamestart, Thelp,
// TServer, Tspylist, Tdownload, Tsolo) and wired together.
// Every copy holds an idle game server; it listens only when this copy
// hosts. Tests create several in one process.
#include <cstdint>
#include <memory>

#include "client/MainOptions.h"
#include "game/Lcg.h"

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
class SoloWindow;
class SpyListWindow;
}

namespace tc::client {

class GameStartWindow;
class MainWindow;

class MainGame {
public:
    // `seed` seeds the one generator shared by the server and the session.
    explicit MainGame(std::uint32_t seed);
    ~MainGame();
    MainGame(const MainGame&) = delete;
    MainGame& operator=(const MainGame&) = delete;

    // Applies the options, shows the main window and reads the parameters.
    void start(const MainOptions& options);

    game::Lcg& rng() { return rng_; }
    MainWindow& window() { return *chat_; }
    GameStartWindow& gameStart() { return *gamestart_; }
    server::ServerHost& server() { return *server_; }
    windows::SpyListWindow& spyList() { return *spylist_; }
    // The program's one settings file; whoever reads or writes settings
    // gets it from here.
    store::SettingsFile& settings() { return *settings_; }
    windows::HelpWindow& help() { return *help_; }
    windows::AboutWindow& about() { return *about_; }
    windows::SoloWindow& solo() { return *solo_; }
    windows::DownloadWindow& download() { return *download_; }
    // What the side windows open and start goes through `desktop`.
    void setDesktop(windows::Desktop* desktop);

private:
    std::unique_ptr<store::SettingsFile> settings_;
    game::Lcg rng_;
    std::unique_ptr<MainWindow> chat_;              // Tchat
    std::unique_ptr<windows::AboutWindow> about_;   // Tabout
    std::unique_ptr<GameStartWindow> gamestart_;    // Tgamestart
    std::unique_ptr<windows::HelpWindow> help_;     // Thelp
    std::unique_ptr<server::ServerHost> server_;    // TServer
    std::unique_ptr<windows::SpyListWindow> spylist_;  // Tspylist
    std::unique_ptr<windows::DownloadWindow> download_;  // Tdownload
    std::unique_ptr<windows::SoloWindow> solo_;          // Tsolo
};

} // namespace tc::client
