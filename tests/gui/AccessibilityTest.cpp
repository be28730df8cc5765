// What a screen reader gets from the table, read through Qt's
// accessibility interfaces: names and states of the tiles, dice, seats,
// buttons and status line, and the changes it is told of.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTextBrowser>

#include "GameCopy.h"
#include "chat/ChatInput.h"
#include "chat/ChatPane.h"
#include "client/BoardPictureButton.h"
#include "client/DicePanel.h"
#include "client/GameStartWindow.h"
#include "windows/AboutWindow.h"
#include "windows/DownloadWindow.h"
#include "windows/HelpWindow.h"
#include "windows/PhraseEditor.h"
#include "windows/SpyListWindow.h"
#include "windows/TallyListWindow.h"

using tc::guitest::GameCopy;
using tc::guitest::waitUntil;

namespace {

struct Told {
    QAccessible::Event type;
    QString object;  // objectName
    QString text;    // the name after a name change, the text of an insert
};

// The bridge to the screen reader's bus is on (a11y-run.sh); it connects
// a moment after the start.
bool bridgeOn() { return waitUntil([] { return QAccessible::isActive(); }, 10000); }

// Records every change the program tells assistive technology, for the
// life of the recorder.
class ToldRecorder {
public:
    ToldRecorder() {
        current_ = this;
        previous_ = QAccessible::installUpdateHandler(&ToldRecorder::record);
    }
    ~ToldRecorder() {
        QAccessible::installUpdateHandler(previous_);
        current_ = nullptr;
    }
    // The names `object` was given, in order.
    QStringList names(const QString& object) const {
        QStringList out;
        for (const Told& t : told)
            if (t.type == QAccessible::NameChanged && t.object == object) out << t.text;
        return out;
    }
    QStringList inserted(const QString& object) const {
        QStringList out;
        for (const Told& t : told)
            if (t.type == QAccessible::TextInserted && t.object == object) out << t.text;
        return out;
    }
    std::vector<Told> told;

private:
    static void record(QAccessibleEvent* event) {
        if (!current_ || !event->object()) return;
        Told t{event->type(), event->object()->objectName(), {}};
        if (event->type() == QAccessible::NameChanged) {
            if (QAccessibleInterface* i = QAccessible::queryAccessibleInterface(event->object()))
                t.text = i->text(QAccessible::Name);
        } else if (event->type() == QAccessible::TextInserted) {
            t.text = static_cast<QAccessibleTextInsertEvent*>(event)->textInserted();
        }
        current_->told.push_back(t);
    }
    static inline ToldRecorder* current_ = nullptr;
    QAccessible::UpdateHandler previous_ = nullptr;
};

QAccessibleInterface* readerOf(QObject* o) {
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(o);
    EXPECT_NE(i, nullptr) << o->objectName().toStdString();
    return i;
}
QString nameOf(QObject* o) { return readerOf(o)->text(QAccessible::Name); }

void startSoloGame(GameCopy& you) {
    ASSERT_TRUE(waitUntil([&] { return you.session().loggedin() && you.seat(1) == "You"; }));
    auto* startButton = you.board().dicePanel()->startButton();
    ASSERT_TRUE(waitUntil([&] { return startButton->isVisible(); }));
    QTest::mouseClick(startButton, Qt::LeftButton);
    auto& start = you.game.gameStart();
    start.findChild<QSpinBox*>("edit_playtoscore")->setValue(3);
    QTest::mouseClick(start.findChild<QPushButton*>("button_start"), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return you.seat(2) == "Rudi"; }));
}

} // namespace

