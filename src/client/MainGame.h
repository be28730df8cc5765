#pragma once
// One copy of the program: the generator and the windows, created in the
// start-up order (Tchat, Tgamestart, TServer, Tspylist) and wired together.
// Every copy holds an idle game server; it listens only when this copy
// hosts. Tests create several in one process.
#include <cstdint>
#include <memory>

#include "client/MainOptions.h"
#include "game/Lcg.h"

namespace tc::server {
class ServerHost;
}
namespace tc::windows {
class SpyListWindow;
}
namespace tc::store {
class TallyListWindow;
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
    store::TallyListWindow& tally() { return *tally_; }

private:
    void createTally();

    game::Lcg rng_;
    std::unique_ptr<MainWindow> chat_;              // Tchat
    std::unique_ptr<GameStartWindow> gamestart_;    // Tgamestart
    std::unique_ptr<server::ServerHost> server_;    // TServer
    std::unique_ptr<windows::SpyListWindow> spylist_;  // Tspylist
    std::unique_ptr<store::TallyListWindow> tally_;    // Ttallylist
};

} // namespace tc::client
