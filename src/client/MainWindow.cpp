#include "client/MainWindow.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QShowEvent>

#include <algorithm>
#include <cmath>
#include <memory>

#include "chat/ChatColourDialog.h"
#include "chat/ChatInput.h"
#include "chat/ChatPane.h"
#include "chat/PhraseBar.h"
#include "chat/SmileyButton.h"
#include "client/BoardPanel.h"
#include "client/BoardPictures.h"
#include "client/BoardPictureButton.h"
#include "client/DicePanel.h"
#include "client/GameStartWindow.h"
#include "client/TileControl.h"
#include "client/TableScaler.h"
#include "client/WindowBackground.h"
#include "client/WindowPlacement.h"
#include "client/FullScreen.h"
#include "client/FocusRing.h"
#include "client/TableKeys.h"
#include "chat/RovingFocus.h"
#include "session/ClientSoundPlayer.h"
#include "session/RudiSettings.h"
#include "store/SettingsFile.h"
#include "store/TallyTable.h"
#include "windows/AboutWindow.h"
#include "windows/DownloadWindow.h"
#include "windows/LobbyOffer.h"
#include "windows/HelpWindow.h"
#include "windows/PhraseEditor.h"
#include "windows/SpyListWindow.h"
#include "windows/TallyListWindow.h"
#include "client/ReconnectBanner.h"

namespace tc::client {

namespace {
// FormResize: the client area never gets smaller than the board panel
// plus its margins (702 + 15, 502 + 12), unless the screen is smaller
// (fitToScreen): then the table shrinks to it.
constexpr QSize kMinimumClient = TableScaler::kSmallestTable;
}

MainWindow::MainWindow(game::Lcg& rng, QWidget* parent, bool showFirst)
    : QMainWindow(parent), rng_(rng), session_(*this, rng),
      gate_([this] { return session_.needsTicks(); }, [this] { session_.tick(); }) {
    setObjectName(QStringLiteral("Tchat"));
    setWindowTitle(QStringLiteral("Tilecrest"));

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("client"));
    central->setMinimumSize(kMinimumClient);
    setCentralWidget(central);
    if (showFirst) {
        resize(store::WindowPlace{}.width, store::WindowPlace{}.height);
        // Without an icon of its own: the application's, set once the map
        // request has gone (ApplicationIdentity::applyIcon).
        show();
    }
    board_ = new BoardPanel(central);
    buildChat(board_);
    // The table scales with the window (and paints the table top behind it).
    auto* scaler = new TableScaler(central);
    TableScaler::growWithTable(board_);
    scaler->capture();
    connect(scaler, &TableScaler::picturesChanged, board_, [this, scaler] { board_->usePictures(scaler->currentPictures()); });
    menus_ = std::make_unique<MainMenus>(this, chatPane_->scrollChatOffAction());
    // The menu bar and the menus grow with the table. Their scale comes from
    // the window's size (the bar's own height would otherwise feed back into
    // the table's scale), in eighths.
    connect(scaler, &TableScaler::scaleChanged, this, [this] {
        const qreal s = std::max<qreal>(1.0, std::min(width() / qreal(TableScaler::kTableSize.width()),
                                                      height() / qreal(TableScaler::kTableSize.height())));
        menus_->setScale(std::floor(s * 8.0) / 8.0);
    });
    fullScreen_ = new FullScreen(this);
    playerSettings_ = std::make_unique<PlayerSettings>(
        PlayerSettings::Widgets{chatPane_, chatInput_, phraseBar_, menus_.get()}, session_);
    wireMenus();
    wireKeyboard();
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
    connect(board_, &BoardPanel::seatMenuRequested, this, &MainWindow::openSeatMenu);
    connect(dice, &DicePanel::logoClicked, this, [this] {
        if (side_.about) side_.about->openSite();
    });

    wireReconnect();
    session_.formCreate();
    gate_.pump();
}

