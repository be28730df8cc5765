#include "client/MainWindow.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>

#include "chat/ChatColourDialog.h"
#include "chat/ChatInput.h"
#include "chat/ChatPane.h"
#include "chat/SmileyButton.h"
#include "client/BoardPanel.h"
#include "client/BoardPictures.h"
#include "client/ClientSoundPlayer.h"
#include "client/DicePanel.h"
#include "client/BoardPictureButton.h"
#include "client/GameStartWindow.h"
#include "client/TileControl.h"
#include "store/TallyListWindow.h"
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
    : QMainWindow(parent), session_(*this, rng) {
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
    QAction* colour = options->addAction(QStringLiteral("Text Color"));
    colour->setObjectName(QStringLiteral("TextColor1"));
    connect(colour, &QAction::triggered, this, [this] {
        if (auto c = chat::ChatColourDialog::choose(this, chatInput_->chatColour()))
            chatInput_->setChatColour(*c);
    });
    QMenu* sizes = options->addMenu(QStringLiteral("Text Size"));
    sizes->setObjectName(QStringLiteral("TextSize1"));
    auto* sizeGroup = new QActionGroup(this);
    for (int points : {8, 10, 12, 14}) {
        QAction* a = sizes->addAction(QString::number(points));
        a->setObjectName(QStringLiteral("N%1").arg(points));
        a->setCheckable(true);
        a->setChecked(points == chatPane_->textSize());
        a->setData(points);
        sizeGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, points] { chatPane_->setTextSize(points); });
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
    // Under the table from top 301; the strip at the left stays free for
    // the phrase buttons.
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

void MainWindow::attachSpyList(windows::SpyListWindow* window) {
    spyList_ = window;
    if (!spyList_) return;
    connect(spyList_, &windows::SpyListWindow::removeRequested, this, [this](const QString& entry) {
        feed([this, e = entry.toStdString()] { session_.spyRemove(e); });
    });
    tableChanged();
}

void MainWindow::setPort(quint16 port) {
    port_ = port;
    session_.setPort(port);
}

void MainWindow::start(const std::vector<std::string>& params) {
    show();
    feed([this, params] { session_.processParams(params); });
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

void MainWindow::addLineToChat(const std::string& line, chat::Colour colour) {
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
    QTimer::singleShot(0, this, [this] { close(); });
}

void MainWindow::showGameStart() {
    if (gameStart_) gameStart_->showCentredOn(this);
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
    closing_ = true;
    timer1_.stop();
    waiting_.clear();
    if (gameStart_) gameStart_->hide();
    if (spyList_) spyList_->hide();
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
