#include "client/TileAccessible.h"

#include "client/TileControl.h"

namespace tc::client {

namespace {

QAccessibleInterface* tileFactory(const QString&, QObject* object) {
    if (auto* t = qobject_cast<TileControl*>(object)) return new TileAccessible(t);
    return nullptr;
}

} // namespace

TileAccessible::TileAccessible(TileControl* tile) : QAccessibleWidget(tile, QAccessible::Button) {}

TileControl* TileAccessible::tile() const { return static_cast<TileControl*>(widget()); }

QAccessible::State TileAccessible::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    s.checkable = true;
    // The state letter is the board's ("u", "d", "o").
    s.checked = tile()->property("state").toString() == QLatin1String("d");
    return s;
}

QStringList TileAccessible::actionNames() const {
    return QStringList{pressAction(), toggleAction()} + QAccessibleWidget::actionNames();
}

void TileAccessible::doAction(const QString& actionName) {
    if (actionName == pressAction() || actionName == toggleAction())
        tile()->press();
    else
        QAccessibleWidget::doAction(actionName);
}

QStringList TileAccessible::keyBindingsForAction(const QString& actionName) const {
    if (actionName == pressAction() || actionName == toggleAction())
        return {QStringLiteral("Space"), QStringLiteral("Alt+%1").arg(tile()->tile())};
    return QAccessibleWidget::keyBindingsForAction(actionName);
}

void TileAccessible::install() {
    static const bool installed = [] {
        QAccessible::installFactory(tileFactory);
        return true;
    }();
    (void)installed;
}

} // namespace tc::client