void MainWindow::wireReconnect() {
    connect(&reconnect_, &ReconnectAttempt::progress, this, &MainWindow::showReconnectBanner);
    // Cancel gives the kept seat up first (a moment at most), so the
    // table does not wait on it until the hold ends; then the game is left.
    connect(banner_, &ReconnectBanner::cancelled, this, [this] {
        banner_->hide();
        reconnect_.giveUp();
    });
    connect(&reconnect_, &ReconnectAttempt::givenUp, this, [this] {
        gate_.feed([this] { session_.reconnectFailed(tr("You stopped reconnecting; the game is left.").toStdString()); });
    });
    connect(&reconnect_, &ReconnectAttempt::failed, this, [this](const QString& reason) {
        banner_->hide();
        gate_.feed([this, r = reason.toStdString()] { session_.reconnectFailed(r); });
    });
    connect(&reconnect_, &ReconnectAttempt::reclaimed, this, [this] {
        banner_->hide();
        // Like received bytes, only queued: in order before what the taken
        // connection reports from here on, even while a message is up.
        session_.reclaimed(reconnect_.rest());
        sock_.takeOver(reconnect_.socket());
        gate_.pump();
    });
}

void MainWindow::showReconnectBanner() {
    banner_->setText(reconnect_.statusText());
    banner_->show();
    banner_->raise();
}

void MainWindow::connectionLost(int holdSeconds) {
    const QString host = QString::fromStdString(session_.hostaddress());
    reconnect_.start(host, port_, session_.seatKey(), std::int64_t(holdSeconds) * 1000);
    showReconnectBanner();
}

MainWindow::~MainWindow() {
    gate_.close();
}

void MainWindow::wireMenus() {
    MainMenus& m = *menus_;
    auto input = [this](QAction* a, auto call) {
        connect(a, &QAction::triggered, this, [this, call] { gate_.feed([this, call] { (session_.*call)(); }); });
    };
    input(m.startGame, &Session::clickStart);
    // The owner opens the dialog and tries what it asks for; not while a
    // message is up.
    connect(m.hostGame, &QAction::triggered, this, [this] { if (!gate_.busy()) emit connectDialogWanted(true); });
    connect(m.joinGame, &QAction::triggered, this, [this] { if (!gate_.busy()) emit connectDialogWanted(false); });
    connect(m.exit, &QAction::triggered, this, &QWidget::close);
    connect(m.justWatch, &QAction::triggered, this, [this] {
        // The check mark follows the server's answer, not the click.
        menus_->justWatch->setChecked(session_.table().justWatchChecked);
        gate_.feed([this] { session_.justWatchClicked(); });
    });
    connect(m.showBestMove, &QAction::triggered, this, [this](bool on) {
        session_.setShowBestMove(on);
        keeper_.saveOwnKeys(RudiSettings::showBestMoveKey(on));
    });
    // Built-in states until the settings are read: game sounds on, chatter
    // sounds shown as lines.
    m.playSounds->setChecked(session_.playSounds());
    connect(m.playSounds, &QAction::triggered, this, [this](bool on) {
        session_.setPlaySounds(on);
        saveSettings("Playsounds");
    });
    m.chatterSounds->setChecked(session_.chatterSounds());
    connect(m.chatterSounds, &QAction::triggered, this, [this](bool on) {
        session_.setChatterSounds(on);
        saveSettings("ChatterSounds");
    });
    connect(m.textColour, &QAction::triggered, this, [this] {
        if (auto c = chat::ChatColourDialog::choose(this, chatInput_->chatColour())) {
            chatInput_->setChatColour(*c);
            saveSettings("Textcolor");
        }
    });
    connect(m.textSizes, &QActionGroup::triggered, this, [this](QAction* a) {
        chatPane_->setTextSize(a->data().toInt());
        saveSettings("Textsize");
    });
    connect(m.resetScreenLocation, &QAction::triggered, this, [this] { WindowPlacement::reset(this); });
    connect(m.viewTally, &QAction::triggered, this, [this] { side_.showTally(this, currentGameNames()); });
    connect(m.spyList, &QAction::triggered, this, [this] { side_.showSpyList(this); });
    connect(m.phraseList, &QAction::triggered, this, [this] {
        if (side_.phraseEditor) side_.phraseEditor->open(phraseBar_->phrases(), this);
    });
    connect(m.helpContent, &QAction::triggered, this, [this] { side_.showHelp(this); });
    input(m.quickInstructions, &Session::quickInstructions);
    connect(m.about, &QAction::triggered, this, [this] { side_.showAbout(this); });
    connect(m.solo, &QAction::triggered, this, [this] { side_.showSolo(this); });
    connect(m.downloadLobby, &QAction::triggered, this, [this] { side_.showDownload(); });
    input(m.removeFromGame, &Session::removeFromGame);
    input(m.setJustWatch, &Session::setJustWatch);
    input(m.unsetJustWatch, &Session::unsetJustWatch);
    input(m.letBackIn, &Session::letRemovedBackIn);
}

