#include "client/MainWindow.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>

#include <memory>

#include "chat/ChatColourDialog.h"
#include "chat/ChatInput.h"
#include "chat/ChatPane.h"
#include "chat/PhraseBar.h"
#include "windows/PhraseEditor.h"
#include "chat/SmileyButton.h"
#include "client/BoardPanel.h"
#include "client/BoardPictures.h"
#include "session/ClientSoundPlayer.h"
#include "client/DicePanel.h"
#include "client/BoardPictureButton.h"
#include "client/ConnectDialog.h"
#include "client/GameStartWindow.h"
#include "client/TileControl.h"
#include "client/WindowPlacement.h"
#include "store/SettingsFile.h"
#include "windows/AboutWindow.h"
#include "windows/DownloadWindow.h"
#include "windows/HelpWindow.h"
#include "windows/SoloWindow.h"
#include "windows/TallyListWindow.h"
#include "store/TallyTable.h"
#include "windows/SpyListWindow.h"

namespace tc::client {

namespace {
constexpr int kDefaultLeft = 3;
constexpr int kDefaultTop = 3;
constexpr int kDefaultWidth = 716;
constexpr int kDefaultHeight = 555;
// FormResize: the client area never gets smaller than the board panel
// plus its margins (702 + 15, 502 + 12).
constexpr QSize kMinimumClient{717, 514};
constexpr std::size_t kMaxWaitingInputs = 64;
}

MainWindow::MainWindow(game::Lcg& rng, QWidget* parent)
    : QMainWindow(parent), rng_(rng), session_(*this, rng) {
    setObjectName(QStringLiteral("Tchat"));
    setWindowTitle(QStringLiteral("Tilecrest"));
    setWindowIcon(QIcon(QStringLiteral(":/images/icon.png")));

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("client"));
    central->setMinimumSize(kMinimumClient);
    central->installEventFilter(this);  // paints the board background
    setCentralWidget(central);
    board_ = new BoardPanel(central);
    buildChat(board_);
    buildMenus();
    resize(kDefaultWidth, kDefaultHeight);

    timer1_.setObjectName(QStringLiteral("Timer1"));
    timer1_.setInterval(1);
    timer1_.setTimerType(Qt::PreciseTimer);
    connect(&timer1_, &QTimer::timeout, this, &MainWindow::onTick);

