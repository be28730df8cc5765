#include "client/MainMenus.h"

#include "chat/ScaledStyle.h"

#include <QActionGroup>
#include <QMainWindow>
#include <QMenuBar>

namespace tc::client {
namespace {

QAction* item(QMenu* menu, const QString& text, const QString& name) {
    QAction* a = menu->addAction(text);
    a->setObjectName(name);
    return a;
}

QAction* checkable(QMenu* menu, const QString& text, const QString& name) {
    QAction* a = item(menu, text, name);
    a->setCheckable(true);
    return a;
}

} // namespace

MainMenus::MainMenus(QMainWindow* window, QAction* scrollChatOff) : window_(window) {
    QMenuBar* bar = window->menuBar();
    QMenu* file = bar->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("File1"));
    startGame = item(file, QStringLiteral("Start Game"), QStringLiteral("StartGame1"));
    startGame->setEnabled(false);
    hostGame = item(file, QStringLiteral("Host a Game\u2026"), QStringLiteral("HostaGame1"));
    joinGame = item(file, QStringLiteral("Join a Game\u2026"), QStringLiteral("JoinaGame1"));
    file->addSeparator();
    exit = item(file, QStringLiteral("Exit"), QStringLiteral("Exit1"));

    QMenu* options = bar->addMenu(QStringLiteral("Options"));
    options->setObjectName(QStringLiteral("Options1"));
    justWatch = checkable(options, QStringLiteral("Just Watch"), QStringLiteral("JustWatch1"));
    showBestMove = checkable(options, QStringLiteral("Show Best Move"), QStringLiteral("ShowBestMove1"));
    options->addSeparator();
    playSounds = checkable(options, QStringLiteral("Play Sounds"), QStringLiteral("PlaySounds1"));
    chatterSounds = checkable(options, QStringLiteral("Play Chatter Sounds"), QStringLiteral("PlayChatterSounds1"));
    textColour = item(options, QStringLiteral("Text Color"), QStringLiteral("TextColor1"));
    QMenu* sizes = options->addMenu(QStringLiteral("Text Size"));
    sizes->setObjectName(QStringLiteral("TextSize1"));
    textSizes = new QActionGroup(window);
    for (int points : {8, 10, 12, 14}) {
        // None is checked until one is chosen or read from the settings.
        QAction* a = checkable(sizes, QString::number(points), QStringLiteral("N%1").arg(points));
        a->setData(points);
        textSizes->addAction(a);
    }
    // The pane's own action: one check mark in both menus, Ctrl+S for both.
    options->addAction(scrollChatOff);
    options->addSeparator();
    resetScreenLocation = item(options, QStringLiteral("Reset Screen Location"), QStringLiteral("ResetScreenLocation1"));

    QMenu* view = bar->addMenu(QStringLiteral("View"));
    view->setObjectName(QStringLiteral("View1"));
    viewTally = item(view, QStringLiteral("View Tally"), QStringLiteral("ViewTally1"));
    spyList = item(view, QStringLiteral("Spy List"), QStringLiteral("SpyList1"));
    phraseList = item(view, QStringLiteral("Phrase List"), QStringLiteral("PrhaseList1"));

    QMenu* help = bar->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("Help1"));
    helpContent = item(help, QStringLiteral("Content"), QStringLiteral("Help2"));
    helpContent->setShortcut(QKeySequence(Qt::Key_F1));
    quickInstructions = item(help, QStringLiteral("Quick Instructions"), QStringLiteral("QuickInstructions1"));
    quickInstructions->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    about = item(help, QStringLiteral("About"), QStringLiteral("About1"));
    downloadLobby = item(help, QStringLiteral("Download The Velmora Lobby\u2026"), QStringLiteral("DownloadLobby1"));
    bar->addSeparator();
    solo = bar->addAction(QStringLiteral("Solo Version of Tilecrest"));
    solo->setObjectName(QStringLiteral("SoloVersionofTileCrest1"));

    seatMenu = new QMenu(window);
    seatMenu->setObjectName(QStringLiteral("popup_kick"));
    removeFromGame = item(seatMenu, QStringLiteral("Remove From Game"), QStringLiteral("RemoveFromGame1"));
    setJustWatch = item(seatMenu, QStringLiteral("Set to Just Watch"), QStringLiteral("SettoJustWatch1"));
    unsetJustWatch = item(seatMenu, QStringLiteral("Unset Just Watch"), QStringLiteral("UnsetJustWatch1"));
    seatMenu->addSeparator();
    letBackIn = item(seatMenu, QStringLiteral("Let Removed Players Back In"), QStringLiteral("LetRemovedBackIn1"));
}

void MainMenus::checkTextSize(int points) {
    for (QAction* a : textSizes->actions())
        if (a->data().toInt() == points) a->setChecked(true);
}

void MainMenus::setScale(double scale) {
    if (scale == scale_) return;
    scale_ = scale;
    if (!style_) style_ = new chat::ScaledStyle(window_);
    QMenuBar* bar = window_->menuBar();
    chat::scaleWidget(bar, style_, scale);
    for (QMenu* m : bar->findChildren<QMenu*>()) chat::scaleWidget(m, style_, scale);
    chat::scaleWidget(seatMenu, style_, scale);
}

} // namespace tc::client
