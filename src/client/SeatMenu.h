#pragma once
// The host's menu on a seat (popup_kick), opened by the seat's context menu:
// Remove From Game, Set to and Unset Just Watch and Let Removed Players Back
// In, each enabled as the session says for that seat and sent through it.
#include <QObject>

namespace tc::client {

class BoardPanel;
class InputGate;
class MainMenus;
class Session;

class SeatMenu final : public QObject {
    Q_OBJECT
public:
    // The menu and its items are built with the menu bar (`menus`); `menus`,
    // `session` and `gate` must outlive it.
    SeatMenu(const MainMenus& menus, BoardPanel* board, Session& session, InputGate& gate);
    // Closes the menu if it is open (the game is left, the window closes).
    void hide();

private:
    void open(int seat, const QPoint& globalPos);

    const MainMenus& menus_;
    Session& session_;
    InputGate& gate_;
};

} // namespace tc::client
