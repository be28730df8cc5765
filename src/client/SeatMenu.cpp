#include "client/SeatMenu.h"

#include <QAction>
#include <QMenu>

#include "client/BoardPanel.h"
#include "client/InputGate.h"
#include "client/MainMenus.h"
#include "session/Session.h"

namespace tc::client {

SeatMenu::SeatMenu(MainMenus& menus, BoardPanel* board, Session& session, InputGate& gate)
    : session_(session), gate_(gate) {
    using Place = MainMenus::Place;
    menu_ = menus.menu(Place::SeatPlayer);
    auto input = [&](Place place, const QString& caption, const char* name, void (Session::*call)()) {
        QAction* a = menus.add(place, caption, name);
        connect(a, &QAction::triggered, this, [this, call] { gate_.feed([this, call] { (session_.*call)(); }); });
        return a;
    };
    remove_ = input(Place::SeatPlayer, tr("Remove From Game"), "RemoveFromGame1", &Session::removeFromGame);
    setJustWatch_ = input(Place::SeatPlayer, tr("Set to Just Watch"), "SettoJustWatch1", &Session::setJustWatch);
    unsetJustWatch_ = input(Place::SeatPlayer, tr("Unset Just Watch"), "UnsetJustWatch1", &Session::unsetJustWatch);
    letBackIn_ = input(Place::SeatAll, tr("Let Removed Players Back In"), "LetRemovedBackIn1", &Session::letRemovedBackIn);
    connect(board, &BoardPanel::seatMenuRequested, this, &SeatMenu::open);
}

void SeatMenu::hide() { menu_->hide(); }

void SeatMenu::open(int seat, const QPoint& globalPos) {
    if (gate_.busy()) return;
    const SeatPopup p = session_.openSeatPopup(seat);
    remove_->setEnabled(p.removeEnabled);
    setJustWatch_->setEnabled(p.setJustWatchEnabled);
    unsetJustWatch_->setEnabled(p.unsetJustWatchEnabled);
    letBackIn_->setEnabled(p.letBackInEnabled);
    menu_->popup(globalPos);
}

} // namespace tc::client
