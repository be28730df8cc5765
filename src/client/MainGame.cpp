#include "client/MainGame.h"

#include <QHostAddress>

#include "windows/PhraseEditor.h"
#include "client/BoardPictures.h"
#include "client/GameStartWindow.h"
#include "client/LocalAddresses.h"
#include "client/MainWindow.h"
#include "session/ReachableAddresses.h"
#include "client/SoundEffectPlayer.h"
#include "discovery/Announcer.h"
#include "net/Version.h"
#include "server/ServerHost.h"
#include "store/SettingsFile.h"
#include "store/StoreLocation.h"
#include "windows/AboutWindow.h"
#include "windows/DownloadWindow.h"
#include "windows/HelpWindow.h"
#include "windows/SoloWindow.h"
#include "windows/TallyListWindow.h"
#include "windows/SpyListWindow.h"
#include "windows/WebAddresses.h"

namespace tc::client {

MainGame::MainGame(std::uint32_t seed) : rng_(seed) {
    sounds_ = std::make_unique<SoundEffectPlayer>();
    settings_ = std::make_unique<store::SettingsFile>(
        store::storeFilePath(QStringLiteral("velmoralobby.ini"), QStandardPaths::AppConfigLocation)
            .toLocal8Bit().toStdString());
    const auto addresses = windows::WebAddresses::fromSettings(*settings_);
    chat_ = std::make_unique<MainWindow>(rng_);
    chat_->setSoundPlayer(sounds_.get());
    about_ = std::make_unique<windows::AboutWindow>(QString::fromStdString(addresses.makerSite));
    gamestart_ = std::make_unique<GameStartWindow>();
    phrases_ = std::make_unique<windows::PhraseEditor>();
    help_ = std::make_unique<windows::HelpWindow>();
    server_ = std::make_unique<server::ServerHost>(rng_, nullptr);
    spylist_ = std::make_unique<windows::SpyListWindow>();
    download_ = std::make_unique<windows::DownloadWindow>(addresses);
    solo_ = std::make_unique<windows::SoloWindow>(QString::fromStdString(addresses.soloPage));
    announcer_ = std::make_unique<discovery::Announcer>();

    chat_->attachGameStart(gamestart_.get());
    chat_->attachSpyList(spylist_.get());
    chat_->attachPhraseEditor(phrases_.get());
    chat_->setSettingsFile(settings_.get());
    chat_->attachHelpWindows(help_.get(), about_.get(), solo_.get(), download_.get());
    createTally();
    chat_->setServerStarter([this](quint16 port, quint16& listening, QString& error) {
        QString detail;
        if (!server_->listen(QHostAddress::Any, port, &detail)) {
            // The session names the port itself; keep the system's reason.
            const qsizetype colon = detail.indexOf(QLatin1String(": "));
            error = colon >= 0 ? detail.mid(colon + 2) : detail;
            return false;
        }
        listening = server_->serverPort();
        return true;
    });
    QObject::connect(chat_.get(), &MainWindow::connectRequested, chat_.get(),
                     [this](const MainOptions& options) { restart(options); });
    QObject::connect(chat_.get(), &MainWindow::gameEnded, chat_.get(), [this] {
        chat_->addLineToChat("0+The game has ended; back to a solo game.", net::kPureBlue);
        MainOptions solo;
        solo.port = firstPort_;
        restart(solo);
    });
}

MainGame::~MainGame() {
    // The window goes first so that its connection ends while the server
    // still runs, as when a player leaves; then the server and the rest.
    chat_.reset();
    announcer_.reset();  // the announcement goes with the game
    solo_.reset();
    download_.reset();
    help_.reset();
    about_.reset();
    spylist_.reset();
    tally_.reset();  // writes the tally once more
    server_.reset();
    phrases_.reset();
    gamestart_.reset();
    sounds_.reset();
}

void MainGame::setDesktop(windows::Desktop* desktop) {
    about_->setDesktop(desktop);
    solo_->setDesktop(desktop);
    download_->setDesktop(desktop);
}

void MainGame::start(const MainOptions& options) {
    pauseMs_ = options.pauseMs;
    firstPort_ = options.port;
    if (pauseMs_ > 0) server_->setPauseMs(pauseMs_);
    chat_->setPort(options.port);
    chat_->start(options.params);
    announce(options);
    tally_->reportLoadProblem(chat_.get());
}

void MainGame::announce(const MainOptions& options) {
    const auto& p = options.params;
    // Only a game hosted for others; a solo game has no parameters.
    const bool hosting = p.size() >= 3 && p[2] == "true" && chat_->hostingPort() != 0;
    if (!hosting || !options.announce) {
        announcer_->stop();
        return;
    }
    auto toGame = [](const server::SeatSummary& s) {
        return discovery::GameAnnouncement{net::kProtocolVersion, s.seated, s.freeSeats, s.running};
    };
    QObject::connect(server_.get(), &server::ServerHost::seatsChanged, announcer_.get(),
                     [this, toGame](const server::SeatSummary& s) { announcer_->update(toGame(s)); });
    announcer_->start(QString::fromStdString(p[0]), chat_->hostingPort(), toGame(server_->server().seatSummary()));
}

void MainGame::createTally() {
    tally_ = std::make_unique<windows::TallyListWindow>(
        store::storeFilePath(QStringLiteral("Ridgeplaytally.tld"), QStandardPaths::AppDataLocation));
    tally_->setBackground(BoardPictures::instance().board);
    chat_->attachTally(tally_.get());
}

void MainGame::restart(const MainOptions& options) {
    // The window lets go of its connection before the old server, with
    // every connection of the other players, goes away.
    chat_->leaveGame();
    server_.reset();
    server_ = std::make_unique<server::ServerHost>(rng_, nullptr);
    if (pauseMs_ > 0) server_->setPauseMs(pauseMs_);
    chat_->setPort(options.port);
    chat_->start(options.params);
    announce(options);
    const auto& p = options.params;
    if (p.size() >= 3 && p[2] == "true" && chat_->hostingPort() != 0)
        chat_->addLineToChat("0+" + joinAddressesLine(localAddresses(), chat_->hostingPort()), net::kPureBlue);
}

} // namespace tc::client
