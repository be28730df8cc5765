#include "client/TableKeys.h"

#include "client/MenuKeys.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace tc::client {

TableKeys::TableKeys(QMainWindow* window) : QObject(window) {
    QMenuBar* bar = window->menuBar();
    menu_ = new QMenu(tr("Play"), bar);
    menu_->setObjectName(QStringLiteral("Play1"));
    // After File, whatever follows it.
    QAction* before = nullptr;
    const QList<QAction*> items = bar->actions();
    for (qsizetype i = 0; i + 1 < items.size(); ++i)
        if (items[i]->menu() && items[i]->menu()->objectName() == QLatin1String("File1")) before = items[i + 1];
    if (before)
        bar->insertMenu(before, menu_);
    else
        bar->addMenu(menu_);

    roll_ = menu_->addAction(tr("Roll Dice"));
    roll_->setObjectName(QStringLiteral("RollDice1"));
    roll_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_R));
    connect(roll_, &QAction::triggered, this, &TableKeys::rollWanted);
    backUp_ = menu_->addAction(tr("Put Tiles Back Up"));
    backUp_->setObjectName(QStringLiteral("PutTilesBackUp1"));
    backUp_->setShortcut(QKeySequence(Qt::Key_Escape));
    connect(backUp_, &QAction::triggered, this, &TableKeys::backUpWanted);
    menu_->addSeparator();
    for (int n = 1; n <= 9; ++n) {
        QAction* a = menu_->addAction(tr("Tile %1").arg(n));
        a->setObjectName(QStringLiteral("Tile%1").arg(n));
        a->setShortcut(QKeySequence(Qt::ALT | static_cast<Qt::Key>(Qt::Key_0 + n)));
        connect(a, &QAction::triggered, this, [this, n] { emit tileWanted(n); });
        tiles_[static_cast<std::size_t>(n - 1)] = a;
    }
    // With the Play menu in place, the bar is complete: its mnemonics and F10.
    menuKeys_ = new MenuKeys(window);
}

QAction* TableKeys::tile(int n) const {
    return n >= 1 && n <= 9 ? tiles_[static_cast<std::size_t>(n - 1)] : nullptr;
}

} // namespace tc::client
