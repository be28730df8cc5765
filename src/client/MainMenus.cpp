#include "client/MainMenus.h"

#include "chat/ScaledStyle.h"

#include <QCoreApplication>
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
    QMenu* file = bar->addMenu(QCoreApplication::translate("MainMenus", "File"));
    file->setObjectName(QStringLiteral("File1"));
    startGame = item(file, QCoreApplication::translate("MainMenus", "Start Game"), QStringLiteral("StartGame1"));
    startGame->setEnabled(false);
    startGame->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    hostGame = item(file, QCoreApplication::translate("MainMenus", "Host a Game\u2026"), QStringLiteral("HostaGame1"));
    joinGame = item(file, QCoreApplication::translate("MainMenus", "Join a Game\u2026"), QStringLiteral("JoinaGame1"));
    file->addSeparator();
    exit = item(file, QCoreApplication::translate("MainMenus", "Exit"), QStringLiteral("Exit1"));
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* options = bar->addMenu(QCoreApplication::translate("MainMenus", "Options"));
    options->setObjectName(QStringLiteral("Options1"));
    justWatch = checkable(options, QCoreApplication::translate("MainMenus", "Just Watch"), QStringLiteral("JustWatch1"));
    showBestMove = checkable(options, QCoreApplication::translate("MainMenus", "Show Best Move"), QStringLiteral("ShowBestMove1"));
    options->addSeparator();
    playSounds = checkable(options, QCoreApplication::translate("MainMenus", "Play Sounds"), QStringLiteral("PlaySounds1"));
    chatterSounds = checkable(options, QCoreApplication::translate("MainMenus", "Play Chatter Sounds"), QStringLiteral("PlayChatterSounds1"));
    textColour = item(options, QCoreApplication::translate("MainMenus", "Text Color"), QStringLiteral("TextColor1"));
    QMenu* sizes = options->addMenu(QCoreApplication::translate("MainMenus", "Text Size"));
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
    resetScreenLocation = item(options, QCoreApplication::translate("MainMenus", "Reset Screen Location"), QStringLiteral("ResetScreenLocation1"));

    QMenu* view = bar->addMenu(QCoreApplication::translate("MainMenus", "View"));
    view->setObjectName(QStringLiteral("View1"));
    viewTally = item(view, QCoreApplication::translate("MainMenus", "View Tally"), QStringLiteral("ViewTally1"));
    spyList = item(view, QCoreApplication::translate("MainMenus", "Spy List"), QStringLiteral("SpyList1"));
    phraseList = item(view, QCoreApplication::translate("MainMenus", "Phrase List"), QStringLiteral("PrhaseList1"));

    QMenu* help = bar->addMenu(QCoreApplication::translate("MainMenus", "Help"));
    help->setObjectName(QStringLiteral("Help1"));
    helpContent = item(help, QCoreApplication::translate("MainMenus", "Content"), QStringLiteral("Help2"));
    helpContent->setShortcut(QKeySequence(Qt::Key_F1));
    quickInstructions = item(help, QCoreApplication::translate("MainMenus", "Quick Instructions"), QStringLiteral("QuickInstructions1"));
    quickInstructions->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    about = item(help, QCoreApplication::translate("MainMenus", "About"), QStringLiteral("About1"));
    downloadLobby = item(help, QCoreApplication::translate("MainMenus", "Download The Velmora Lobby\u2026"), QStringLiteral("DownloadLobby1"));
    bar->addSeparator();
    solo = bar->addAction(QCoreApplication::translate("MainMenus", "Solo Version of Tilecrest"));
    solo->setObjectName(QStringLiteral("SoloVersionofTileCrest1"));

    seatMenu = new QMenu(window);
    seatMenu->setObjectName(QStringLiteral("popup_kick"));
    removeFromGame = item(seatMenu, QCoreApplication::translate("MainMenus", "Remove From Game"), QStringLiteral("RemoveFromGame1"));
    setJustWatch = item(seatMenu, QCoreApplication::translate("MainMenus", "Set to Just Watch"), QStringLiteral("SettoJustWatch1"));
    unsetJustWatch = item(seatMenu, QCoreApplication::translate("MainMenus", "Unset Just Watch"), QStringLiteral("UnsetJustWatch1"));
    seatMenu->addSeparator();
    letBackIn = item(seatMenu, QCoreApplication::translate("MainMenus", "Let Removed Players Back In"), QStringLiteral("LetRemovedBackIn1"));
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