void MainWindow::wireKeyboard() {
    keys_ = new TableKeys(this);
    connect(keys_, &TableKeys::tileWanted, this, [this](int t) { gate_.feed([this, t] { session_.clickTile(t); }); });
    connect(keys_, &TableKeys::rollWanted, this, [this] { gate_.feed([this] { session_.clickRoll(); }); });
    connect(keys_, &TableKeys::backUpWanted, this, [this] { gate_.feed([this] { session_.putTilesBackUp(); }); });

    // Tab goes round: the tile rack, Start Game or Roll Dice, the seat list,
    // the phrase buttons, the smiley button, the chat input, the chat.
    DicePanel* dice = board_->dicePanel();
    auto* smilies = board_->findChild<chat::SmileyButton*>();
    std::vector<QWidget*> path;
    auto group = [&path](const chat::RovingFocus* g) {
        for (int i = 0; i < g->count(); ++i) path.push_back(g->member(i));
    };
    group(board_->tileFocus());
    path.push_back(dice->startButton());
    path.push_back(dice->rollButton());
    group(board_->seatFocus());
    group(phraseBar_->focus());
    path.push_back(smilies);
    path.push_back(chatInput_);
    path.push_back(chatPane_);
    chat::RovingFocus::chain(path);
    // The window opens with the focus where it always did, on the chat
    // (the first stop of the window's focus order before there was a
    // path); Shift+Tab leads to the input, Tab to the tiles.
    chatPane_->setFocus();

    ring_ = new FocusRing(centralWidget());
    for (QWidget* w : path) ring_->watch(w);
}

std::vector<std::string> MainWindow::currentGameNames() const {
    std::vector<std::string> seats;
    for (const SeatDisplay& s : session_.table().seats) seats.push_back(s.caption);
    return store::TallyTable::currentGameList(seats, session_.myseat());
}

void MainWindow::buildChat(QWidget* board) {
    // Under the table from top 301, with the phrase strip at its left.
    phraseBar_ = new chat::PhraseBar(board);
    phraseBar_->move(2, 300);
    connect(phraseBar_, &chat::PhraseBar::phraseClicked, this, [this](const QString& phrase) {
        gate_.feed([this, p = phrase.toStdString()] {
            if (session_.sendPhrase(p, chatInput_->chatColour()))
                phraseBar_->rest(static_cast<int>(session_.phraseRestMs()));
        });
    });
    connect(phraseBar_, &chat::PhraseBar::soundChosen, this,
            [this](int number) { gate_.feed([this, number] { session_.sendChatterSound(number); }); });
    chatPane_ = new chat::ChatPane(board);
    chatPane_->setGeometry(28, 301, 670, 176);
    chatInput_ = new chat::ChatInput(board);
    chatInput_->setGeometry(28, 479, 648, 20);
    // Over the top of the chat while the connection is being restored; it
    // scales with the table like the chat.
    banner_ = new ReconnectBanner(board);
    banner_->setGeometry(28, 301, 670, 30);
    auto* smilies = new chat::SmileyButton(board);
    smilies->setGeometry(677, 479, 21, 20);
    smilies->setInput(chatInput_);
    // A taller window gives its rows to the chat; the input line stays under it.
    TableScaler::growWithTable(chatPane_);
    TableScaler::followTableBottom(chatInput_);
    TableScaler::followTableBottom(smilies);
    connect(chatPane_, &chat::ChatPane::focusInputRequested, chatInput_,
            [this] { chatInput_->setFocus(); });
    connect(chatInput_, &chat::ChatInput::sendRequested, this, [this](const QString& text) {
        gate_.feed([this, t = text.toStdString()] {
            if (session_.sendTyped(t, chatInput_->chatColour())) chatInput_->clear();
        });
    });
}

