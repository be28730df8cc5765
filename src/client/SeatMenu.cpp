#include "client/SeatMenu.h"

#include <QAction>
#include <QMenu>

#include "client/BoardPanel.h"
#include "client/InputGate.h"
#include "client/MainMenus.h"
#include "session/Session.h"

namespace tc::client {

SeatMenu::SeatMenu(const MainMenus& menus, BoardPanel* board, Session& session, InputGate& gate)
    : menus_(menus), session_(session), gate_(gate) {
    auto input = [this](QAction* a, void (Session::*call)()) {
        connect(a, &QAction::triggered, this, [this, call] { gate_.feed([this, call] { (session_.*call)(); }); });
    };
    input(menus.removeFromGame, &Session::removeFromGame);
    input(menus.setJustWatch, &Session::setJustWatch);
    input(menus.unsetJustWatch, &Session::unsetJustWatch);
    input(menus.letBackIn, &Session::letRemovedBackIn);
    connect(board, &BoardPanel::seatMenuRequested, this, &SeatMenu::open);
}

void SeatMenu::hide() { menus_.seatMenu->hide(); }

void SeatMenu::open(int seat, const QPoint& globalPos) {
    if (gate_.busy()) return;
    const SeatPopup p = session_.openSeatPopup(seat);
    menus_.removeFromGame->setEnabled(p.removeEnabled);
    menus_.setJustWatch->setEnabled(p.setJustWatchEnabled);
    menus_.unsetJustWatch->setEnabled(p.unsetJustWatchEnabled);
    menus_.letBackIn->setEnabled(p.letBackInEnabled);
    menus_.seatMenu->popup(globalPos);
}

} // namespace tc::client
