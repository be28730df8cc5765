#pragma once
// The host's menu on a seat (popup_kick), opened by the seat's context menu:
// Remove From Game, Set to and Unset Just Watch and Let Removed Players Back
// In, each enabled as the session says for that seat and sent through it.
#include <QObject>

class QAction;
class QMenu;

namespace tc::client {

class BoardPanel;
class InputGate;
class MainMenus;
class Session;

class SeatMenu final : public QObject {
    Q_OBJECT
public:
    // Fills the seat menu of `menus`; `session` and `gate` must outlive it.
    SeatMenu(MainMenus& menus, BoardPanel* board, Session& session, InputGate& gate);
    // Closes the menu if it is open (the game is left, the window closes).
    void hide();

private:
    void open(int seat, const QPoint& globalPos);

    Session& session_;
    InputGate& gate_;
    QMenu* menu_ = nullptr;
    QAction* remove_ = nullptr;
    QAction* setJustWatch_ = nullptr;
    QAction* unsetJustWatch_ = nullptr;
    QAction* letBackIn_ = nullptr;  // the host forgets whom he removed
};

} // namespace tc::client
