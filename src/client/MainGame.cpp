#include "client/MainGame.h"

#include <QHostAddress>

#include "chat/PhraseEditor.h"
#include "client/GameStartWindow.h"
#include "client/MainWindow.h"
#include "server/ServerHost.h"
#include "store/SettingsFile.h"
#include "store/StoreLocation.h"
#include "windows/SpyListWindow.h"

namespace tc::client {

MainGame::MainGame(std::uint32_t seed) : rng_(seed) {
    settings_ = std::make_unique<store::SettingsFile>(
        store::storeFilePath(QStringLiteral("velmoralobby.ini"), QStandardPaths::AppConfigLocation)
            .toLocal8Bit().toStdString());
    chat_ = std::make_unique<MainWindow>(rng_);
    gamestart_ = std::make_unique<GameStartWindow>();
    phrases_ = std::make_unique<chat::PhraseEditor>();
    server_ = std::make_unique<server::ServerHost>(rng_, nullptr);
    spylist_ = std::make_unique<windows::SpyListWindow>();

    chat_->attachGameStart(gamestart_.get());
    chat_->attachSpyList(spylist_.get());
    chat_->attachPhraseEditor(phrases_.get());
    chat_->setSettingsFile(settings_.get());
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
    server_.reset();
    phrases_.reset();
    gamestart_.reset();
}

void MainGame::start(const MainOptions& options) {
    if (options.pauseMs > 0) server_->setPauseMs(options.pauseMs);
    chat_->setPort(options.port);
    chat_->start(options.params);
}

} // namespace tc::client
