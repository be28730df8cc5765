#include "client/MainWindow.h"

#include <QCloseEvent>
#include <QMessageBox>
#include <QScreen>
#include <QShowEvent>

#include <memory>

#include "chat/ChatInput.h"
#include "chat/ChatPane.h"
#include "client/BoardPanel.h"
#include "client/ChatArea.h"
#include "client/DicePanel.h"
#include "client/FileMenu.h"
#include "client/FullScreen.h"
#include "client/GameOptions.h"
#include "client/GameStartWindow.h"
#include "client/KeyboardPath.h"
#include "client/MainMenus.h"
#include "client/MenuKeys.h"
#include "client/Reconnection.h"
#include "client/ScreenFit.h"
#include "client/SeatMenu.h"
#include "client/SideWindowLinks.h"
#include "client/TileControl.h"
#include "client/WindowPlacement.h"
#include "session/ClientSoundPlayer.h"
#include "session/RudiSettings.h"
#include "store/SettingsFile.h"

namespace tc::client {

MainWindow::MainWindow(game::Lcg& rng, QWidget* parent, bool showFirst)
    : QMainWindow(parent), rng_(rng), session_(*this, rng),
      gate_([this] { return session_.needsTicks(); }, [this] { session_.tick(); }) {
    setObjectName(QStringLiteral("Tchat"));
    setWindowTitle(QStringLiteral("Tilecrest"));

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("client"));
    central->setMinimumSize(ScreenFit::kMinimumClient);
    setCentralWidget(central);
    screenFit_ = std::make_unique<ScreenFit>(this);
    if (showFirst) {
        resize(store::WindowPlace{}.width, store::WindowPlace{}.height);
        // Without an icon of its own: the application's, set once the map
        // request has gone (ApplicationIdentity::applyIcon).
        show();
    }
    board_ = new BoardPanel(central);
    chat_ = std::make_unique<ChatArea>(board_, session_, gate_);
    reconnection_ = std::make_unique<Reconnection>(board_, session_, gate_, sock_);
    screenFit_->scaleTable(board_);
    // The menus' titles, then each feature with its items (MainMenus places them).
    menus_ = std::make_unique<MainMenus>(this);
    const auto save = [this](std::string_view key) { saveSettings(key); };
    file_ = std::make_unique<FileMenu>(*menus_, this, session_, gate_, [this](bool host) { emit connectDialogWanted(host); });
    options_ = std::make_unique<GameOptions>(*menus_, session_, gate_, keeper_, save);
    chat_->addMenuItems(*menus_, this, save);
    screenFit_->attachMenus(*menus_);
    fullScreen_ = new FullScreen(this, *menus_);
    playerSettings_ = std::make_unique<PlayerSettings>(
        PlayerSettings::Widgets{chat_->pane(), chat_->input(), chat_->phrases(), chat_->textSizes(),
                                options_->playSounds(), options_->chatterSounds()}, session_);
    side_ = std::make_unique<SideWindowLinks>(this, session_, gate_, keeper_, *playerSettings_,
                                              [this](const std::string& line) { tell(line); });
    side_->addMenuItems(*menus_, board_->dicePanel(), chat_->phrases());
    seatMenu_ = std::make_unique<SeatMenu>(*menus_, board_, session_, gate_);
    keyboard_ = std::make_unique<KeyboardPath>(this, *menus_, board_, *chat_, session_, gate_);
    new MenuKeys(this);  // every item is in place: the menus' letters, and F10
    resize(store::WindowPlace{}.width, store::WindowPlace{}.height);
    // Made under a window already shown: shown by hand, as the rest is
    // with the window.
    if (showFirst) board_->show();

