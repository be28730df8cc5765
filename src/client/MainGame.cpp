#include "client/MainGame.h"

#include <QCoreApplication>
#include <QHostAddress>

#include "windows/PhraseEditor.h"
#include "client/BoardPictures.h"
#include "client/ConnectDialog.h"
#include "client/GameStartWindow.h"
#include "client/HostPort.h"
#include "client/JoinAttempt.h"
#include "client/LocalAddresses.h"
#include "client/MainWindow.h"
#include "client/RouterPort.h"
#include "chat/ChatPane.h"
#include "session/ConnectSettings.h"
#include "session/ReachableAddresses.h"
#include "client/SoundEffectPlayer.h"
#include "discovery/Announcer.h"
#include "discovery/AvahiBus.h"
#include "net/Version.h"
#include "server/ServerHost.h"
#include "Translations.h"
#include "client/LanguageMenu.h"
#include "client/SideWindowLinks.h"
#include "store/SettingsFile.h"
#include "store/StoreLocation.h"
#include "windows/AboutWindow.h"
#include "windows/DownloadWindow.h"
#include "windows/HelpWindow.h"
#include "windows/ShippedDocuments.h"
#include "windows/SoloWindow.h"
#include "windows/TallyListWindow.h"
#include "windows/SpyListWindow.h"
#include "windows/WebAddresses.h"