    connect(&sock_, &ClientSocket::connected, this, [this] { feed([this] { session_.onConnected(); }); });
    connect(&sock_, &ClientSocket::connectFailed, this, [this](const QString& reason) {
        feed([this, r = reason.toStdString()] { session_.onConnectFailed(r); });
    });
    connect(&sock_, &ClientSocket::bytesReceived, this, [this](const QByteArray& bytes) {
        if (closing_) return;
        // Receiving only queues lines (within the session's bound), so it
        // may go on while a message box is up; nothing is dispatched then.
        session_.onBytes(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        pump();
    });
    connect(&sock_, &ClientSocket::closed, this, [this] { feed([this] { session_.onSocketClosed(); }); });

    DicePanel* dice = board_->dicePanel();
    connect(board_, &BoardPanel::tilePressed, this, [this](int t) { feed([this, t] { session_.clickTile(t); }); });
    connect(dice, &DicePanel::rollClicked, this, [this] { feed([this] { session_.clickRoll(); }); });
    connect(dice, &DicePanel::startClicked, this, [this] { feed([this] { session_.clickStart(); }); });
    connect(board_, &BoardPanel::seatMenuRequested, this, &MainWindow::openSeatMenu);
    connect(dice, &DicePanel::logoClicked, this, [this] {
        if (about_) about_->openSite();
    });

    session_.formCreate();
    pump();
}

MainWindow::~MainWindow() {
    closing_ = true;
    timer1_.stop();
}

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("File1"));
    startGame_ = file->addAction(QStringLiteral("Start Game"));
    startGame_->setObjectName(QStringLiteral("StartGame1"));
    startGame_->setEnabled(false);
    connect(startGame_, &QAction::triggered, this, [this] { feed([this] { session_.clickStart(); }); });
    QAction* exit = file->addAction(QStringLiteral("Exit"));
    exit->setObjectName(QStringLiteral("Exit1"));
    connect(exit, &QAction::triggered, this, &QWidget::close);
    addConnectItems(file, exit);

    QMenu* options = bar->addMenu(QStringLiteral("Options"));
    options->setObjectName(QStringLiteral("Options1"));
    justWatch_ = options->addAction(QStringLiteral("Just Watch"));
    justWatch_->setObjectName(QStringLiteral("JustWatch1"));
    justWatch_->setCheckable(true);
    connect(justWatch_, &QAction::triggered, this, [this] {
        // The check mark follows the server's answer, not the click.
        justWatch_->setChecked(session_.table().justWatchChecked);
        feed([this] { session_.justWatchClicked(); });
    });
    options->addSeparator();
    // Built-in states until the settings are read: game sounds on, chatter
    // sounds shown as lines.
    playSounds_ = options->addAction(QStringLiteral("Play Sounds"));
    playSounds_->setObjectName(QStringLiteral("PlaySounds1"));
    playSounds_->setCheckable(true);
    playSounds_->setChecked(session_.playSounds());
    connect(playSounds_, &QAction::triggered, this, [this](bool on) {
        session_.setPlaySounds(on);
        saveSettings();
    });
    chatterSounds_ = options->addAction(QStringLiteral("Play Chatter Sounds"));
    chatterSounds_->setObjectName(QStringLiteral("PlayChatterSounds1"));
    chatterSounds_->setCheckable(true);
    chatterSounds_->setChecked(session_.chatterSounds());
    connect(chatterSounds_, &QAction::triggered, this, [this](bool on) {
        session_.setChatterSounds(on);
        saveSettings();
    });
    QAction* colour = options->addAction(QStringLiteral("Text Color"));
    colour->setObjectName(QStringLiteral("TextColor1"));
    connect(colour, &QAction::triggered, this, [this] {
        if (auto c = chat::ChatColourDialog::choose(this, chatInput_->chatColour())) {
            chatInput_->setChatColour(*c);
            saveSettings();
        }
    });
    QMenu* sizes = options->addMenu(QStringLiteral("Text Size"));
    sizes->setObjectName(QStringLiteral("TextSize1"));
    sizeGroup_ = new QActionGroup(this);
    for (int points : {8, 10, 12, 14}) {
        // None is checked until one is chosen or read from the settings.
        QAction* a = sizes->addAction(QString::number(points));
        a->setObjectName(QStringLiteral("N%1").arg(points));
        a->setCheckable(true);
        a->setData(points);
        sizeGroup_->addAction(a);
        connect(a, &QAction::triggered, this, [this, points] {
            chatPane_->setTextSize(points);
            saveSettings();
        });
    }
    // The pane's own action: one check mark in both menus, Ctrl+S for both.
    options->addAction(chatPane_->scrollChatOffAction());
    options->addSeparator();
    QAction* reset = options->addAction(QStringLiteral("Reset Screen Location"));
    reset->setObjectName(QStringLiteral("ResetScreenLocation1"));
    connect(reset, &QAction::triggered, this, &MainWindow::resetScreenLocation);

    QMenu* view = bar->addMenu(QStringLiteral("View"));
    view->setObjectName(QStringLiteral("View1"));
    addViewTallyItem(view);
    QAction* spy = view->addAction(QStringLiteral("Spy List"));
    spy->setObjectName(QStringLiteral("SpyList1"));
    connect(spy, &QAction::triggered, this, [this] {
        if (spyList_) spyList_->showCentredOn(this);
    });
    QAction* phraseList = view->addAction(QStringLiteral("Phrase List"));
    phraseList->setObjectName(QStringLiteral("PrhaseList1"));
    connect(phraseList, &QAction::triggered, this, [this] {
        if (phraseEditor_) phraseEditor_->open(phraseBar_->phrases(), this);
    });

    buildHelpMenus(bar);

    popupKick_ = new QMenu(this);
    popupKick_->setObjectName(QStringLiteral("popup_kick"));
    removeFromGame_ = popupKick_->addAction(QStringLiteral("Remove From Game"));
    removeFromGame_->setObjectName(QStringLiteral("RemoveFromGame1"));
    setJustWatch_ = popupKick_->addAction(QStringLiteral("Set to Just Watch"));
    setJustWatch_->setObjectName(QStringLiteral("SettoJustWatch1"));
    unsetJustWatch_ = popupKick_->addAction(QStringLiteral("Unset Just Watch"));
    unsetJustWatch_->setObjectName(QStringLiteral("UnsetJustWatch1"));
    connect(removeFromGame_, &QAction::triggered, this, [this] { feed([this] { session_.removeFromGame(); }); });
    connect(setJustWatch_, &QAction::triggered, this, [this] { feed([this] { session_.setJustWatch(); }); });
    connect(unsetJustWatch_, &QAction::triggered, this, [this] { feed([this] { session_.unsetJustWatch(); }); });
}

