// The menus and every side window by keyboard alone: mnemonics on the
// menu bar and in its menus, F10, Alt keys in the chat input, and Enter and
// Esc in the windows beside the table. Every key goes to the widget that has
// the focus (or to the open menu), as the keyboard's would.
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTextBrowser>

#include "GameCopy.h"
#include "KeyPresses.h"
#include "Translations.h"
#include "chat/ChatInput.h"
#include "client/GameStartWindow.h"
#include "client/MenuKeys.h"
#include "store/SettingsFile.h"
#include "store/StoreLocation.h"
#include "windows/AboutWindow.h"
#include "windows/DownloadWindow.h"
#include "windows/HelpWindow.h"
#include "windows/PhraseEditor.h"
#include "windows/SoloWindow.h"
#include "windows/SpyListWindow.h"
#include "windows/TallyListWindow.h"

using tc::client::MenuKeys;
using tc::guitest::activate;
using tc::guitest::focused;
using tc::guitest::GameCopy;
using tc::guitest::press;
using tc::guitest::tabTo;
using tc::guitest::waitUntil;

namespace {

QString settingsPath() {
    return tc::store::storeFilePath(QStringLiteral("velmoralobby.ini"), QStandardPaths::AppConfigLocation);
}

// The key a caption's mnemonic asks for, as a Qt key (0: none).
int mnemonicKey(const QString& caption) {
    const QKeySequence m = QKeySequence::mnemonic(caption);
    return m.isEmpty() ? 0 : m[0].key();
}

QMenu* openMenu() { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }

// Esc closes the open menu, and Esc again leaves the bar: the focus is
// back where it was.
void closeMenus() {
    for (int i = 0; i < 5 && QApplication::activePopupWidget(); ++i) press(Qt::Key_Escape);
    ASSERT_EQ(QApplication::activePopupWidget(), nullptr);
    if (qobject_cast<QMenuBar*>(focused())) press(Qt::Key_Escape);
    ASSERT_FALSE(qobject_cast<QMenuBar*>(focused()));
}

// The bar's menus, then every pop-up menu a player meets: the seat's, the
// chat's, the typing line's, the sounds', the smileys' and the spy list's.
QList<QMenu*> menusOf(GameCopy& copy) {
    QList<QMenu*> menus;
    std::function<void(QMenu*)> walk = [&](QMenu* m) {
        if (!m || menus.contains(m)) return;
        menus << m;
        for (QAction* a : m->actions()) walk(a->menu());
    };
    for (QAction* a : copy.window().menuBar()->actions()) walk(a->menu());
    for (QMenu* m : copy.window().findChildren<QMenu*>()) walk(m);
    for (QMenu* m : copy.game.spyList().findChildren<QMenu*>()) walk(m);
    return menus;
}

// Each item of each menu has a letter no other item of its menu has; an
// item goes without only when every letter and digit of its caption is
// another's (the smileys' codes are digits alone). Returns the items.
int checkMenuLetters(GameCopy& copy) {
    int items = 0;
    for (QMenu* m : menusOf(copy)) {
        QList<int> keys;
        QList<QAction*> without;
        for (QAction* a : m->actions()) {
            if (a->isSeparator()) continue;
            ++items;
            const int key = mnemonicKey(a->text());
            if (key == 0) without << a;
            EXPECT_TRUE(key == 0 || !keys.contains(key)) << m->objectName().toStdString() << " > " << a->text().toStdString();
            if (key != 0) keys << key;
        }
        for (QAction* a : without)
            for (QChar c : MenuKeys::plain(a->text()))
                if (c.isLetterOrNumber()) {
                    EXPECT_TRUE(keys.contains(mnemonicKey(QStringLiteral("&") + c)))
                        << m->objectName().toStdString() << " > " << a->text().toStdString() << " could have " << QString(c).toStdString();
                }
    }
    return items;
}

} // namespace