void MainWindow::attachGameStart(GameStartWindow* window) {
    side_.gameStart = window;
    if (!window) return;
    connect(window, &GameStartWindow::rudiChosen, this,
            [this](game::Rudi rudi) { keeper_.saveOwnKeys(RudiSettings::rudiKey(rudi)); });
    session_.offerMarks(window->playToScore());
    connect(window, &GameStartWindow::startRequested, this,
            [this](int marks) { gate_.feed([this, marks] { session_.startGame(marks); }); });
}

void MainWindow::attachTally(windows::TallyListWindow* window) {
    side_.tally = window;
    if (window)
        connect(window, &windows::TallyListWindow::saveFailed, this,
                [this](const QString& why) { tell("0+" + why.toStdString()); });
}

void MainWindow::attachPhraseEditor(windows::PhraseEditor* editor) {
    side_.phraseEditor = editor;
    if (editor) connect(editor, &windows::PhraseEditor::done, this, &MainWindow::phrasesDone);
}

void MainWindow::attachSpyList(windows::SpyListWindow* window) {
    side_.spyList = window;
    if (!window) return;
    connect(window, &windows::SpyListWindow::removeRequested, this, [this](const QString& entry) {
        gate_.feed([this, e = entry.toStdString()] { session_.spyRemove(e); });
    });
    tableChanged();
}

void MainWindow::attachHelpWindows(windows::HelpWindow* help, windows::AboutWindow* about,
                                   windows::SoloWindow* solo, windows::DownloadWindow* download) {
    side_.help = help;
    side_.about = about;
    side_.solo = solo;
    side_.download = download;
    if (help && about) connect(help, &windows::HelpWindow::aboutRequested, this, [this] { side_.showAbout(this); });
    if (download) {
        connect(download, &windows::DownloadWindow::exitRequested, this, &QWidget::close);
        connect(download, &windows::DownloadWindow::offerAtStartChanged, this,
                [this](bool offered) { keeper_.saveOwnKeys(windows::LobbyOffer::key(offered)); });
    }
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
    reconnect_.cancel();
    banner_->hide();
    // Leaving for another game is on purpose: the server releases the seat.
    session_.leave();
    sock_.leave();
    sock11_.drop();
    hostingPort_ = 0;
    side_.hideGameStart();
    menus_->seatMenu->hide();
    // A fresh session in place: every field of the old game goes, and the
    // window, which the session refers to, stays.
    std::destroy_at(&session_);
    std::construct_at(&session_, *this, rng_);
    session_.setPort(port_);
    session_.setShowBestMove(menus_->showBestMove->isChecked());
    session_.formCreate();
    if (side_.gameStart) session_.offerMarks(side_.gameStart->playToScore());
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
    chatPane_->addLineToChat(QString::fromStdString(line), colour);
}

void MainWindow::tableChanged() {
    const TableState& t = session_.table();
    board_->showTable(t);
    menus_->startGame->setEnabled(t.startGameEnabled);
    menus_->justWatch->setChecked(t.justWatchChecked);
    menus_->justWatch->setEnabled(t.justWatchEnabled);
    chatInput_->setWaitingLines(t.chatWaiting);
    side_.showTable(t);
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
    if (side_.gameStart) side_.gameStart->setRudiChoosable(hostingPort_ != 0);
    side_.showGameStart(this);
}

