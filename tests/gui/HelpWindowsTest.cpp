#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextBrowser>

#include "GameCopy.h"
#include "client/DicePanel.h"
#include "store/StoreLocation.h"
#include "windows/AboutWindow.h"
#include "windows/DownloadWindow.h"
#include "windows/HelpWindow.h"
#include "windows/ShowCentred.h"
#include "windows/SoloWindow.h"
#include "windows/SpyListWindow.h"
#include "windows/WebAddresses.h"

using tc::guitest::DesktopRecorder;
using tc::guitest::find;
using tc::guitest::GameCopy;
using tc::guitest::waitUntil;
using tc::windows::HelpWindow;

namespace {

QStringList captions(const QList<QAction*>& actions) {
    QStringList out;
    for (QAction* a : actions) out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

void click(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

} // namespace

TEST(HelpWindow, EachButtonBringsItsPageToTheFrontAndNamesIt) {
    HelpWindow help;
    EXPECT_EQ(help.windowTitle(), "Tilecrest - Help File");
    auto* caption = find<QLabel>(&help, "label_caption");
    EXPECT_EQ(caption->text(), "Game Play");
    EXPECT_TRUE(caption->font().bold());
    EXPECT_EQ(help.currentPage(), 3);
    help.show();

    const QList<std::pair<int, QString>> buttons{{2, "Connecting"},    {3, "Game Play"}, {4, "Scoring"},
                                                 {5, "Documentation"}, {6, "License"},   {11, "The Lobby"},
                                                 {12, "Spectators"}, {13, "Keyboard"}};
    for (const auto& [tag, title] : buttons) {
        auto* b = find<QPushButton>(&help, QStringLiteral("SelButton%1").arg(tag));
        EXPECT_EQ(b->text(), title);
        EXPECT_EQ(b->property("tag").toInt(), tag);
        click(b);
        EXPECT_EQ(help.currentPage(), tag);
        EXPECT_EQ(caption->text(), title);
        QTextBrowser* memo = find<QTextBrowser>(&help, QStringLiteral("memo%1").arg(tag));
        EXPECT_TRUE(memo->isVisible());
        EXPECT_TRUE(memo->isReadOnly());
        EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        EXPECT_GT(memo->toPlainText().size(), 200) << title.toStdString();
    }

    // The pages say what a new player needs.
    const QString connecting = help.page(2)->toPlainText();
    EXPECT_TRUE(connecting.contains("Start Game"));
    EXPECT_TRUE(connecting.contains("tilecrest NAME HOST true"));
    EXPECT_TRUE(connecting.contains("TCP port 7772"));
    EXPECT_TRUE(connecting.contains("firewall"));
    // What the game does: Rudi sits down when the game starts, and the
    // first round ends when the turn comes back to seat 1 after it played.
    EXPECT_TRUE(connecting.simplified().contains(
        "press Start Game in that window: Rudi, the computer player, then sits down in seat 2"));
    EXPECT_FALSE(connecting.contains("takes seat 2"));
    const QString gameplay = help.page(3)->toPlainText().simplified();
    EXPECT_FALSE(gameplay.contains("every seated player has had one turn"));
    EXPECT_TRUE(gameplay.contains("A round is over each time the turn comes back to seat 1"));
    EXPECT_TRUE(gameplay.contains("round 1 may go Rudi, You, Rudi"));
    EXPECT_TRUE(help.page(5)->toPlainText().contains("1.0.3.5"));
    const QString watching = help.page(12)->toPlainText();
    for (const char* words : {"spectators", "Spy List", "Remove From Game", "Just Watch", "Set to Just Watch",
                              "Watching \u2014 seats are full", "Game is full"})
        EXPECT_TRUE(watching.contains(QString::fromUtf8(words))) << words;
    QFile licence(QStringLiteral(":/help/LICENSE"));
    ASSERT_TRUE(licence.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(licence.readAll());
    EXPECT_TRUE(text.startsWith("MIT License"));
    EXPECT_TRUE(help.page(6)->toPlainText().simplified().contains(text.simplified()));
    // Its paragraphs wrap to the page: nothing to scroll sideways for.
    click(find<QPushButton>(&help, "SelButton6"));
    EXPECT_EQ(help.page(6)->horizontalScrollBar()->maximum(), 0);
    EXPECT_GE(help.page(6)->toHtml().count("<p"), 6);

    QSignalSpy about(&help, &HelpWindow::aboutRequested);
    click(find<QPushButton>(&help, "button_about"));
    EXPECT_EQ(about.count(), 1);
    click(find<QPushButton>(&help, "button_done"));
    EXPECT_FALSE(help.isVisible());
}

TEST(HelpWindow, OpenedFromAWindowNearTheScreensEdgeStaysOnTheScreen) {
    QWidget main;
    const QRect area = main.screen()->availableGeometry();
    main.resize(700, 500);
    HelpWindow help;
    // Near the bottom, then the right, then the top left corner.
    for (const QPoint corner : {QPoint(area.left() + 50, area.bottom() - 120), QPoint(area.right() - 100, area.top() + 40),
                                QPoint(area.left() - 300, area.top() - 200)}) {
        main.move(corner);
        tc::windows::showCentredOn(&help, &main);
        EXPECT_TRUE(area.contains(help.frameGeometry())) << corner.x() << "," << corner.y();
    }
    // Away from the edges it is centred as before.
    main.move(area.center() - QPoint(350, 250));
    tc::windows::showCentredOn(&help, &main);
    EXPECT_LE((help.frameGeometry().center() - main.frameGeometry().center()).manhattanLength(), 4);
    // Larger than the screen: its top left corner stays on it.
    const QRect big = tc::windows::placeInside(QRect(area.right() - 10, area.bottom() - 10, area.width() + 50, 40), area);
    EXPECT_EQ(big.topLeft(), QPoint(area.left(), area.bottom() - 39));
}

TEST(AboutAndSolo, ShowTheVersionAndOpenTheirAddresses) {
    DesktopRecorder desktop;
    tc::windows::AboutWindow about("http://www.example.com/");
    about.setDesktop(&desktop);
    EXPECT_EQ(about.windowTitle(), "Tilecrest - About");
    EXPECT_EQ(find<QLabel>(&about, "version")->text(), "1.0.3");
    EXPECT_EQ(find<QLabel>(&about, "label_build")->text(), ".5");
    auto* web = find<QLabel>(&about, "label_web");
    EXPECT_TRUE(web->font().underline());
    about.show();
    click(web);
    EXPECT_EQ(desktop.opened, QList<QUrl>{QUrl("http://www.example.com/")});

    tc::windows::SoloWindow solo("http://www.example.com/solo/");
    solo.setDesktop(&desktop);
    EXPECT_EQ(solo.windowTitle(), "Tilecrest - Solo");
    solo.show();
    desktop.opened.clear();
    auto* here = find<QLabel>(&solo, "label_here");
    EXPECT_EQ(here->text(), "Click HERE to learn how to Play Tilecrest Solo!");
    for (const char* name : {"image_solo", "label_here", "label_invite"}) {
        auto* l = find<QLabel>(&solo, name);
        EXPECT_EQ(l->cursor().shape(), Qt::PointingHandCursor) << name;
        click(l);
    }
    EXPECT_EQ(desktop.opened, QList<QUrl>(3, QUrl("http://www.example.com/solo/")));

    // Nothing to open it with: the player is told.
    desktop.opens = false;
    click(here);
    EXPECT_EQ(desktop.messages, QStringList{"Cannot open Webpage"});
    click(find<QPushButton>(&solo, "button_done"));
    EXPECT_FALSE(solo.isVisible());
}

TEST(SideWindowMenus, EachItemOpensItsWindow) {
    // A packager's address in the settings file reaches the windows.
    QFile ini(tc::store::storeFilePath("velmoralobby.ini", QStandardPaths::AppConfigLocation));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Tilecrest]\r\nMakerSite=http://127.0.0.1:9/maker\r\n");
    ini.close();
    GameCopy solo({"--port", "0"});
    ini.remove();
    auto& w = solo.window();
    ASSERT_TRUE(waitUntil([&] { return solo.session().loggedin(); }));
    // A start without parameters offers the lobby, centred on the screen.
    EXPECT_TRUE(solo.game.download().isVisible());

    const QStringList bar = captions(w.menuBar()->actions());
    EXPECT_EQ(bar.mid(bar.indexOf("View")), (QStringList{"View", "Help", "-", "Solo Version of Tilecrest"}));
    EXPECT_EQ(captions(w.findChild<QMenu*>("Help1")->actions()), (QStringList{"Content", "Quick Instructions", "About"}));
    EXPECT_EQ(w.findChild<QAction*>("Help2")->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_TRUE(captions(w.findChild<QMenu*>("View1")->actions()).contains("Spy List"));

    const QList<std::pair<const char*, QWidget*>> items{
        {"Help2", &solo.game.help()},
        {"About1", &solo.game.about()},
        {"SoloVersionofTileCrest1", &solo.game.solo()},
        {"SpyList1", &solo.game.spyList()}};
    for (const auto& [action, window] : items) {
        EXPECT_FALSE(window->isVisible()) << action;
        find<QAction>(&w, action)->trigger();
        EXPECT_TRUE(window->isVisible()) << action;
        // Chosen again while open: still one window, still shown.
        find<QAction>(&w, action)->trigger();
        EXPECT_TRUE(window->isVisible()) << action;
        window->hide();
    }
    // F1 reaches the help from the main window.
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_F1);
    EXPECT_TRUE(solo.game.help().isVisible());
    // The help's About button shows the about window.
    click(find<QPushButton>(&solo.game.help(), "button_about"));
    EXPECT_TRUE(solo.game.about().isVisible());

    // The logo on the board opens the maker's site, as set in the file.
    auto* logo = find<QWidget>(w.board()->dicePanel(), "image_logo");
    click(logo);
    EXPECT_EQ(solo.desktop.opened, QList<QUrl>{QUrl("http://127.0.0.1:9/maker")});
}

TEST(SideWindowMenus, AHostedStartDoesNotOfferTheLobby) {
    GameCopy host({"Ann", "127.0.0.1", "true", "--port", "0"});
    ASSERT_TRUE(waitUntil([&] { return host.session().loggedin(); }));
    EXPECT_FALSE(host.game.download().isVisible());
}
