#pragma once
// The keyboard's way through the window: the keys that play (TableKeys),
// the one path Tab takes through the table and the chat, and the ring that
// shows where the focus is.
#include <QObject>

class QMainWindow;

namespace tc::client {

class BoardPanel;
class ChatArea;
class FocusRing;
class InputGate;
class MainMenus;
class Session;
class TableKeys;

class KeyboardPath final : public QObject {
    Q_OBJECT
public:
    // Call once the table and the chat of `window` are built; fills the Play
    // menu of `menus`. `session` and `gate` must outlive it. Leaves the focus
    // on the chat.
    KeyboardPath(QMainWindow* window, MainMenus& menus, BoardPanel* board, const ChatArea& chat, Session& session,
                 InputGate& gate);

    TableKeys* keys() const { return keys_; }
    FocusRing* ring() const { return ring_; }

private:
    TableKeys* keys_ = nullptr;
    FocusRing* ring_ = nullptr;
};

} // namespace tc::client