TEST(WindowKeys, EveryMenuItemHasItsOwnLetterAndItsCaptionAsWritten) {
    GameCopy you({"--port", "0"});
    auto* bar = you.window().menuBar();
    QStringList titles;
    QList<int> barKeys;
    for (QAction* a : bar->actions()) {
        if (a->isSeparator()) continue;
        titles << MenuKeys::plain(a->text());
        const int key = mnemonicKey(a->text());
        EXPECT_NE(key, 0) << a->text().toStdString();
        // Alt+R and Alt+1..9 play the table.
        EXPECT_NE(key, Qt::Key_R) << a->text().toStdString();
        EXPECT_FALSE(key >= Qt::Key_0 && key <= Qt::Key_9) << a->text().toStdString();
        EXPECT_FALSE(barKeys.contains(key)) << a->text().toStdString();
        barKeys << key;
    }
    EXPECT_EQ(titles, (QStringList{"File", "Play", "Options", "View", "Help", "Solo Version of Tilecrest"}));
    // The letters the Keyboard help page names.
    EXPECT_EQ(barKeys, (QList<int>{Qt::Key_F, Qt::Key_P, Qt::Key_O, Qt::Key_V, Qt::Key_H, Qt::Key_S}));
    EXPECT_EQ(you.window().findChild<QMenu*>("File1")->title(), "&File");
    EXPECT_EQ(you.window().findChild<QMenu*>("Options1")->title(), "&Options");

    // The bar's menus: a letter for every item.
    for (QMenu* m : menusOf(you)) {
        if (m->parent() != bar && !qobject_cast<QMenu*>(m->parent())) continue;
        for (QAction* a : m->actions()) {
            EXPECT_TRUE(a->isSeparator() || mnemonicKey(a->text()) != 0)
                << m->objectName().toStdString() << " > " << a->text().toStdString();
        }
    }
    EXPECT_GE(checkMenuLetters(you), 80);
    // The captions read as they did; only the marker is new.
    auto caption = [&](const char* name) { return you.window().findChild<QAction*>(name)->text(); };
    EXPECT_EQ(MenuKeys::plain(caption("ShowBestMove1")), "Show Best Move");
    EXPECT_EQ(MenuKeys::plain(caption("HostaGame1")), "Host a Game\u2026");
    EXPECT_EQ(MenuKeys::plain(caption("LetRemovedBackIn1")), "Let Removed Players Back In");
    EXPECT_EQ(caption("Tile7"), "Tile &7");
    EXPECT_EQ(caption("RollDice1"), "&Roll Dice");
    EXPECT_EQ(MenuKeys::plain("Fish && &Chips"), "Fish & Chips");

    // A second marking changes nothing; a caption without any free letter
    // stays as it is.
    you.window().findChild<QAction*>("ShowBestMove1")->setText("Show &Best Move");
    QList<QAction*> row{new QAction("Ab", bar), new QAction("Ba", bar), new QAction("AB", bar)};
    MenuKeys::mark(row);
    EXPECT_EQ(row[0]->text(), "&Ab");
    EXPECT_EQ(row[1]->text(), "&Ba");
    EXPECT_EQ(row[2]->text(), "AB");
    MenuKeys::mark(row);
    EXPECT_EQ(row[0]->text(), "&Ab");
    qDeleteAll(row);
}

TEST(WindowKeys, ThePopUpMenusHaveLettersInEveryLanguage) {
    for (const QString lang : {"en", "de", "fr"}) {
        SCOPED_TRACE(lang.toStdString());
        // Chosen as a player chooses it: Options > Language, kept in the file.
        QFile::remove(settingsPath());
        tc::store::SettingsFile(settingsPath().toLocal8Bit().toStdString()).write({{"Language", lang.toStdString()}});
        GameCopy you({"--port", "0"});
        ASSERT_TRUE(waitUntil([&] { return you.session().loggedin(); }));
        ASSERT_EQ(tc::i18n::current(), lang);
        checkMenuLetters(you);
        // Every item of the chat's, the typing line's, the sounds' and the
        // spy list's menus: their captions have letters enough.
        for (QMenu* m : {you.window().findChild<QMenu*>("PopupMenu1"), you.window().findChild<QMenu*>("PopupMenu2"),
                         you.window().findChild<QMenu*>("popup_sounds"),
                         you.game.spyList().findChild<QMenu*>("popup_kick")}) {
            ASSERT_NE(m, nullptr);
            for (QAction* a : m->actions()) {
                EXPECT_TRUE(a->isSeparator() || mnemonicKey(a->text()) != 0)
                    << m->objectName().toStdString() << " > " << a->text().toStdString();
            }
        }
        // The smileys' codes share their digits: ten keys among eighteen.
        auto* smileys = you.window().findChild<QMenu*>("popup_smilies");
        ASSERT_NE(smileys, nullptr);
        EXPECT_EQ(smileys->actions()[2]->text(), ":)#1&2");
        EXPECT_EQ(MenuKeys::plain(smileys->actions()[17]->text()), ":)#27");
    }
    QFile::remove(settingsPath());
    tc::i18n::install(QStringLiteral("en"));
}

