#include "client/FileMenu.h"

#include <QAction>
#include <QWidget>

#include "client/InputGate.h"
#include "client/MainMenus.h"
#include "session/Session.h"

namespace tc::client {

FileMenu::FileMenu(MainMenus& menus, QWidget* window, Session& session, InputGate& gate,
                   std::function<void(bool host)> openDialog) {
    using Place = MainMenus::Place;
    startGame_ = menus.add(Place::FileGame, tr("Start Game"), "StartGame1");
    startGame_->setEnabled(false);
    startGame_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    connect(startGame_, &QAction::triggered, this, [&session, &gate] { gate.feed([&session] { session.clickStart(); }); });
    QAction* host = menus.add(Place::FileGame, tr("Host a Game\u2026"), "HostaGame1");
    QAction* join = menus.add(Place::FileGame, tr("Join a Game\u2026"), "JoinaGame1");
    // Not while a message is up.
    connect(host, &QAction::triggered, this, [&gate, openDialog] { if (!gate.busy()) openDialog(true); });
    connect(join, &QAction::triggered, this, [&gate, openDialog] { if (!gate.busy()) openDialog(false); });
    QAction* exit = menus.add(Place::FileExit, tr("Exit"), "Exit1");
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(exit, &QAction::triggered, window, &QWidget::close);
}

void FileMenu::showTable(const TableState& table) { startGame_->setEnabled(table.startGameEnabled); }

} // namespace tc::client