namespace tc::client {

MainGame::MainGame(std::uint32_t seed, bool showFirst) : rng_(seed) {
    sounds_ = std::make_unique<SoundEffectPlayer>();
    settings_ = std::make_unique<store::SettingsFile>(
        store::storeFilePath(QStringLiteral("velmoralobby.ini"), QStandardPaths::AppConfigLocation)
            .toLocal8Bit().toStdString());
    i18n::install(LanguageMenu::chosen(*settings_));
    const auto addresses = windows::WebAddresses::fromSettings(*settings_);
    chat_ = std::make_unique<MainWindow>(rng_, nullptr, showFirst);
    chat_->setSoundPlayer(sounds_.get());
    new LanguageMenu(chat_->menus(), *settings_,
                     [this](const QString& line) { chat_->addLineToChat("0+" + line.toStdString(), net::kPureBlue); });
    about_ = std::make_unique<windows::AboutWindow>(windows::ShippedDocuments::orReadme(addresses.makerSite),
                                                    windows::ShippedDocuments::licence());
    gamestart_ = std::make_unique<GameStartWindow>();
    phrases_ = std::make_unique<windows::PhraseEditor>();
    help_ = std::make_unique<windows::HelpWindow>();
    server_ = std::make_unique<server::ServerHost>(rng_, nullptr);
    spylist_ = std::make_unique<windows::SpyListWindow>();
    download_ = std::make_unique<windows::DownloadWindow>(addresses);
    solo_ = std::make_unique<windows::SoloWindow>(windows::ShippedDocuments::orReadme(addresses.soloPage));
    announcer_ = std::make_unique<discovery::Announcer>();
    // The host hears once per hosted game that nobody can find it in the
    // list, whatever retries follow; queued, so after where others can join.
    QObject::connect(announcer_.get(), &discovery::Announcer::stateChanged, chat_.get(),
                     [this](discovery::Announcer::State state) {
                         if (state != discovery::Announcer::State::Unavailable || toldNotAnnounced_) return;
                         toldNotAnnounced_ = true;
                         chat_->addLineToChat(
                             "0+" + discovery::notAnnouncedText(announcer_->avahiAbsent(), announcer_->error())
                                        .toStdString(),
                             net::kPureBlue);
                     }, Qt::QueuedConnection);

    // Rudi's way of playing is the host's choice for a whole game: the
    // server takes it here, before the start request reaches it over the
    // connection.
    QObject::connect(gamestart_.get(), &GameStartWindow::startRequested, gamestart_.get(),
                     [this](int) { server_->setRudi(gamestart_->rudi()); });
    router_ = new RouterPort(*chat_->findChild<chat::ChatPane*>(QStringLiteral("mainchat"))->contextMenu(),
                             [this](const std::string& line) { chat_->addLineToChat("0+" + line, net::kPureBlue); },
                             chat_.get());
    SideWindowLinks& side = chat_->sideWindows();
    side.attachGameStart(gamestart_.get());
    side.attachSpyList(spylist_.get());
    chat_->tableChanged();  // the spy list shows the table as it stands
    side.attachPhraseEditor(phrases_.get());
    chat_->setSettingsFile(settings_.get());
    side.attachHelpWindows(help_.get(), about_.get(), solo_.get(), download_.get());
    createTally();
    chat_->setServerStarter([this](quint16 port, quint16& listening, QString& error) {
        // A server made ready by the Host dialog already listens.
        if (server_->serverPort() == 0 && !listen(*server_, port, error)) return false;
        listening = server_->serverPort();
        return true;
    });
    join_ = std::make_unique<JoinAttempt>();
    QObject::connect(join_.get(), &JoinAttempt::failed, chat_.get(),
                     [this](const QString& reason) { dialog_->connectFailed(reason); });
    QObject::connect(join_.get(), &JoinAttempt::joined, chat_.get(), [this] { joined(); });
    QObject::connect(chat_.get(), &MainWindow::connectDialogWanted, chat_.get(),
                     [this](bool host) { openConnectDialog(host); });
    QObject::connect(chat_.get(), &MainWindow::gameEnded, chat_.get(), [this] {
        chat_->addLineToChat("0+" + QCoreApplication::translate("MainGame", "The game has ended; back to a solo game.").toStdString(), net::kPureBlue);
        // A join tried meanwhile was meant to leave that game: the dialog
        // hears how things stand instead of waiting on "Joining" for ever.
        if (join_->running() && dialog_)
            dialog_->connectFailed(QCoreApplication::translate("MainGame", "Your game ended while you were joining, so you are back in a "
                                                  "solo game. Press Join to try again."));
        MainOptions solo;
        solo.port = firstPort_;
        restart(solo);
    });
}

MainGame::~MainGame() {
    // The window goes first so that its connection ends while the server
    // still runs, as when a player leaves; then the server and the rest.
    join_.reset();
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

bool MainGame::listen(server::ServerHost& server, quint16 port, QString& error) const {
    // A solo game is for this computer only, and any number of copies can
    // play one at once: a taken port gives way to one the system chooses.
    const QHostAddress where = soloGame_ ? QHostAddress(QHostAddress::LocalHost) : QHostAddress(QHostAddress::Any);
    QString detail;
    if (server.listen(where, port, &detail) || (soloGame_ && port != 0 && server.listen(where, 0, &detail)))
        return true;
    // The session names the port itself; keep the system's reason.
    const qsizetype colon = detail.indexOf(QLatin1String(": "));
    error = colon >= 0 ? detail.mid(colon + 2) : detail;
    return false;
}

void MainGame::start(const MainOptions& options) {
    pauseMs_ = options.pauseMs;
    holdMs_ = std::int64_t(options.holdSeconds) * 1000;
    server_->setHoldMs(holdMs_);
    firstPort_ = options.port;
    soloGame_ = options.params.empty();
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
    router_->follow(hosting ? chat_->hostingPort() : 0, options.mapPort && ConnectSettings::read(*settings_).mapPort);
    if (!hosting || !options.announce) {
        announcer_->stop();
        return;
    }
    toldNotAnnounced_ = false;
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
    chat_->sideWindows().attachTally(tally_.get());
}

void MainGame::replaceServer(std::unique_ptr<server::ServerHost> server) {
    // The window lets go of its connection before the old server, with
    // every connection of the other players, goes away.
    chat_->leaveGame();
    server_ = std::move(server);
    if (pauseMs_ > 0) server_->setPauseMs(pauseMs_);
    server_->setHoldMs(holdMs_);
}

void MainGame::restart(const MainOptions& options) {
    join_->cancel();
    replaceServer(std::make_unique<server::ServerHost>(rng_, nullptr));
    soloGame_ = options.params.empty();
    chat_->setPort(options.port);
    chat_->start(options.params);
    announce(options);
    const auto& p = options.params;
    if (p.size() >= 3 && p[2] == "true" && chat_->hostingPort() != 0)
        chat_->addLineToChat("0+" + joinAddressesLine(localAddresses(), chat_->hostingPort()), net::kPureBlue);
}

void MainGame::openConnectDialog(bool host) {
    join_->cancel();  // a try belongs to the dialog as it was opened then
    if (!dialog_) {
        dialog_ = new ConnectDialog(chat_.get());  // goes with the window
        QObject::connect(dialog_, &ConnectDialog::connectRequested, chat_.get(), [this](const MainOptions& o) {
            if (dialog_->mode() == ConnectDialog::Mode::Host)
                hostFromDialog(o);
            else
                join_->start(QString::fromStdString(o.params[1]), o.port, o.params[0]);
        });
        QObject::connect(dialog_, &ConnectDialog::cancelled, chat_.get(), [this] { join_->cancel(); });
    }
    dialog_->setSettings(settings_.get());
    // The port the game runs on now (the own server lets go of it for
    // the try, so hosting there works from a solo game too).
    dialog_->setGamePort(chat_->hostingPort());
    dialog_->openFor(host ? ConnectDialog::Mode::Host : ConnectDialog::Mode::Join);
}

void MainGame::hostFromDialog(const MainOptions& options) {
    join_->cancel();
    auto fresh = std::make_unique<server::ServerHost>(rng_, nullptr);
    // The own server may hold the port (a solo game on 127.0.0.1, or the
    // game hosted now): it lets go for the try and takes it up again when
    // the try fails, so its game goes on.
    const bool own = server_->serverPort() == options.port;
    if (own) server_->stopListening();
    const bool wasSolo = soloGame_;
    soloGame_ = false;
    QString error;
    if (!listen(*fresh, options.port, error)) {
        soloGame_ = wasSolo;
        if (own) server_->listenAgain();
        const quint16 offer = freePortNear(options.port);
        QString reason = QCoreApplication::translate("MainGame", "Port %1 is not available (%2).").arg(options.port).arg(error);
        if (offer != 0) reason += QCoreApplication::translate("MainGame", " Port %1 is free: press Host to use it.").arg(offer);
        dialog_->connectFailed(reason, offer);
        return;
    }
    dialog_->connectSucceeded();
    replaceServer(std::move(fresh));
    chat_->setPort(options.port);
    chat_->start(options.params);
    announce(options);
    if (chat_->hostingPort() != 0)
        chat_->addLineToChat("0+" + joinAddressesLine(localAddresses(), chat_->hostingPort()), net::kPureBlue);
}

void MainGame::joined() {
    // The fields may have been edited while the try ran.
    const MainOptions options = dialog_->sentOptions();
    dialog_->connectSucceeded();
    replaceServer(std::make_unique<server::ServerHost>(rng_, nullptr));
    soloGame_ = false;
    chat_->setPort(options.port);
    chat_->startJoined(options.params, join_->socket(), join_->seat(), join_->rest());
    announce(options);  // a joiner announces nothing
}

} // namespace tc::client
