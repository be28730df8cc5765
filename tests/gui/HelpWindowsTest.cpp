#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>

#include "GameCopy.h"
#include "client/DicePanel.h"
#include "client/MenuKeys.h"
#include "store/SettingsFile.h"
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
    // As the player reads them: the mnemonic's underline is no letter.
    for (QAction* a : actions) out << (a->isSeparator() ? QStringLiteral("-") : tc::client::MenuKeys::plain(a->text()));
    return out;
}

void click(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

// A click on the middle of `text` in a page, as the mouse gives it.
void clickText(QTextBrowser* page, const QString& text) {
    const QTextCursor found = page->document()->find(text);
    ASSERT_FALSE(found.isNull()) << text.toStdString();
    page->setTextCursor(found);
    page->ensureCursorVisible();
    QTextCursor middle(page->document());
    middle.setPosition((found.selectionStart() + found.selectionEnd()) / 2);
    QTest::mouseClick(page->viewport(), Qt::LeftButton, {}, page->cursorRect(middle).center());
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
                                                 {12, "Spectators"}, {14, "Menus"}, {13, "Keyboard"}};
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
    // How games are joined in this edition; the lobby keeps one line.
    const QString joining = connecting.simplified();
    EXPECT_FALSE(joining.contains("normally joined"));
    EXPECT_TRUE(joining.contains("A lobby program can start Tilecrest for you with a name, a host and true or false"));
    for (const char* words : {"File, Join a Game\u2026", "Games on your network", "type the host's address",
                              "Show this game to players on your network", "avahi-daemon", "tilecrest-server",
                              "the player in seat 1 is the host for starting games"})
        EXPECT_TRUE(joining.contains(QString::fromUtf8(words))) << words;
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
    // The history records what this edition adds.
    const QString history = help.page(5)->toPlainText().simplified();
    for (const char* words : {"Games on your network", "Show this game to players on your network", "Avahi",
                              "tilecrest-server", "the player in seat 1 is the host for starting games",
                              "Classic and Expert Rudi", "The coach", "Full Screen", "window sizes", "The keyboard",
                              "\"The host removed you from this game.\"", "held for him for 2 minutes", "--hold-s",
                              "The tally", "shut all nine tiles"})
        EXPECT_TRUE(history.contains(QString::fromUtf8(words))) << words;
    // No page speaks of the sentences that lost their verb.
    for (const QTextBrowser* page : help.findChildren<QTextBrowser*>())
        EXPECT_FALSE(page->toPlainText().contains("Tilecrest!")) << page->objectName().toStdString();
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

TEST(HelpWindow, ALinkOpensItsPageAtItsAnchorAndAWebLinkGoesToTheDesktop) {
    HelpWindow help;
    DesktopRecorder desktop;
    help.setDesktop(&desktop);
    help.resize(640, 460);
    help.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&help));
    // Links as a page written later would hold them; the pages have none yet.
    QString far;
    for (int i = 0; i < 80; ++i) far += QStringLiteral("<p>Line %1 of the marks.</p>").arg(i);
    help.page(4)->setHtml(far + QStringLiteral("<h3><a name=\"ties\"></a>Ties</h3><p>Last words.</p>"));
    QTextBrowser* play = help.page(3);
    play->setHtml(QStringLiteral("<p><a href=\"scoring.html#ties\">See ties</a> <a href=\"https://example.org/rules\">"
                                 "The rules online</a> <a href=\"nowhere.html\">Lost</a> "
                                 "<a href=\"file:///etc/passwd\">A file</a> <a href=\"mailto:a@example.org\">Mail</a></p>"));

    clickText(play, "See ties");
    ASSERT_EQ(help.currentPage(), 4);
    EXPECT_EQ(find<QLabel>(&help, "label_caption")->text(), "Scoring");
    QTextBrowser* scoring = help.page(4);
    EXPECT_GT(scoring->verticalScrollBar()->value(), 0);
    const QTextCursor ties = scoring->document()->find("Ties");
    EXPECT_TRUE(scoring->viewport()->rect().contains(scoring->cursorRect(ties).center()));
    EXPECT_TRUE(desktop.opened.isEmpty());

    // Another page, another scheme, a file: nothing opens, the page stays.
    help.showPage(3);
    for (const char* text : {"Lost", "A file", "Mail"}) {
        clickText(play, text);
        EXPECT_EQ(help.currentPage(), 3) << text;
    }
    EXPECT_TRUE(desktop.opened.isEmpty());

    // A web address goes to the desktop, as the about window's do.
    clickText(play, "The rules online");
    EXPECT_EQ(desktop.opened, QList<QUrl>{QUrl("https://example.org/rules")});
    EXPECT_EQ(help.currentPage(), 3);
    EXPECT_TRUE(desktop.messages.isEmpty());
    desktop.opens = false;
    clickText(play, "The rules online");
    EXPECT_EQ(desktop.messages, QStringList{"Cannot open Webpage"});
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
    const QUrl readme = QUrl::fromLocalFile("/usr/share/doc/tilecrest/README.md");
    const QUrl licence = QUrl::fromLocalFile("/usr/share/doc/tilecrest/LICENSE");
    tc::windows::AboutWindow about(readme, licence);
    about.setDesktop(&desktop);
    EXPECT_EQ(about.windowTitle(), "Tilecrest - About");
    EXPECT_EQ(find<QLabel>(&about, "version")->text(), "1.0.3");
    EXPECT_EQ(find<QLabel>(&about, "label_build")->text(), ".5");
    auto* web = find<QLabel>(&about, "label_web");
    EXPECT_TRUE(web->font().underline());
    EXPECT_EQ(web->text(), "/usr/share/doc/tilecrest/README.md");  // a file shows as its path
    auto* licenceLink = find<QLabel>(&about, "label_licence");
    EXPECT_EQ(licenceLink->text(), "Free software under the MIT licence.");
    EXPECT_TRUE(licenceLink->font().underline());
    about.show();
    click(web);
    click(licenceLink);
    EXPECT_EQ(desktop.opened, (QList<QUrl>{readme, licence}));
    // A long address is cut in its middle to fit, whole in the tooltip.
    const QString far = "https://127.0.0.1/" + QString(200, 'a') + "/end";
    tc::windows::AboutWindow longer{QUrl(far), licence};
    auto* cut = find<QLabel>(&longer, "label_web");
    EXPECT_TRUE(cut->text().contains(QChar(0x2026)));
    EXPECT_TRUE(cut->text().endsWith("/end"));
    EXPECT_EQ(cut->toolTip(), far);

    desktop.opened.clear();
    tc::windows::SoloWindow solo(readme);
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
    EXPECT_EQ(desktop.opened, QList<QUrl>(3, readme));
    // It invites to nothing that does not exist: solo play is this game's own.
    EXPECT_FALSE(find<QLabel>(&solo, "label_invite")->text().contains("edition"));

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
    EXPECT_EQ(captions(w.findChild<QMenu*>("Help1")->actions()),
              (QStringList{"Content", "Quick Instructions", "About", "Download The Velmora Lobby\u2026"}));
    EXPECT_EQ(w.findChild<QAction*>("Help2")->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_TRUE(captions(w.findChild<QMenu*>("View1")->actions()).contains("Spy List"));

    const QList<std::pair<const char*, QWidget*>> items{
        {"Help2", &solo.game.help()},
        {"About1", &solo.game.about()},
        {"SoloVersionofTileCrest1", &solo.game.solo()},
        {"SpyList1", &solo.game.spyList()},
        {"DownloadLobby1", &solo.game.download()}};
    solo.game.download().hide();
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

TEST(SideWindowMenus, TheLobbyOfferCanBeDeclinedForGoodAndOpenedFromHelp) {
    const QString path = tc::store::storeFilePath("velmoralobby.ini", QStandardPaths::AppConfigLocation);
    QFile::remove(path);
    {
        GameCopy solo({"--port", "0"});
        ASSERT_TRUE(waitUntil([&] { return solo.session().loggedin(); }));
        auto& offer = solo.game.download();
        ASSERT_TRUE(offer.isVisible());
        auto* dontShow = find<QCheckBox>(&offer, "check_dontshow");
        EXPECT_FALSE(dontShow->isChecked());
        EXPECT_FALSE(find<QPushButton>(&offer, "abortbutton")->isEnabled());
        dontShow->click();
        // Written at once, under its own key, the rest of the file untouched.
        tc::store::SettingsFile file(path.toLocal8Bit().toStdString());
        EXPECT_EQ(file.readString("OfferLobby", ""), "false");
    }
    {
        // The next plain start keeps quiet; Help still opens the window, the box ticked.
        GameCopy solo({"--port", "0"});
        ASSERT_TRUE(waitUntil([&] { return solo.session().loggedin(); }));
        QTest::qWait(50);
        EXPECT_FALSE(solo.game.download().isVisible());
        find<QAction>(&solo.window(), "DownloadLobby1")->trigger();
        EXPECT_TRUE(solo.game.download().isVisible());
        auto* dontShow = find<QCheckBox>(&solo.game.download(), "check_dontshow");
        EXPECT_TRUE(dontShow->isChecked());
        dontShow->click();  // wanted again
        tc::store::SettingsFile file(path.toLocal8Bit().toStdString());
        EXPECT_EQ(file.readString("OfferLobby", ""), "true");
    }
    {
        GameCopy solo({"--port", "0"});
        ASSERT_TRUE(waitUntil([&] { return solo.session().loggedin(); }));
        EXPECT_TRUE(waitUntil([&] { return solo.game.download().isVisible(); }));
        // About and Solo open the README and the licence that ship with the game.
        find<QAction>(&solo.window(), "About1")->trigger();
        QTest::mouseClick(find<QLabel>(&solo.game.about(), "label_web"), Qt::LeftButton);
        QTest::mouseClick(find<QLabel>(&solo.game.about(), "label_licence"), Qt::LeftButton);
        find<QAction>(&solo.window(), "SoloVersionofTileCrest1")->trigger();
        QTest::mouseClick(find<QLabel>(&solo.game.solo(), "label_here"), Qt::LeftButton);
        ASSERT_EQ(solo.desktop.opened.size(), 3);
        const QStringList starts{"# Tilecrest", "MIT License", "# Tilecrest"};
        for (int i = 0; i < 3; ++i) {
            const QUrl& url = solo.desktop.opened[i];
            EXPECT_TRUE(url.isLocalFile()) << url.toString().toStdString();
            QFile shipped(url.toLocalFile());
            ASSERT_TRUE(shipped.open(QIODevice::ReadOnly)) << url.toString().toStdString();
            EXPECT_TRUE(shipped.readAll().startsWith(starts[i].toUtf8())) << url.toString().toStdString();
        }
    }
    QFile::remove(path);
}

TEST(SideWindowMenus, AHostedStartDoesNotOfferTheLobby) {
    GameCopy host({"Ann", "127.0.0.1", "true", "--port", "0"});
    ASSERT_TRUE(waitUntil([&] { return host.session().loggedin(); }));
    EXPECT_FALSE(host.game.download().isVisible());
}