TEST(Accessibility, TheTableReadsOutBeforeAndAfterAMove) {
    ASSERT_TRUE(bridgeOn()) << "run through a11y-run.sh";
    ToldRecorder recorder;
    GameCopy you({"--port", "0", "--pause-ms", "5"});
    auto* dicePanel = you.board().dicePanel();
    // Before any game.
    EXPECT_EQ(nameOf(you.board().tile(7)), "Tile 7, open");
    EXPECT_EQ(nameOf(dicePanel), "Dice: not rolled yet");
    EXPECT_EQ(nameOf(dicePanel->status()), "Welcome to Tilecrest");
    EXPECT_EQ(nameOf(dicePanel->rollButton()), "Roll Dice");
    EXPECT_EQ(readerOf(dicePanel->rollButton())->role(), QAccessible::Button);
    EXPECT_EQ(nameOf(dicePanel->startButton()), "Start Game");
    EXPECT_EQ(nameOf(you.window().findChild<QWidget*>("button_smilies")), "Smilies");
    EXPECT_EQ(nameOf(you.window().findChild<QWidget*>("b_phrase10")), "Chatter Sounds");
    EXPECT_EQ(nameOf(you.window().findChild<QWidget*>("mychat")), "Chat input");
    EXPECT_EQ(nameOf(you.window().findChild<QWidget*>("b_phrase1")),
              you.window().findChild<QWidget*>("b_phrase1")->toolTip());
    ASSERT_NO_FATAL_FAILURE(startSoloGame(you));
    EXPECT_EQ(nameOf(you.board().seatStop(2)), "Seat 2, Rudi, round score 0, no Marks");
    EXPECT_EQ(nameOf(you.board().seatStop(5)), "Seat 5, free");

    // Our first roll that can be made.
    int handled = 0;
    int pickTile = 0;
    while (pickTile == 0) {
        ASSERT_TRUE(waitUntil([&] { return you.sounds.count("dice") > handled; }, 60000));
        handled = you.sounds.count("dice");
        const auto& dice = you.session().table().dice;
        const int total = dice[0].face + dice[1].face;
        for (int t = 9; t >= 1 && pickTile == 0; --t)
            if (you.tileState(t) == "u" && t <= total && (t == total || you.tileState(total - t) == "u") &&
                total - t != t)
                pickTile = t;
    }
    const auto& dice = you.session().table().dice;
    const QString roll = QStringLiteral("Dice: %1 and %2").arg(dice[0].face).arg(dice[1].face);
    EXPECT_EQ(nameOf(dicePanel), roll);
    tc::client::TileControl* tile = you.board().tile(pickTile);
    EXPECT_EQ(nameOf(tile), QStringLiteral("Tile %1, open").arg(pickTile));
    EXPECT_EQ(readerOf(tile)->text(QAccessible::Description), roll);
    EXPECT_EQ(readerOf(tile)->role(), QAccessible::Button);
    EXPECT_TRUE(readerOf(tile)->state().checkable);
    EXPECT_FALSE(readerOf(tile)->state().checked);
    EXPECT_EQ(nameOf(dicePanel->status()), "YOUR TURN.");
    EXPECT_EQ(nameOf(you.board().seatStop(1)), "Seat 1, You, round score 0, no Marks, on turn");

    // The reader's own press action does what a click does.
    QAccessibleActionInterface* act = readerOf(tile)->actionInterface();
    ASSERT_NE(act, nullptr);
    ASSERT_TRUE(act->actionNames().contains(QAccessibleActionInterface::pressAction()));
    act->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(you.tileState(pickTile), "d");
    EXPECT_EQ(nameOf(tile), QStringLiteral("Tile %1, down").arg(pickTile));
    EXPECT_TRUE(readerOf(tile)->state().checked);
    EXPECT_TRUE(recorder.names(tile->objectName()).contains(QStringLiteral("Tile %1, down").arg(pickTile)));
    const bool stateTold = std::any_of(recorder.told.begin(), recorder.told.end(), [&](const Told& t) {
        return t.type == QAccessible::StateChanged && t.object == tile->objectName();
    });
    EXPECT_TRUE(stateTold);

    // The rest of the move, and the table after it.
    const int total = dice[0].face + dice[1].face;
    if (total != pickTile) QTest::mouseClick(you.board().tile(total - pickTile), Qt::LeftButton);
    if (dicePanel->rollButton()->isVisible()) QTest::mouseClick(dicePanel->rollButton(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return you.tileState(pickTile) == "o"; }));
    EXPECT_EQ(nameOf(tile), QStringLiteral("Tile %1, shut").arg(pickTile));
    EXPECT_FALSE(readerOf(tile)->state().checked);
}

