#pragma once
// What assistive technology sees of a tile: a button whose name says its
// number and state ("Tile 7, open"; the board keeps the name current),
// checked while it is down, with a press action that does what a click
// does.
#include <QAccessibleWidget>

namespace tc::client {

class TileControl;

class TileAccessible : public QAccessibleWidget {
public:
    explicit TileAccessible(TileControl* tile);

    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

    // Registers the interface for every TileControl (once per program).
    static void install();

private:
    TileControl* tile() const;
};

} // namespace tc::client