TEST(WindowKeys, AltLettersAndF10OpenTheMenusAndTypeNothingIntoTheChat) {
    GameCopy you({"--port", "0"});
    ASSERT_TRUE(waitUntil([&] { return you.session().loggedin() && you.seat(1) == "You"; }));
    activate(&you.window());
    auto* chat = you.window().findChild<tc::chat::ChatInput*>("mychat");
    ASSERT_TRUE(tabTo(chat));
    QTest::keyClicks(chat, "hi");
    ASSERT_EQ(chat->text(), "hi");

    // Alt+F opens File from the chat input.
    press(Qt::Key_F, Qt::AltModifier);
    ASSERT_TRUE(waitUntil([] { return openMenu() != nullptr; }));
    EXPECT_EQ(openMenu()->objectName(), "File1");
    ASSERT_NO_FATAL_FAILURE(closeMenus());
    // Letters that open nothing type nothing either.
    activate(&you.window());
    for (int key : {Qt::Key_K, Qt::Key_X, Qt::Key_Q}) {
        press(key, Qt::AltModifier);
        EXPECT_EQ(openMenu(), nullptr);
    }
    EXPECT_EQ(chat->text(), "hi");
    EXPECT_EQ(focused(), chat);

    // F10: the first menu, open.
    press(Qt::Key_F10);
    ASSERT_TRUE(waitUntil([] { return openMenu() != nullptr; }));
    EXPECT_EQ(openMenu()->objectName(), "File1");
    // Right goes on to the next menu, as on any menu bar.
    press(Qt::Key_Right);
    ASSERT_TRUE(waitUntil([] { return openMenu() && openMenu()->objectName() == "Play1"; }));
    ASSERT_NO_FATAL_FAILURE(closeMenus());
    activate(&you.window());
    EXPECT_EQ(chat->text(), "hi");

    // Alt+O and an item's letter: Show Best Move on.
    auto* coach = you.window().findChild<QAction*>("ShowBestMove1");
    ASSERT_FALSE(coach->isChecked());
    press(Qt::Key_O, Qt::AltModifier);
    ASSERT_TRUE(waitUntil([] { return openMenu() && openMenu()->objectName() == "Options1"; }));
    press(mnemonicKey(coach->text()));
    EXPECT_TRUE(waitUntil([&] { return coach->isChecked(); }));
    EXPECT_EQ(openMenu(), nullptr);

    // Alt+V and Spy List's letter: the spy list opens.
    activate(&you.window());
    press(Qt::Key_V, Qt::AltModifier);
    ASSERT_TRUE(waitUntil([] { return openMenu() && openMenu()->objectName() == "View1"; }));
    press(mnemonicKey(you.window().findChild<QAction*>("SpyList1")->text()));
    EXPECT_TRUE(waitUntil([&] { return you.game.spyList().isVisible(); }));
    activate(&you.game.spyList());
    press(Qt::Key_Escape);
    EXPECT_FALSE(you.game.spyList().isVisible());
    EXPECT_EQ(chat->text(), "hi");
}

TEST(WindowKeys, TheGameStartWindowStartsWithEnterAndClosesWithEsc) {
    GameCopy you({"--port", "0", "--pause-ms", "5"});
    ASSERT_TRUE(waitUntil([&] { return you.session().loggedin() && you.seat(1) == "You"; }));
    auto& start = you.game.gameStart();
    for (int round = 0; round < 2; ++round) {
        activate(&you.window());
        press(Qt::Key_N, Qt::ControlModifier);
        ASSERT_TRUE(waitUntil([&] { return start.isVisible(); }));
        activate(&start);
        auto* marks = start.findChild<QSpinBox*>("edit_playtoscore");
        marks->setFocus();
        ASSERT_TRUE(waitUntil([&] { return focused() && focused()->window() == &start; }));
        if (round == 0) {
            // Esc: as the close button, no game.
            press(Qt::Key_Escape);
            EXPECT_FALSE(start.isVisible());
            QTest::qWait(100);
            EXPECT_EQ(you.seat(2), "<Waiting>");
            continue;
        }
        // Typed over and Enter in the box: the game starts with it.
        marks->findChild<QLineEdit*>()->selectAll();
        QTest::keyClicks(focused(), "4");
        press(Qt::Key_Return);
        EXPECT_FALSE(start.isVisible());
        ASSERT_TRUE(waitUntil([&] { return you.seat(2) == "Rudi"; }));
        EXPECT_EQ(you.label("label_pointstowin"), "Marks needed to win: 4");
    }
}

