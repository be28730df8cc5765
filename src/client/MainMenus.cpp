#include "client/MainMenus.h"

#include "chat/ScaledStyle.h"

#include <QAction>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace tc::client {
namespace {

// The place an action of the menus was added to; a line belongs to the
// place it opens.
constexpr const char* kPlace = "tc_menuPlace";
constexpr bool kLine = true;

QMenu* title(QMenuBar* bar, const QString& text, const char* name) {
    QMenu* m = bar->addMenu(text);
    m->setObjectName(QLatin1String(name));
    return m;
}

} // namespace

MainMenus::MainMenus(QMainWindow* window) : window_(window) {
    QMenuBar* bar = window->menuBar();
    QMenu* file = title(bar, QCoreApplication::translate("MainMenus", "File"), "File1");
    open(Place::FileGame, file);
    open(Place::FileExit, file, kLine);
    QMenu* play = title(bar, QCoreApplication::translate("MainMenus", "Play"), "Play1");
    open(Place::PlayDice, play);
    open(Place::PlayTiles, play, kLine);
    QMenu* options = title(bar, QCoreApplication::translate("MainMenus", "Options"), "Options1");
    open(Place::OptionsGame, options);
    open(Place::OptionsSounds, options, kLine);
    open(Place::OptionsChat, options);
    open(Place::OptionsWindow, options, kLine);
    open(Place::OptionsLanguage, options);
    QMenu* view = title(bar, QCoreApplication::translate("MainMenus", "View"), "View1");
    open(Place::ViewWindows, view);
    open(Place::ViewScreen, view, kLine);
    QMenu* help = title(bar, QCoreApplication::translate("MainMenus", "Help"), "Help1");
    open(Place::Help, help);
    open(Place::Bar, bar, kLine);

    seatMenu_ = new QMenu(window);
    seatMenu_->setObjectName(QStringLiteral("popup_kick"));
    open(Place::SeatPlayer, seatMenu_);
    open(Place::SeatAll, seatMenu_, kLine);
}

void MainMenus::open(Place place, QWidget* host, bool line) {
    hosts_[int(place)] = host;
    if (!line) return;
    // An empty place leaves its line at an end or beside another, where a
    // menu does not draw it (QMenu::separatorsCollapsible).
    auto* separator = new QAction(host);
    separator->setSeparator(true);
    add(place, separator);
}

QAction* MainMenus::add(Place place, const QString& caption, const char* objectName) {
    auto* a = new QAction(caption, host(place));
    a->setObjectName(QLatin1String(objectName));
    add(place, a);
    return a;
}

void MainMenus::add(Place place, QAction* action) {
    action->setProperty(kPlace, int(place));
    QWidget* where = host(place);
    QAction* before = nullptr;  // the first action of a later place
    for (QAction* a : where->actions()) {
        const QVariant p = a->property(kPlace);
        if (p.isValid() && p.toInt() > int(place)) {
            before = a;
            break;
        }
    }
    where->insertAction(before, action);
}

QMenu* MainMenus::addMenu(Place place, const QString& title, const char* objectName) {
    auto* m = new QMenu(title, host(place));
    m->setObjectName(QLatin1String(objectName));
    add(place, m->menuAction());
    return m;
}

QMenu* MainMenus::menu(Place place) const { return qobject_cast<QMenu*>(host(place)); }

void MainMenus::setScale(double scale) {
    if (scale == scale_) return;
    scale_ = scale;
    if (!style_) style_ = new chat::ScaledStyle(window_);
    QMenuBar* bar = window_->menuBar();
    chat::scaleWidget(bar, style_, scale);
    for (QMenu* m : bar->findChildren<QMenu*>()) chat::scaleWidget(m, style_, scale);
    chat::scaleWidget(seatMenu_, style_, scale);
}

} // namespace tc::client