TEST(Accessibility, TheTurnPassingToThePlayerAndEachChatLineAreTold) {
    ASSERT_TRUE(bridgeOn()) << "run through a11y-run.sh";
    ToldRecorder recorder;
    GameCopy you({"--port", "0", "--pause-ms", "5"});
    ASSERT_NO_FATAL_FAILURE(startSoloGame(you));
    // The status line tells each change; our turn among them.
    ASSERT_TRUE(waitUntil([&] { return recorder.names("label_status").contains("YOUR TURN."); }, 60000))
        << recorder.names("label_status").join(" | ").toStdString();
    // And the dice, each time they are rolled.
    ASSERT_TRUE(waitUntil([&] { return you.sounds.count("dice") > 0; }, 60000));
    const auto& dice = you.session().table().dice;
    EXPECT_TRUE(recorder.names("panel_dicepanel").contains(QStringLiteral("Dice: %1 and %2").arg(dice[0].face).arg(dice[1].face)));

    // Each new chat line is told, as the pane shows it.
    auto* input = you.window().findChild<tc::chat::ChatInput*>("mychat");
    input->setText("good luck");
    QTest::keyClick(input, Qt::Key_Return);
    ASSERT_TRUE(waitUntil([&] { return recorder.inserted("mainchat").contains("You chat: good luck"); }))
        << recorder.inserted("mainchat").join(" | ").toStdString();
    EXPECT_TRUE(recorder.inserted("mainchat").contains("You have started a game."));
    // Once each, whole: no piece of a line is told again.
    QTest::qWait(100);
    const QStringList told = recorder.inserted("mainchat");
    EXPECT_EQ(told.filter("good luck").size(), 1) << told.join(" | ").toStdString();
    EXPECT_EQ(told.filter("started a game").size(), 1) << told.join(" | ").toStdString();
    for (const QString& line : told) EXPECT_EQ(line, line.simplified()) << line.toStdString();
    // What a reader reads back from the pane is what the player sees.
    auto* pane = you.window().findChild<tc::chat::ChatPane*>("mainchat");
    QAccessibleTextInterface* text = readerOf(pane)->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->characterCount(), pane->document()->characterCount() - 1);
    EXPECT_TRUE(text->text(0, text->characterCount()).contains("You chat: good luck"));
    EXPECT_EQ(text->text(0, text->characterCount()).count('\n'), pane->document()->blockCount() - 1);
}

TEST(Accessibility, EveryWindowHasARoleAndANameAndNothingUnnamedToStopAt) {
    ASSERT_TRUE(bridgeOn()) << "run through a11y-run.sh";
    GameCopy you({"--port", "0", "--pause-ms", "5"});
    ASSERT_TRUE(waitUntil([&] { return you.session().loggedin() && you.seat(1) == "You"; }));
    // The chat pane and the help pages: read-only text, named.
    auto* pane = you.window().findChild<tc::chat::ChatPane*>("mainchat");
    EXPECT_EQ(readerOf(pane)->role(), QAccessible::EditableText);
    EXPECT_TRUE(readerOf(pane)->state().readOnly);
    EXPECT_FALSE(readerOf(pane)->state().editable);
    EXPECT_EQ(nameOf(pane), "Chat");
    auto& help = you.game.help();
    const QStringList pages{"Connecting", "Game Play", "Scoring", "Documentation", "License",
                            "The Lobby", "Spectators", "Menus", "Keyboard"};
    QStringList named;
    for (QTextBrowser* memo : help.findChildren<QTextBrowser*>()) {
        EXPECT_EQ(readerOf(memo)->role(), QAccessible::EditableText) << memo->objectName().toStdString();
        EXPECT_TRUE(readerOf(memo)->state().readOnly);
        ASSERT_NE(readerOf(memo)->textInterface(), nullptr);
        EXPECT_EQ(readerOf(memo)->textInterface()->characterCount(), memo->document()->characterCount() - 1);
        named << nameOf(memo);
    }
    named.sort();
    QStringList sorted = pages;
    sorted.sort();
    EXPECT_EQ(named, sorted);

    // Each window by its kind and its title.
    struct Kind {
        QWidget* window;
        QAccessible::Role role;
        const char* name;
    };
    for (const Kind& k : {Kind{&you.game.gameStart(), QAccessible::Dialog, "Tilecrest - Game Start"},
                          Kind{&you.game.download(), QAccessible::Dialog, "Download The Velmora Lobby"},
                          Kind{&help, QAccessible::Window, "Tilecrest - Help File"},
                          Kind{&you.game.about(), QAccessible::Dialog, nullptr},
                          Kind{&you.game.spyList(), QAccessible::Window, "Tilecrest - Spys"},
                          Kind{&you.game.tally(), QAccessible::Window, nullptr},
                          Kind{&you.game.phraseEditor(), QAccessible::Dialog, "Tilecrest - Phrase Buttons"}}) {
        const std::string which = k.window->objectName().toStdString();
        EXPECT_EQ(readerOf(k.window)->role(), k.role) << which;
        if (k.name) {
            EXPECT_EQ(nameOf(k.window), k.name) << which;
        } else {
            EXPECT_FALSE(nameOf(k.window).isEmpty()) << which;
        }
    }

    // The rack's picture behind the tiles is not among the table's things;
    // the dice are named before they are rolled.
    QWidget* rack = you.window().findChild<QWidget*>("image_tilerow");
    QAccessibleInterface* table = readerOf(rack->parentWidget());
    for (int i = 0; i < table->childCount(); ++i) EXPECT_NE(table->child(i)->object(), rack) << i;
    EXPECT_EQ(table->indexOfChild(readerOf(rack)), -1);
    EXPECT_GE(table->indexOfChild(readerOf(you.board().tile(1))), 0);
    EXPECT_EQ(nameOf(you.window().findChild<QWidget*>("dice1")), "Die 1: not rolled yet");
    EXPECT_EQ(nameOf(you.window().findChild<QWidget*>("dice2")), "Die 2: not rolled yet");
}