void MainWindow::loadSettings() {
    const auto s = keeper_.read();
    if (!s) return;
    if (!placeRestored_) {
        placeRestored_ = true;
        WindowPlacement::restore(this, s->place);
        if (keeper_.file()) fullScreen_->restore(keeper_.file()->ini());
    }
    playerSettings_->apply(*s, side_.gameStart);
    if (side_.gameStart) session_.offerMarks(side_.gameStart->playToScore());
    const RudiSettings rudi = RudiSettings::read(*keeper_.file());
    if (side_.gameStart) side_.gameStart->setRudi(rudi.rudi);
    menus_->showBestMove->setChecked(rudi.showBestMove);
    session_.setShowBestMove(rudi.showBestMove);
}

void MainWindow::saveSettings(std::string_view key) {
    keeper_.save(playerSettings_->collect(WindowPlacement::current(this), side_.gameStart), key);
}

void MainWindow::phrasesDone(const QStringList& phrases) {
    keeper_.savePhrases(store::phrasesToWrite(playerSettings_->takePhrases(phrases)));
}

void MainWindow::showDownloadWindow() {
    // The offer belongs to the program's start; a solo game begun again
    // from the menu or after a game ended does not repeat it.
    if (endToGameEnded_ || !side_.download) return;
    // The player may have declined it for good.
    const bool offered = !keeper_.file() || windows::LobbyOffer::atStart(*keeper_.file());
    side_.download->setOfferedAtStart(offered);
    if (offered) side_.showDownload();
}

void MainWindow::addToMineIncrease(int column) {
    if (side_.tally) side_.tally->addtomineincrease(column);
}

void MainWindow::addGame(const std::string& winner, bool localWon) {
    if (side_.tally) side_.tally->addgame(currentGameNames(), winner, localWon);
}

// --- window ---

void MainWindow::openSeatMenu(int seat, const QPoint& globalPos) {
    if (gate_.busy()) return;
    const SeatPopup p = session_.openSeatPopup(seat);
    menus_->removeFromGame->setEnabled(p.removeEnabled);
    menus_->setJustWatch->setEnabled(p.setJustWatchEnabled);
    menus_->unsetJustWatch->setEnabled(p.unsetJustWatchEnabled);
    menus_->letBackIn->setEnabled(p.letBackInEnabled);
    menus_->seatMenu->popup(globalPos);
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // A strip a resize uncovers is the table top's colour from the first
    // moment, before the table is painted there.
    setNativeBackground(this, TableScaler::kTableColour);
    if (fitted_ || event->spontaneous()) return;
    fitted_ = true;
    fitToScreen();
}

void MainWindow::fitToScreen() {
    const QScreen* where = screen();
    if (!where) return;
    // A screen too small for the 1x table (a small or a dense one): the
    // client area may be as small as fits, the table then drawn smaller.
    const QSize chrome = frameGeometry().size() - centralWidget()->size();
    const QSize room = where->availableGeometry().size() - chrome;
    const qreal k = std::clamp(std::min(room.width() / qreal(kMinimumClient.width()),
                                        room.height() / qreal(kMinimumClient.height())),
                               TableScaler::kSmallestScale, 1.0);
    centralWidget()->setMinimumSize((QSizeF(kMinimumClient) * k).toSize());
    if (layout()) layout()->activate();  // the window's own minimum follows now
    // Larger than the screen, or off it: made to fit (as a stored place is).
    WindowPlacement::restore(this, WindowPlacement::current(this));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // FormClose: the place, if it changed.
    const QRect work = screen() ? screen()->availableGeometry() : QRect();
    keeper_.saveAtClose(playerSettings_->collect(WindowPlacement::current(this), side_.gameStart), work.width(),
                        work.height());
    // Full screen or not, under its own key, when it changed (only once the
    // file was read, like the place).
    if (keeper_.wasRead() && keeper_.file()) {
        if (const auto keys = fullScreen_->toWrite(); !keys.empty()) keeper_.file()->write(keys);
    }
    gate_.close();
    side_.hideAll();
    menus_->seatMenu->hide();
    // Leaving is not the peer closing: the session hears nothing more,
    // the server sees the connection end.
    reconnect_.cancel();
    session_.leave();
    sock_.blockSignals(true);
    sock_.close();
    sock11_.close();
    event->accept();
    emit closed();
}

} // namespace tc::client