TEST(WindowKeys, TheLobbyOfferOpensOnItsDefaultAndAnswersEnterAndEsc) {
    GameCopy you({"--port", "0"});
    auto& offer = you.game.download();
    auto* solo = offer.findChild<QPushButton*>("button_solo");
    auto* get = offer.findChild<QPushButton*>("getbutton");
    auto* dontShow = offer.findChild<QCheckBox*>("check_dontshow");
    for (int round = 0; round < 4; ++round) {
        offer.show();
        activate(&offer);
        // The focus starts on Play Solo Game: Space there starts no download.
        ASSERT_EQ(focused(), solo) << round;
        EXPECT_TRUE(solo->isDefault());
        if (round == 0) {
            press(Qt::Key_Return);
        } else if (round == 1) {
            press(Qt::Key_Escape);
        } else if (round == 2) {
            press(Qt::Key_Space);
        } else {
            // On the check box, Enter is the default's too, and leaves the box.
            dontShow->setFocus();
            ASSERT_TRUE(waitUntil([&] { return focused() == dontShow; }));
            press(Qt::Key_Return);
            EXPECT_FALSE(dontShow->isChecked());
        }
        EXPECT_TRUE(waitUntil([&] { return !offer.isVisible(); })) << round;
        EXPECT_TRUE(get->isEnabled()) << "a download started";
    }
}

TEST(WindowKeys, EverySideWindowClosesWithEscAndPressesItsButtonsWithEnter) {
    GameCopy you({"--port", "0"});
    ASSERT_TRUE(waitUntil([&] { return you.session().loggedin(); }));
    struct Side {
        QWidget* window;
        const char* defaultButton;
    };
    const std::vector<Side> sides{{&you.game.help(), "button_done"},    {&you.game.about(), "button_done"},
                                  {&you.game.solo(), "button_done"},    {&you.game.spyList(), "button_done"},
                                  {&you.game.tally(), "button_done"},   {&you.game.phraseEditor(), "SelButton8"}};
    for (const Side& side : sides) {
        const std::string name = side.window->objectName().toStdString();
        auto* done = side.window->findChild<QPushButton*>(side.defaultButton);
        ASSERT_NE(done, nullptr) << name;
        EXPECT_TRUE(done->isDefault()) << name;
        // Esc, wherever the focus is in the window.
        side.window->show();
        activate(side.window);
        press(Qt::Key_Escape);
        EXPECT_TRUE(waitUntil([&] { return !side.window->isVisible(); })) << name;
        // Enter with no button focused: the default.
        side.window->show();
        activate(side.window);
        done->clearFocus();
        if (QWidget* f = focused(); qobject_cast<QPushButton*>(f)) f->clearFocus();
        press(Qt::Key_Return);
        EXPECT_TRUE(waitUntil([&] { return !side.window->isVisible(); })) << name;
    }

    // Enter on a focused button presses that one: Help's About.
    auto& help = you.game.help();
    help.show();
    activate(&help);
    auto* about = help.findChild<QPushButton*>("button_about");
    about->setFocus();
    ASSERT_TRUE(waitUntil([&] { return focused() == about; }));
    press(Qt::Key_Return);
    EXPECT_TRUE(waitUntil([&] { return you.game.about().isVisible(); }));
    EXPECT_TRUE(help.isVisible());
    you.game.about().hide();
    help.hide();

    // The phrase editor: Enter in a line keeps what was typed, Esc drops it.
    auto& phrases = you.game.phraseEditor();
    QStringList saved;
    QObject::connect(&phrases, &tc::windows::PhraseEditor::done, [&](const QStringList& t) { saved = t; });
    phrases.open(QStringList(), &you.window());
    activate(&phrases);
    phrases.edit(2)->setFocus();
    ASSERT_TRUE(waitUntil([&] { return focused() == phrases.edit(2); }));
    QTest::keyClicks(phrases.edit(2), "well played");
    press(Qt::Key_Escape);
    EXPECT_FALSE(phrases.isVisible());
    EXPECT_TRUE(saved.isEmpty());
    phrases.open(QStringList(), &you.window());
    activate(&phrases);
    phrases.edit(2)->setFocus();
    ASSERT_TRUE(waitUntil([&] { return focused() == phrases.edit(2); }));
    QTest::keyClicks(phrases.edit(2), "nice roll");
    press(Qt::Key_Return);
    EXPECT_FALSE(phrases.isVisible());
    ASSERT_GE(saved.size(), 2);
    EXPECT_EQ(saved[1], "nice roll");
}

