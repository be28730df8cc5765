#include "client/TableKeys.h"

#include <QAction>
#include <QMainWindow>

#include "client/MainMenus.h"

namespace tc::client {

TableKeys::TableKeys(QMainWindow* window, MainMenus& menus) : QObject(window) {
    using Place = MainMenus::Place;
    menu_ = menus.menu(Place::PlayDice);
    roll_ = menus.add(Place::PlayDice, tr("Roll Dice"), "RollDice1");
    roll_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_R));
    connect(roll_, &QAction::triggered, this, &TableKeys::rollWanted);
    backUp_ = menus.add(Place::PlayDice, tr("Put Tiles Back Up"), "PutTilesBackUp1");
    backUp_->setShortcut(QKeySequence(Qt::Key_Escape));
    connect(backUp_, &QAction::triggered, this, &TableKeys::backUpWanted);
    for (int n = 1; n <= 9; ++n) {
        const QByteArray name = "Tile" + QByteArray::number(n);
        QAction* a = menus.add(Place::PlayTiles, tr("Tile %1").arg(n), name.constData());
        a->setShortcut(QKeySequence(Qt::ALT | static_cast<Qt::Key>(Qt::Key_0 + n)));
        connect(a, &QAction::triggered, this, [this, n] { emit tileWanted(n); });
        tiles_[static_cast<std::size_t>(n - 1)] = a;
    }
}

QAction* TableKeys::tile(int n) const {
    return n >= 1 && n <= 9 ? tiles_[static_cast<std::size_t>(n - 1)] : nullptr;
}

} // namespace tc::client
