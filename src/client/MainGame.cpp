#include "client/MainGame.h"

#include <QHostAddress>

#include "client/GameStartWindow.h"
#include "client/MainWindow.h"
#include "server/ServerHost.h"
#include "store/SettingsFile.h"
#include "store/StoreLocation.h"
#include "windows/AboutWindow.h"
#include "windows/DownloadWindow.h"
#include "windows/HelpWindow.h"
#include "windows/SoloWindow.h"
#include "windows/SpyListWindow.h"
#include "windows/WebAddresses.h"

namespace tc::client {

MainGame::MainGame(std::uint32_t seed)
    : settings_(std::make_unique<store::SettingsFile>(
          store::storeFilePath(QStringLiteral("velmoralobby.ini"), QStandardPaths::AppConfigLocation)
              .toStdString())),
      rng_(seed) {
    const auto addresses = windows::WebAddresses::fromSettings(*settings_);
    chat_ = std::make_unique<MainWindow>(rng_);
    about_ = std::make_unique<windows::AboutWindow>(QString::fromStdString(addresses.makerSite));
    gamestart_ = std::make_unique<GameStartWindow>();
    help_ = std::make_unique<windows::HelpWindow>();
    server_ = std::make_unique<server::ServerHost>(rng_, nullptr);
    spylist_ = std::make_unique<windows::SpyListWindow>();
    download_ = std::make_unique<windows::DownloadWindow>(addresses);
    solo_ = std::make_unique<windows::SoloWindow>(QString::fromStdString(addresses.soloPage));

    chat_->attachGameStart(gamestart_.get());
    chat_->attachSpyList(spylist_.get());
    chat_->attachHelpWindows(help_.get(), about_.get(), solo_.get(), download_.get());
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
    solo_.reset();
    download_.reset();
    help_.reset();
    about_.reset();
    spylist_.reset();
    server_.reset();
    gamestart_.reset();
}

void MainGame::setDesktop(windows::Desktop* desktop) {
    about_->setDesktop(desktop);
    solo_->setDesktop(desktop);
    download_->setDesktop(desktop);
}

void MainGame::start(const MainOptions& options) {
    if (options.pauseMs > 0) server_->setPauseMs(options.pauseMs);
    chat_->setPort(options.port);
    chat_->start(options.params);
}

} // namespace tc::client
