// The menus' layout on a bare window: MainMenus holds only titles and the
// lines between places, and an item lands in its place whatever the order
// the window's features add their items in.
#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

#include "client/MainMenus.h"

using tc::client::MainMenus;
using Place = MainMenus::Place;

namespace {

QStringList captions(const QWidget* host) {
    QStringList out;
    for (QAction* a : host->actions()) out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

} // namespace

TEST(MainMenus, HoldsTitlesAndLinesButNoItem) {
    QMainWindow w;
    MainMenus menus(&w);
    EXPECT_EQ(captions(w.menuBar()), (QStringList{"File", "Play", "Options", "View", "Help", "-"}));
    for (QAction* title : w.menuBar()->actions()) {
        if (!title->menu()) continue;
        for (QAction* a : title->menu()->actions()) EXPECT_TRUE(a->isSeparator()) << a->text().toStdString();
    }
    QMenu* seat = w.findChild<QMenu*>(QStringLiteral("popup_kick"));
    ASSERT_NE(seat, nullptr);
    EXPECT_EQ(menus.menu(Place::SeatPlayer), seat);
    EXPECT_EQ(captions(seat), (QStringList{"-"}));
}

TEST(MainMenus, PutsEachItemInItsPlaceWhateverTheOrderItComesIn) {
    QMainWindow w;
    MainMenus menus(&w);
    // Later places first, as a feature made early may fill a place far down.
    QMenu* language = menus.addMenu(Place::OptionsLanguage, QStringLiteral("Language"), "Language1");
    menus.add(Place::OptionsWindow, QStringLiteral("Window"), "Window1");
    menus.add(Place::OptionsChat, QStringLiteral("Chat"), "Chat1");
    menus.add(Place::OptionsGame, QStringLiteral("Game"), "Game1");
    menus.add(Place::OptionsSounds, QStringLiteral("Sounds"), "Sounds1");
    menus.add(Place::OptionsGame, QStringLiteral("Game 2"), "Game2");
    QMenu* options = menus.menu(Place::OptionsGame);
    EXPECT_EQ(options->objectName(), "Options1");
    EXPECT_EQ(captions(options), (QStringList{"Game", "Game 2", "-", "Sounds", "Chat", "-", "Window", "Language"}));
    EXPECT_EQ(language->parent(), options);
    EXPECT_EQ(language->objectName(), "Language1");
    QAction* game = w.findChild<QAction*>(QStringLiteral("Game1"));
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->parent(), options);

    // An action made elsewhere keeps its owner; the bar's own place follows the menus.
    QAction shared(QStringLiteral("Shared"));
    menus.add(Place::Bar, &shared);
    menus.add(Place::Help, QStringLiteral("Content"), "Help2");
    EXPECT_EQ(captions(w.menuBar()), (QStringList{"File", "Play", "Options", "View", "Help", "-", "Shared"}));
    EXPECT_EQ(shared.parent(), nullptr);
    EXPECT_EQ(captions(menus.menu(Place::Help)), (QStringList{"Content"}));
    EXPECT_EQ(menus.menu(Place::Bar), nullptr);
}