void MainWindow::addConnectItems(QMenu* file, QAction* before) {
    QAction* host = new QAction(QStringLiteral("Host a Game\u2026"), file);
    host->setObjectName(QStringLiteral("HostaGame1"));
    connect(host, &QAction::triggered, this, [this] { openConnectDialog(true); });
    QAction* join = new QAction(QStringLiteral("Join a Game\u2026"), file);
    join->setObjectName(QStringLiteral("JoinaGame1"));
    connect(join, &QAction::triggered, this, [this] { openConnectDialog(false); });
    file->insertAction(before, host);
    file->insertAction(before, join);
    file->insertSeparator(before);
}

void MainWindow::openConnectDialog(bool host) {
    if (modal_ > 0 || closing_) return;
    if (!connectDialog_) {
        connectDialog_ = new ConnectDialog(this);
        connect(connectDialog_, &ConnectDialog::connectRequested, this, &MainWindow::connectRequested);
    }
    connectDialog_->setSettings(settings_);
    connectDialog_->openFor(host ? ConnectDialog::Mode::Host : ConnectDialog::Mode::Join);
}

void MainWindow::buildHelpMenus(QMenuBar* bar) {
    QMenu* help = bar->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("Help1"));
    QAction* content = help->addAction(QStringLiteral("Content"));
    content->setObjectName(QStringLiteral("Help2"));
    content->setShortcut(QKeySequence(Qt::Key_F1));
    connect(content, &QAction::triggered, this, [this] {
        if (help_) help_->showCentredOn(this);
    });
    QAction* quick = help->addAction(QStringLiteral("Quick Instructions"));
    quick->setObjectName(QStringLiteral("QuickInstructions1"));
    quick->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    connect(quick, &QAction::triggered, this, [this] { feed([this] { session_.quickInstructions(); }); });
    QAction* about = help->addAction(QStringLiteral("About"));
    about->setObjectName(QStringLiteral("About1"));
    connect(about, &QAction::triggered, this, [this] {
        if (about_) about_->showCentredOn(this);
    });
    bar->addSeparator();
    QAction* solo = bar->addAction(QStringLiteral("Solo Version of Tilecrest"));
    solo->setObjectName(QStringLiteral("SoloVersionofTileCrest1"));
    connect(solo, &QAction::triggered, this, [this] {
        if (solo_) solo_->showCentredOn(this);
    });
}

void MainWindow::addViewTallyItem(QMenu* view) {
    QAction* viewTally = view->addAction(QStringLiteral("View Tally"));
    viewTally->setObjectName(QStringLiteral("ViewTally1"));
    connect(viewTally, &QAction::triggered, this, [this] {
        if (!tally_) return;
        tally_->loadchecklist(currentGameNames());
        tally_->showCentredOn(this);
    });
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
        feed([this, p = phrase.toStdString()] { session_.sendPhrase(p, chatInput_->chatColour()); });
    });
    connect(phraseBar_, &chat::PhraseBar::soundChosen, this,
            [this](int number) { feed([this, number] { session_.sendChatterSound(number); }); });
    chatPane_ = new chat::ChatPane(board);
    chatPane_->setGeometry(28, 301, 670, 176);
    chatInput_ = new chat::ChatInput(board);
    chatInput_->setGeometry(28, 479, 648, 20);
    auto* smilies = new chat::SmileyButton(board);
    smilies->setGeometry(677, 479, 21, 20);
    smilies->setInput(chatInput_);
    connect(chatPane_, &chat::ChatPane::focusInputRequested, chatInput_,
            [this] { chatInput_->setFocus(); });
    connect(chatInput_, &chat::ChatInput::sendRequested, this, [this](const QString& text) {
        feed([this, t = text.toStdString()] {
            if (session_.sendTyped(t, chatInput_->chatColour())) chatInput_->clear();
        });
    });
}

void MainWindow::attachGameStart(GameStartWindow* window) {
    gameStart_ = window;
    if (!gameStart_) return;
    connect(gameStart_, &GameStartWindow::startRequested, this,
            [this](int marks) { feed([this, marks] { session_.startGame(marks); }); });
}

void MainWindow::attachPhraseEditor(windows::PhraseEditor* editor) {
    phraseEditor_ = editor;
    if (phraseEditor_) connect(phraseEditor_, &windows::PhraseEditor::done, this, &MainWindow::phrasesDone);
}

void MainWindow::attachSpyList(windows::SpyListWindow* window) {
    spyList_ = window;
    if (!spyList_) return;
    connect(spyList_, &windows::SpyListWindow::removeRequested, this, [this](const QString& entry) {
        feed([this, e = entry.toStdString()] { session_.spyRemove(e); });
    });
    tableChanged();
}

