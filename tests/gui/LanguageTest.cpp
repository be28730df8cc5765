// The language the game speaks: the desktop's, or the one chosen under
// Options > Language, kept in the settings file and taken at the next start.
// The runs under a German or French desktop are their own ctest entries
// (tests/gui/CMakeLists.txt), which say in TILECREST_TEST_LANGUAGE what the
// program must come to.
#include <QAction>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QStandardPaths>

#include "GameCopy.h"
#include "Translations.h"
#include "client/BoardPictureButton.h"
#include "client/DicePanel.h"
#include "client/GameStartWindow.h"
#include "client/MenuKeys.h"
#include "store/StoreLocation.h"
#include "store/TallyFile.h"

using tc::guitest::GameCopy;
using tc::client::MenuKeys;
using tc::guitest::waitUntil;

namespace {

QString settingsPath() {
    return tc::store::storeFilePath(QStringLiteral("velmoralobby.ini"), QStandardPaths::AppConfigLocation);
}

QByteArray settingsBytes() {
    QFile f(settingsPath());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString expected() { return qEnvironmentVariable("TILECREST_TEST_LANGUAGE"); }

} // namespace

TEST(Language, TheChoiceIsKeptAndTakenAtTheNextStart) {
    if (!expected().isEmpty()) GTEST_SKIP() << "runs with the desktop in English";
    QFile::remove(settingsPath());
    {
        GameCopy solo({"--port", "0"});
        ASSERT_TRUE(waitUntil([&] { return solo.session().loggedin(); }));
        EXPECT_EQ(tc::i18n::current(), "en");
        auto* menu = solo.window().findChild<QMenu*>("Language1");
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(MenuKeys::plain(menu->title()), "Language");
        EXPECT_TRUE(solo.window().findChild<QAction*>("Language_desktop")->isChecked());
        QAction* german = solo.window().findChild<QAction*>("Language_de");
        EXPECT_EQ(MenuKeys::plain(german->text()), "Deutsch");
        EXPECT_NE(german->text(), "Deutsch");  // with a letter of its own
        german->trigger();
        EXPECT_TRUE(german->isChecked());
        EXPECT_TRUE(settingsBytes().contains("Language=de")) << settingsBytes().toStdString();
        EXPECT_TRUE(solo.chatHas("Language: Deutsch, from the next start of Tilecrest."));
        // This run still speaks English.
        EXPECT_EQ(MenuKeys::plain(menu->title()), "Language");
    }
    {
        GameCopy solo({"--port", "0"});
        ASSERT_TRUE(waitUntil([&] { return solo.session().loggedin(); }));
        EXPECT_EQ(tc::i18n::current(), "de");
        EXPECT_EQ(MenuKeys::plain(solo.window().findChild<QMenu*>("Language1")->title()), "Sprache");
        EXPECT_TRUE(solo.window().findChild<QAction*>("Language_de")->isChecked());
        // Qt's own texts come in the same language.
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Abbrechen");
        // Back to the desktop's language, again for the next start.
        solo.window().findChild<QAction*>("Language_desktop")->trigger();
        EXPECT_TRUE(solo.chatHas("Sprache: English, ab dem n\u00e4chsten Start von Tilecrest."));
    }
    GameCopy solo({"--port", "0"});
    EXPECT_EQ(tc::i18n::current(), "en");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
    QFile::remove(settingsPath());
}

TEST(Language, TheDesktopsLanguageIsSpoken) {
    if (expected().isEmpty()) GTEST_SKIP() << "runs under ctest's gui_language_* entries";
    QFile::remove(settingsPath());
    GameCopy solo({"--port", "0"});
    EXPECT_EQ(tc::i18n::current(), expected());
    const QString title = MenuKeys::plain(solo.window().findChild<QMenu*>("Language1")->title());
    const QString want = expected() == "de" ? "Sprache" : expected() == "fr" ? "Langue" : "Language";
    EXPECT_EQ(title, want);
    // The cores' own texts too, such as why a damaged tally was set aside.
    tc::store::TallyTable table;
    std::string problem;
    EXPECT_FALSE(tc::store::TallyFile::decode("XXXX", "t.tld", table, problem));
    const char* says = expected() == "de"   ? "t.tld: Lzrw1-Entpacken: Diese Datei hat keinen g\u00fcltigen Kopf!"
                       : expected() == "fr" ? "t.tld : Lzrw1 d\u00e9compression : ce fichier n'a pas d'en-t\u00eate valide !"
                                            : "t.tld : Lzrw1 decompression : this file has no valid header !";
    EXPECT_EQ(problem, says);
}

TEST(Language, StartingAGameReadsApartFromRollingTheDice) {
    if (expected().isEmpty()) GTEST_SKIP() << "runs under ctest's gui_language_* entries";
    GameCopy solo({"--port", "0"});
    ASSERT_TRUE(waitUntil([&] { return solo.session().loggedin(); }));
    auto firstWord = [](const QString& caption) { return MenuKeys::plain(caption).section(u' ', 0, 0).toLower(); };
    tc::client::DicePanel* dice = solo.board().dicePanel();
    // The pictures of the dice panel's buttons carry their own words.
    const QStringList rolls{solo.window().findChild<QAction*>("RollDice1")->text(), dice->rollButton()->accessibleName(),
                            QCoreApplication::translate("BoardPictures", "Roll Dice")};
    const QStringList starts{solo.window().findChild<QAction*>("StartGame1")->text(),
                             dice->startButton()->accessibleName(),
                             solo.game.gameStart().findChild<QPushButton*>("button_start")->text(),
                             QCoreApplication::translate("BoardPictures", "Start Game")};
    for (const QString& start : starts)
        for (const QString& roll : rolls)
            EXPECT_NE(firstWord(start), firstWord(roll)) << start.toStdString() << " / " << roll.toStdString();
    // The menu and the panel's button name the start alike.
    EXPECT_EQ(MenuKeys::plain(starts[0]), starts[1]);
}
