#pragma once
// The File menu: Start Game (Ctrl+N, enabled as the table says), Host a
// Game… and Join a Game… (the dialog is the window's owner's, never opened
// while a message is up) and Exit (Ctrl+Q, the window closes).
#include <functional>

#include <QObject>

class QAction;
class QWidget;

namespace tc::client {

class InputGate;
class MainMenus;
class Session;
struct TableState;

class FileMenu final : public QObject {
    Q_OBJECT
public:
    // `openDialog(true)` asks for the Host dialog, `(false)` for Join.
    // `session` and `gate` must outlive it.
    FileMenu(MainMenus& menus, QWidget* window, Session& session, InputGate& gate,
             std::function<void(bool host)> openDialog);

    void showTable(const TableState& table);

private:
    QAction* startGame_ = nullptr;
};

} // namespace tc::client