TEST(Accessibility, AScreenReaderReadsTheRunningWindowOverAtSpi) {
    ASSERT_TRUE(bridgeOn()) << "run through a11y-run.sh";
    // The system's Python is the one with the distribution's pyatspi.
    const QString python = QFile::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                                            : QStringLiteral("python3");
    QProcess probe;
    probe.start(python, {QStringLiteral("-c"), QStringLiteral("import pyatspi")});
    if (!probe.waitForFinished(20000) || probe.exitCode() != 0)
        GTEST_SKIP() << "python3-pyatspi is not installed (tools/setup.sh installs it)";

    GameCopy you({"--port", "0", "--pause-ms", "5"});
    ASSERT_TRUE(waitUntil([&] { return you.session().loggedin() && you.seat(1) == "You"; }));
    you.game.help().show();
    you.game.gameStart().show();
    you.game.download().show();
    you.window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&you.window()));
    // The reader asks this process over the bus: the event loop must run
    // to answer it while it reads.
    QProcess reader;
    reader.start(python,
                 {QStringLiteral(TILECREST_ATSPI_READER), QString::number(QCoreApplication::applicationPid())});
    ASSERT_TRUE(waitUntil([&] { return reader.state() == QProcess::NotRunning; }, 60000));
    const QString read = QString::fromUtf8(reader.readAllStandardOutput());
    ASSERT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
    auto has = [&](const QString& name) { return read.contains(QLatin1Char('\t') + name + QLatin1Char('\t')); };
    for (int t = 1; t <= 9; ++t) EXPECT_TRUE(has(QStringLiteral("Tile %1, open").arg(t))) << t;
    EXPECT_TRUE(has("Dice: not rolled yet"));
    EXPECT_TRUE(has("Seat 1, You, round score 0, no Marks"));
    EXPECT_TRUE(has("Seat 3, free"));
    EXPECT_TRUE(has("Welcome to Tilecrest"));
    EXPECT_TRUE(has("Start Game"));
    EXPECT_TRUE(has("Smilies"));
    EXPECT_TRUE(has("Chat input"));
    EXPECT_TRUE(has("Play"));
    EXPECT_TRUE(has("Die 1: not rolled yet"));
    auto line = [&](const QString& role, const QString& name) {
        for (const QString& l : read.split('\n'))
            if (l.startsWith(role + '\t' + name + '\t')) return l;
        return QString();
    };
    // The chat pane is text to read, not a label; the side windows are
    // dialogs and frames, named.
    EXPECT_FALSE(line("text", "Chat").isEmpty());
    EXPECT_FALSE(line("text", "Chat").contains("editable"));
    EXPECT_TRUE(line("label", "Chat").isEmpty());
    EXPECT_FALSE(line("dialog", "Download The Velmora Lobby").isEmpty());
    EXPECT_FALSE(line("spin button", "Play to").isEmpty());
    EXPECT_FALSE(line("dialog", "Tilecrest - Game Start").isEmpty());
    EXPECT_FALSE(line("frame", "Tilecrest - Help File").isEmpty());
    EXPECT_FALSE(line("text", "Game Play").isEmpty());
    // Nothing that shows is a picture without a name or a stop without one.
    for (const QString& l : read.split('\n')) {
        const QStringList f = l.split('\t');
        if (f.size() < 3 || !f[1].isEmpty() || !f[2].contains("showing")) continue;
        EXPECT_NE(f[0], "image") << l.toStdString();
        EXPECT_FALSE(f[2].contains("focusable")) << l.toStdString();
    }
    if (HasFailure()) ADD_FAILURE() << read.toStdString();
}