void MainWindow::attachHelpWindows(windows::HelpWindow* help, windows::AboutWindow* about,
                                   windows::SoloWindow* solo, windows::DownloadWindow* download) {
    help_ = help;
    about_ = about;
    solo_ = solo;
    download_ = download;
    if (help_ && about_)
        connect(help_, &windows::HelpWindow::aboutRequested, this, [this] { about_->showCentredOn(this); });
    if (download_) connect(download_, &windows::DownloadWindow::exitRequested, this, &QWidget::close);
}

void MainWindow::setPort(quint16 port) {
    port_ = port;
    session_.setPort(port);
}

void MainWindow::start(const std::vector<std::string>& params) {
    show();
    feed([this, params] { session_.processParams(params); });
}

void MainWindow::leaveGame() {
    if (closing_) return;
    timer1_.stop();
    waiting_.clear();
    sock_.drop();
    sock11_.drop();
    hostingPort_ = 0;
    if (gameStart_) gameStart_->hide();
    popupKick_->hide();
    // A fresh session in place: every field of the old game goes, and the
    // window, which the session refers to, stays.
    std::destroy_at(&session_);
    std::construct_at(&session_, *this, rng_);
    session_.setPort(port_);
    session_.formCreate();
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

void MainWindow::feed(std::function<void()> input) {
    if (closing_) return;
    if (modal_ > 0) {
        // Only socket events and the odd click can arrive meanwhile; a
        // handful is plenty, more would be a flood.
        if (waiting_.size() < kMaxWaitingInputs) waiting_.push_back(std::move(input));
        return;
    }
    input();
    pump();
}

void MainWindow::pump() {
    if (closing_ || modal_ > 0) {
        timer1_.stop();
        return;
    }
    if (session_.needsTicks()) {
        if (!timer1_.isActive()) timer1_.start();
    } else {
        timer1_.stop();
    }
}

void MainWindow::onTick() {
    if (closing_ || modal_ > 0) {
        timer1_.stop();
        return;
    }
    session_.tick();
    pump();
}

// --- SessionView ---

bool MainWindow::startServer(std::string& error) {
    if (!serverStarter_) {
        error = "This copy has no game server";
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
    startGame_->setEnabled(t.startGameEnabled);
    justWatch_->setChecked(t.justWatchChecked);
    if (spyList_) {
        QStringList entries;
        for (const auto& e : t.spyList) entries << QString::fromStdString(e);
        spyList_->setEntries(entries);
        spyList_->setRemoveEnabled(t.spyRemoveEnabled);
    }
}

void MainWindow::animateTile(int tile, bool reverse, int frame) {
    TileControl* t = board_->tile(tile);
    if (!t) return;
    t->setReverse(reverse);
    t->setFrame(frame);
    t->setPlay(true);
}

void MainWindow::playSound(const std::string& name) {
    if (sounds_) sounds_->play(QString::fromStdString(name));
}

void MainWindow::showMessage(const std::string& text) {
    ++modal_;
    timer1_.stop();
    const QString message = QString::fromStdString(text);
    if (presenter_) {
        presenter_(message);
    } else {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tilecrest"), message, QMessageBox::Ok, this);
        box.exec();
    }
    --modal_;
    if (modal_ == 0) {
        // Inputs that arrived while the message was up, in their order.
        QTimer::singleShot(0, this, [this] {
            while (!waiting_.empty() && modal_ == 0 && !closing_) {
                auto input = std::move(waiting_.front());
                waiting_.pop_front();
                input();
            }
            pump();
        });
    }
}

void MainWindow::closeWindow() {
    // The session is in the middle of a handler: close once it returned.
    if (endToGameEnded_) {
        // Only for the game it was meant for: a game left meanwhile is over.
        QTimer::singleShot(0, this, [this, generation = generation_] {
            if (!closing_ && generation == generation_) emit gameEnded();
        });
        return;
    }
    QTimer::singleShot(0, this, [this] { close(); });
}

void MainWindow::showGameStart() {
    if (gameStart_) gameStart_->showCentredOn(this);
}

void MainWindow::loadSettings() {
    if (!settings_) return;
    settings_->reload();
    const store::ClientSettings s = store::readClientSettings(settings_->ini());

    saved_ = s.place;
    settingsRead_ = true;
    if (isMaximized() || isMinimized()) showNormal();
    const QSize minimum = minimumSizeHint().expandedTo(minimumSize());
    const QRect r = WindowPlacement::fit(QRect(s.place.left, s.place.top, s.place.width, s.place.height),
                                         minimum, WindowPlacement::screenAreas(),
                                         QPoint(store::WindowPlace{}.left, store::WindowPlace{}.top));
    move(r.topLeft());
    resize(r.size());

    chatPane_->setTextSize(s.textSize);
    chatPane_->showTextSize();
    for (QAction* a : sizeGroup_->actions())
        if (a->data().toInt() == s.textSize) a->setChecked(true);
    chatInput_->setChatColour(s.textColour);
    for (int n = 1; n <= store::kPhraseCount; ++n) {
        const std::string& p = s.phrases[static_cast<std::size_t>(n - 1)];
        if (!p.empty()) phraseBar_->setPhrase(n, QString::fromStdString(p));
    }
    if (gameStart_ && s.playToScore) gameStart_->setPlayToScore(*s.playToScore);
    playSounds_->setChecked(s.playSounds);
    chatterSounds_->setChecked(s.chatterSounds);
    session_.setPlaySounds(s.playSounds);
    session_.setChatterSounds(s.chatterSounds);
}

store::WindowPlace MainWindow::currentPlace() const { return {x(), y(), width(), height()}; }

void MainWindow::saveSettings(const store::WindowPlace* place) {
    if (!settings_) return;
    store::SavedSettings s;
    s.textSize = chatPane_->textSize();
    s.textColour = chatInput_->chatColour();
    s.place = place ? *place : currentPlace();
    s.playToScore = gameStart_ ? gameStart_->playToScore() : 5;
    s.playSounds = playSounds_->isChecked();
    s.chatterSounds = chatterSounds_->isChecked();
    // A failed write leaves the old file; the game goes on without a word.
    settings_->write(store::settingsToWrite(s));
}

void MainWindow::phrasesDone(const QStringList& phrases) {
    std::array<std::string, store::kPhraseCount> texts;
    for (int n = 1; n <= store::kPhraseCount; ++n) {
        phraseBar_->setPhrase(n, phrases.value(n - 1));
        texts[static_cast<std::size_t>(n - 1)] = phrases.value(n - 1).toStdString();
    }
    if (settings_) settings_->write(store::phrasesToWrite(texts), store::kPhraseSection);
}

void MainWindow::showDownloadWindow() {
    // The offer belongs to the program's start; a solo game begun again
    // from the menu or after a game ended does not repeat it.
    if (endToGameEnded_) return;
    if (download_) download_->showCentredOnScreen();
}

void MainWindow::addToMineIncrease(int column) {
    if (tally_) tally_->addtomineincrease(column);
}

void MainWindow::addGame(const std::string& winner, bool localWon) {
    if (tally_) tally_->addgame(currentGameNames(), winner, localWon);
}

// --- window ---

void MainWindow::openSeatMenu(int seat, const QPoint& globalPos) {
    if (modal_ > 0 || closing_) return;
    const SeatPopup p = session_.openSeatPopup(seat);
    removeFromGame_->setEnabled(p.removeEnabled);
    setJustWatch_->setEnabled(p.setJustWatchEnabled);
    unsetJustWatch_->setEnabled(p.unsetJustWatchEnabled);
    popupKick_->popup(globalPos);
}

void MainWindow::resetScreenLocation() {
    showNormal();
    move(kDefaultLeft, kDefaultTop);
    resize(kDefaultWidth, kDefaultHeight);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // FormClose. Before the settings were read the window shows its
    // built-in place and options, which must not replace the player's.
    if (settingsRead_) {
        const QRect work = screen() ? screen()->availableGeometry() : QRect();
        if (auto place = store::placeToSaveAtClose(currentPlace(), saved_, work.width(), work.height())) {
            saved_ = *place;
            saveSettings(&*place);
        }
    }
    closing_ = true;
    timer1_.stop();
    waiting_.clear();
    if (gameStart_) gameStart_->hide();
    if (spyList_) spyList_->hide();
    if (phraseEditor_) phraseEditor_->hide();
    for (QWidget* w : std::initializer_list<QWidget*>{help_, about_, solo_, download_})
        if (w) w->hide();
    if (tally_) tally_->hide();
    popupKick_->hide();
    // Leaving is not the peer closing: the session hears nothing more,
    // the server sees the connection end.
    sock_.blockSignals(true);
    sock_.close();
    sock11_.close();
    event->accept();
    emit closed();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == centralWidget() && event->type() == QEvent::Paint) {
        QPainter p(centralWidget());
        p.fillRect(centralWidget()->rect(), QColor(145, 124, 87));
        p.drawPixmap(0, 0, BoardPictures::instance().board);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace tc::client
