#include "client/MainGame.h"

#include <QHostAddress>

#include "client/BoardPictures.h"
#include "client/GameStartWindow.h"
#include "client/MainWindow.h"
#include "server/ServerHost.h"
#include "store/StoreLocation.h"
#include "store/TallyListWindow.h"
#include "windows/SpyListWindow.h"

namespace tc::client {

MainGame::MainGame(std::uint32_t seed) : rng_(seed) {
    chat_ = std::make_unique<MainWindow>(rng_);
    gamestart_ = std::make_unique<GameStartWindow>();
    server_ = std::make_unique<server::ServerHost>(rng_, nullptr);
    spylist_ = std::make_unique<windows::SpyListWindow>();

    chat_->attachGameStart(gamestart_.get());
    chat_->attachSpyList(spylist_.get());
    createTally();
    chat_->setServerStarter([this](quint16 port, quint16& listening, QString& error) {
        if (!server_->listen(QHostAddress::Any, port, &error)) return false;
        listening = server_->serverPort();
        return true;
    });
}

MainGame::~MainGame() {
    // The window goes first so that its connection ends while the server
    // still runs, as when a player leaves; then the server and the rest.
    chat_.reset();
    spylist_.reset();
    tally_.reset();  // writes the tally once more
    server_.reset();
    gamestart_.reset();
}

void MainGame::start(const MainOptions& options) {
    if (options.pauseMs > 0) server_->setPauseMs(options.pauseMs);
    chat_->setPort(options.port);
    chat_->start(options.params);
    tally_->reportLoadProblem(chat_.get());
}

void MainGame::createTally() {
    tally_ = std::make_unique<store::TallyListWindow>(
        store::storeFilePath(QStringLiteral("Ridgeplaytally.tld"), QStandardPaths::AppDataLocation));
    tally_->setBackground(BoardPictures::instance().board);
    chat_->attachTally(tally_.get());
}

} // namespace tc::client