    connect(&sock_, &ClientSocket::connected, this, [this] { gate_.feed([this] { session_.onConnected(); }); });
    connect(&sock_, &ClientSocket::connectFailed, this, [this](const QString& reason) {
        gate_.feed([this, r = reason.toStdString()] { session_.onConnectFailed(r); });
    });
    connect(&sock_, &ClientSocket::bytesReceived, this, [this](const QByteArray& bytes) {
        if (gate_.closing()) return;
        // Receiving only queues lines (within the session's bound), so it
        // may go on while a message box is up; nothing is dispatched then.
        session_.onBytes(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        gate_.pump();
    });
    connect(&sock_, &ClientSocket::closed, this, [this] { gate_.feed([this] { session_.onSocketClosed(); }); });

    DicePanel* dice = board_->dicePanel();
    connect(board_, &BoardPanel::tilePressed, this, [this](int t) { gate_.feed([this, t] { session_.clickTile(t); }); });
    connect(dice, &DicePanel::rollClicked, this, [this] { gate_.feed([this] { session_.clickRoll(); }); });
    connect(dice, &DicePanel::startClicked, this, [this] { gate_.feed([this] { session_.clickStart(); }); });

    session_.formCreate();
    gate_.pump();
}

void MainWindow::connectionLost(int holdSeconds) { reconnection_->start(port_, holdSeconds); }

ReconnectAttempt& MainWindow::reconnectAttempt() { return reconnection_->attempt(); }

TableKeys* MainWindow::tableKeys() const { return keyboard_->keys(); }

FocusRing* MainWindow::focusRing() const { return keyboard_->ring(); }

MainWindow::~MainWindow() {
    gate_.close();
}

void MainWindow::setPort(quint16 port) {
    port_ = port;
    session_.setPort(port);
}

void MainWindow::start(const std::vector<std::string>& params) {
    show();
    gate_.feed([this, params] { session_.processParams(params); });
}

void MainWindow::startJoined(const std::vector<std::string>& params, ClientSocket& from, int seat,
                             const std::string& rest) {
    show();
    sock_.takeOver(from);
    gate_.feed([this, params, seat, rest] {
        session_.processJoined(params, seat);
        session_.onBytes(rest);
    });
}

void MainWindow::leaveGame() {
    if (gate_.closing()) return;
    gate_.clear();
    reconnection_->stop();
    // Leaving for another game is on purpose: the server releases the seat.
    session_.leave();
    sock_.leave();
    sock11_.drop();
    hostingPort_ = 0;
    side_->windows().hideGameStart();
    seatMenu_->hide();
    // A fresh session in place: every field of the old game goes, and the
    // window, which the session refers to, stays.
    std::destroy_at(&session_);
    std::construct_at(&session_, *this, rng_);
    session_.setPort(port_);
    options_->tellSession();
    session_.formCreate();
    if (GameStartWindow* g = side_->windows().gameStart) session_.offerMarks(g->playToScore());
    endToGameEnded_ = true;
    ++generation_;
    tableChanged();
}

void MainWindow::bringToFront() {
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
}

// --- SessionView ---

bool MainWindow::startServer(std::string& error) {
    if (!serverStarter_) {
        error = tr("This copy has no game server").toStdString();
        return false;
    }
    quint16 listening = 0;
    QString reason;
    if (!serverStarter_(port_, listening, reason)) {
        error = reason.toStdString();
        return false;
    }
    hostingPort_ = listening;
    session_.setPort(listening);
    return true;
}

void MainWindow::connectToServer(const std::string& address) {
    // The own client reaches the own server wherever it listens (with
    // port 0 that is a port chosen by the system).
    const quint16 port = hostingPort_ != 0 && address == "127.0.0.1" ? hostingPort_ : port_;
    sock_.connectTo(QString::fromStdString(address), port);
}

void MainWindow::openSideConnection() { sock11_.connectTo(QStringLiteral("127.0.0.1"), 9001); }

void MainWindow::send(const std::string& wireBytes) {
    sock_.write(QByteArray(wireBytes.data(), static_cast<qsizetype>(wireBytes.size())));
}

void MainWindow::addLineToChat(const std::string& line, net::Colour colour) {
    chat_->pane()->addLineToChat(QString::fromStdString(line), colour);
}

void MainWindow::tableChanged() {
    const TableState& t = session_.table();
    board_->showTable(t);
    file_->showTable(t);
    options_->showTable(t);
    chat_->input()->setWaitingLines(t.chatWaiting);
    side_->windows().showTable(t);
}

void MainWindow::animateTile(int tile, bool reverse, int frame) {
    TileControl* t = board_->tile(tile);
    if (!t) return;
    t->setReverse(reverse);
    t->setFrame(frame);
    t->setPlay(true);
}

void MainWindow::playSound(const std::string& name) {
    if (sounds_) sounds_->play(name);
}

void MainWindow::showMessage(const std::string& text) {
    gate_.modal([this, &text] {
        const QString message = QString::fromStdString(text);
        if (presenter_) {
            presenter_(message);
        } else {
            QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tilecrest"), message, QMessageBox::Ok, this);
            box.exec();
        }
    });
}

void MainWindow::closeWindow() {
    // The session is in the middle of a handler: close once it returned.
    if (endToGameEnded_) {
        // Only for the game it was meant for: a game left meanwhile is over.
        QTimer::singleShot(0, this, [this, generation = generation_] {
            if (!gate_.closing() && generation == generation_) emit gameEnded();
        });
        return;
    }
    QTimer::singleShot(0, this, [this] { close(); });
}

void MainWindow::showGameStart() {
    // The choice for Rudi goes to this window's own server only.
    if (GameStartWindow* g = side_->windows().gameStart) g->setRudiChoosable(hostingPort_ != 0);
    side_->windows().showGameStart(this);
}

void MainWindow::loadSettings() {
    const auto s = keeper_.read();
    if (!s) return;
    if (!placeRestored_) {
        placeRestored_ = true;
        WindowPlacement::restore(this, s->place);
        if (keeper_.file()) fullScreen_->restore(keeper_.file()->ini());
    }
    GameStartWindow* gameStart = side_->windows().gameStart;
    playerSettings_->apply(*s, gameStart);
    if (gameStart) session_.offerMarks(gameStart->playToScore());
    const RudiSettings rudi = RudiSettings::read(*keeper_.file());
    if (gameStart) gameStart->setRudi(rudi.rudi);
    options_->setShowBestMove(rudi.showBestMove);
}

void MainWindow::saveSettings(std::string_view key) {
    keeper_.save(playerSettings_->collect(WindowPlacement::current(this), side_->windows().gameStart), key);
}

void MainWindow::showDownloadWindow() { side_->offerDownload(endToGameEnded_); }

void MainWindow::addToMineIncrease(int column) { side_->countShutAll(column); }

void MainWindow::addGame(const std::string& winner, bool localWon) { side_->countGame(winner, localWon); }

// --- window ---

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    screenFit_->shown(event->spontaneous());
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // FormClose: the place, if it changed.
    const QRect work = screen() ? screen()->availableGeometry() : QRect();
    keeper_.saveAtClose(playerSettings_->collect(WindowPlacement::current(this), side_->windows().gameStart), work.width(),
                        work.height());
    // Full screen or not, under its own key, when it changed (only once the
    // file was read, like the place).
    if (keeper_.wasRead() && keeper_.file()) {
        if (const auto keys = fullScreen_->toWrite(); !keys.empty()) keeper_.file()->write(keys);
    }
    gate_.close();
    side_->windows().hideAll();
    seatMenu_->hide();
    // Leaving is not the peer closing: the session hears nothing more, the server sees the
    // connection end. A seat kept for us is given up first, as Cancel does (a moment at most).
    session_.leave();
    sock_.blockSignals(true);
    sock_.close();
    sock11_.close();
    event->accept();
    reconnection_->stop([this] { emit closed(); });
}

} // namespace tc::client