// The ring around a seat passes between the seat's heading, score and
// Marks without covering their letters, and still shows around the name.
TEST(WindowKeys, TheSeatsRingLeavesTheHeadingAndTheScoreToRead) {
    GameCopy you({"--port", "0"});
    ASSERT_TRUE(waitUntil([&] { return you.session().loggedin() && you.seat(1) == "You"; }));
    activate(&you.window());
    QWidget* client = you.window().centralWidget();
    auto* heading = you.window().findChild<QLabel*>("label_roundscore");
    auto* score = you.window().findChild<QLabel*>("label_score1");
    auto* name = you.window().findChild<QLabel*>("label_playername1");
    ASSERT_TRUE(heading && score && name);
    auto shot = [&] {
        QTest::qWait(50);
        return client->grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    auto rectOf = [&](QWidget* w) { return QRect(w->mapTo(client, QPoint(0, 0)), w->size()); };
    const QImage before = shot();
    ASSERT_TRUE(tabTo(you.board().seatStop(1)));
    const QImage after = shot();
    const qreal dpr = after.devicePixelRatio();
    auto same = [&](const QRect& r) {
        const QRect px((QRectF(r).topLeft() * dpr).toPoint(), (QSizeF(r.size()) * dpr).toSize());
        for (int y = px.top(); y <= px.bottom(); ++y)
            for (int x = px.left(); x <= px.right(); ++x)
                if (before.pixel(x, y) != after.pixel(x, y)) return false;
        return true;
    };
    // The letters as they are drawn.
    auto letters = [&](QLabel* l) {
        const QRect box = rectOf(l);
        return l->fontMetrics()
            .boundingRect(l->contentsRect().translated(box.topLeft()), int(l->alignment()) | Qt::TextSingleLine, l->text())
            .intersected(box);
    };
    EXPECT_TRUE(same(letters(heading)));
    EXPECT_TRUE(same(letters(score)));
    // The ring is there: left of the name, the picture changed.
    const QRect name1 = rectOf(name);
    EXPECT_FALSE(same(QRect(name1.left() - 4, name1.top() + 4, 4, name1.height() - 8)));
}

// The addresses About and Solo open with a click open with the keyboard
// too: Tab reaches them, Enter or Space opens.
TEST(WindowKeys, TheLinksOfAboutAndSoloOpenFromTheKeyboard) {
    GameCopy you({"--port", "0"});
    ASSERT_TRUE(waitUntil([&] { return you.session().loggedin(); }));
    auto& about = you.game.about();
    about.show();
    activate(&about);
    auto* web = about.findChild<QLabel*>("label_web");
    auto* licence = about.findChild<QLabel*>("label_licence");
    ASSERT_TRUE(tabTo(web));
    press(Qt::Key_Return);
    ASSERT_TRUE(tabTo(licence));
    press(Qt::Key_Space);
    ASSERT_EQ(you.desktop.opened.size(), 2);
    EXPECT_TRUE(you.desktop.opened[0].toString().endsWith("README.md")) << you.desktop.opened[0].toString().toStdString();
    EXPECT_TRUE(you.desktop.opened[1].toString().endsWith("LICENSE"));
    EXPECT_TRUE(about.isVisible());  // Enter on a link opens it, not the default
    about.hide();
    auto& solo = you.game.solo();
    solo.show();
    activate(&solo);
    ASSERT_TRUE(tabTo(solo.findChild<QLabel*>("label_here")));
    press(Qt::Key_Enter);
    EXPECT_EQ(you.desktop.opened.size(), 3);
    solo.hide();
}
