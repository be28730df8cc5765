#pragma once
// The keys that play a turn from anywhere in the window, as the items of
// the menu "Play": "Roll Dice" (Alt+R), "Put Tiles Back Up"
// (Esc) and "Tile 1" .. "Tile 9" (Alt+1 .. Alt+9). Plain keys stay with the
// focused control, so what is typed into the chat stays chat. The items are
// always enabled, so their keys never reach the chat input as text; the
// session ignores them out of turn, as it ignores clicks.
#include <array>

#include <QObject>

class QAction;
class QMainWindow;
class QMenu;

namespace tc::client {

class MainMenus;

class TableKeys : public QObject {
    Q_OBJECT
public:
    // Fills the Play menu of `menus`.
    TableKeys(QMainWindow* window, MainMenus& menus);

    QMenu* menu() const { return menu_; }
    QAction* roll() const { return roll_; }
    QAction* backUp() const { return backUp_; }
    QAction* tile(int n) const;  // 1..9, else nullptr

signals:
    void tileWanted(int tile);
    void rollWanted();
    void backUpWanted();

private:
    QMenu* menu_ = nullptr;
    QAction* roll_ = nullptr;
    QAction* backUp_ = nullptr;
    std::array<QAction*, 9> tiles_{};
};

} // namespace tc::client
