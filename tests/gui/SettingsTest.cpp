// The settings file as a player meets it: read at the own entry, written by
// the menus, the phrase editor and the closing window; the phrase strip, the
// chatter-sound menu and the sound options on the wire.
#include <QActionGroup>
#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>

#include "GameCopy.h"
#include "chat/ChatInput.h"
#include "windows/PhraseEditor.h"
#include "client/GameStartWindow.h"
#include "client/MenuKeys.h"
#include "client/TableScaler.h"
#include "client/WindowPlacement.h"
#include "store/StoreLocation.h"

using tc::guitest::GameCopy;
using tc::guitest::waitUntil;

namespace {

QString settingsPath() {
    return tc::store::storeFilePath(QStringLiteral("velmoralobby.ini"), QStandardPaths::AppConfigLocation);
}

// Every test starts from its own file (or none).
void prepareSettings(const QByteArray& bytes) {
    QFile::remove(settingsPath());
    if (bytes.isEmpty()) return;
    QFile f(settingsPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray settingsBytes() {
    QFile f(settingsPath());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A server that the copy joins, speaking for the test: every line the copy
// sends is kept with its terminator, as it came off the wire.
class FakeServer {
public:
    FakeServer() { EXPECT_TRUE(server_.listen(QHostAddress::LocalHost, 0)); }
    QStringList args(const QString& name) {
        return {name, "127.0.0.1", "false", "--port", QString::number(server_.serverPort())};
    }
    bool accept() {
        if (!waitUntil([&] { return server_.hasPendingConnections(); })) return false;
        conn_ = server_.nextPendingConnection();
        QObject::connect(conn_, &QTcpSocket::readyRead, [this] { received_ += conn_->readAll(); });
        return true;
    }
    void send(const QByteArray& line) { conn_->write(line + '\xFF'); }
    // Waits for the next whole line and takes it.
    QByteArray next() {
        if (!waitUntil([&] { return received_.contains('\xFF'); }, 5000)) return {};
        const qsizetype end = received_.indexOf('\xFF') + 1;
        const QByteArray line = received_.left(end);
        received_.remove(0, end);
        return line;
    }
    bool quiet(int ms = 150) {
        QTest::qWait(ms);
        return received_.isEmpty();
    }

private:
    QTcpServer server_;
    QTcpSocket* conn_ = nullptr;
    QByteArray received_;
};

// Seated at `slot` as Ann; the own entry has loaded the settings.
void seat(FakeServer& server, GameCopy& ann, int slot) {
    ASSERT_TRUE(server.accept());
    server.send("CMD_sendlogininfo+" + QByteArray::number(slot));
    // The name field ends in its own 0xFF, before the line's.
    ASSERT_EQ(server.next(), "CMD_logininfo+" + QByteArray::number(slot) + "+1.0.3+Ann\xFF");
    ASSERT_EQ(server.next(), "\xFF");
    server.send("CMD_newplayerinfo+" + QByteArray::number(slot) + "+Ann+0");
    ASSERT_TRUE(waitUntil([&] { return ann.chatHas("You are Connected."); }));
}

QAction* action(GameCopy& copy, const char* name) { return copy.window().findChild<QAction*>(name); }
QToolButton* phraseButton(GameCopy& copy, int n) {
    return copy.window().findChild<QToolButton*>(QStringLiteral("b_phrase%1").arg(n));
}
QAction* checkedSize(GameCopy& copy) {
    return action(copy, "N8")->actionGroup()->checkedAction();
}

} // namespace

TEST(Settings, APreparedFileIsAppliedAtTheOwnEntryAndGoesOnTheWire) {
    prepareSettings("[Lobby]\r\nNick=Ann\r\n[tilecrest]\r\nTop=40\r\nLeft=30\r\nWidth=760\r\nHeight=580\r\n"
                    "Textsize=12\r\nTextcolor=$000000FF\r\nPhrase3=Nice one, Ann!\r\nPlaytoscore=7\r\n"
                    "Playsounds=false\r\nChatterSounds=true\r\n");
    FakeServer server;
    GameCopy ann(server.args("Ann"));
    auto& w = ann.window();
    auto* pane = w.findChild<tc::chat::ChatPane*>("mainchat");
    // The built-in states until the own entry arrives.
    EXPECT_TRUE(action(ann, "PlaySounds1")->isChecked());
    EXPECT_FALSE(action(ann, "PlayChatterSounds1")->isChecked());
    EXPECT_EQ(checkedSize(ann), nullptr);
    EXPECT_EQ(pane->textSize(), 10);
    EXPECT_EQ(phraseButton(ann, 3)->toolTip(), "Nice Try!");

    seat(server, ann, 3);
    // The stored place is the window's frame.
    EXPECT_EQ(w.frameGeometry(), QRect(30, 40, 760, 580));
    EXPECT_EQ(pane->textSize(), 12);
    // The lines already there ("You are Connected.") take the size at once,
    // at the scale of the table (the window is a little larger than 1x).
    QTextCursor first(pane->document());
    first.setPosition(3);
    const double scale = tc::client::TableScaler::of(w.centralWidget())->scale();
    EXPECT_GT(scale, 1.0);
    EXPECT_DOUBLE_EQ(first.charFormat().fontPointSize(), 12 * scale);
    EXPECT_EQ(checkedSize(ann), action(ann, "N12"));
    EXPECT_EQ(ann.game.gameStart().playToScore(), 7);
    EXPECT_FALSE(action(ann, "PlaySounds1")->isChecked());
    EXPECT_TRUE(action(ann, "PlayChatterSounds1")->isChecked());
    EXPECT_EQ(phraseButton(ann, 3)->toolTip(), "Nice one, Ann!");
    EXPECT_EQ(phraseButton(ann, 1)->toolTip(), "Way To Go!");
    // Play Sounds was off before "entered" was due.
    EXPECT_EQ(ann.sounds.names, QStringList());

    // Red travels with a typed line and with a phrase.
    auto* input = w.findChild<QLineEdit*>("mychat");
    input->setFocus();
    QTest::keyClicks(input, "hello");
    QTest::keyClick(input, Qt::Key_Return);
    EXPECT_EQ(server.next(), "CMD_chat+3+hello|clRed\xFF");
    QTest::mouseClick(phraseButton(ann, 3), Qt::LeftButton);
    QTest::mouseClick(phraseButton(ann, 1), Qt::LeftButton);  // locked
    EXPECT_EQ(server.next(), "CMD_action+3+ says: Nice one, Ann!|clRed\xFF");
    EXPECT_FALSE(phraseButton(ann, 1)->isEnabled());  // resting, greyed
    EXPECT_TRUE(server.quiet(20));
    // The buttons light up no sooner than the session takes a phrase again.
    ASSERT_TRUE(waitUntil([&] { return phraseButton(ann, 1)->isEnabled(); }));
    EXPECT_TRUE(ann.session().phraseready());
    QTest::mouseClick(phraseButton(ann, 1), Qt::LeftButton);
    EXPECT_EQ(server.next(), "CMD_action+3+ says: Way To Go!|clRed\xFF");

    // Game sounds only with Play Sounds checked.
    server.send("CMD_slide+down+3+");
    ASSERT_TRUE(waitUntil([&] { return ann.tileState(3) == "d"; }));
    EXPECT_EQ(ann.sounds.names, QStringList());
    action(ann, "PlaySounds1")->trigger();
    server.send("CMD_slide+up+3+");
    ASSERT_TRUE(waitUntil([&] { return ann.sounds.names == QStringList{"slide"}; }));

    // Chatter sounds heard, then read.
    server.send("CMD_playasound+3+wave3+");
    ASSERT_TRUE(waitUntil([&] { return ann.sounds.count("wave3") == 1; }));
    action(ann, "PlayChatterSounds1")->trigger();
    server.send("CMD_playasound+3+wave3+");
    ASSERT_TRUE(waitUntil([&] { return ann.chatHas("Ann: <Chatter Sound> Hello"); }));
    EXPECT_EQ(ann.sounds.count("wave3"), 1);
    EXPECT_TRUE(settingsBytes().contains("Playsounds=true\r\nChatterSounds=false\r\n"));

    // The chatter-sound menu opens at the tenth button's bottom-right
    // corner when the mouse is released on it.
    QToolButton* sounds = phraseButton(ann, 10);
    QTest::mouseRelease(sounds, Qt::RightButton, {}, QPoint(5, 5));
    auto* menu = w.findChild<QMenu*>("popup_sounds");
    ASSERT_TRUE(waitUntil([&] { return menu->isVisible(); }));
    // Qt lifts a menu that would run off the screen's bottom.
    const QPoint corner = sounds->mapToGlobal(QPoint(sounds->width(), sounds->height()));
    EXPECT_EQ(menu->pos().x(), corner.x());
    EXPECT_LE(menu->pos().y(), corner.y());
    ASSERT_EQ(menu->actions().size(), 21);
    EXPECT_EQ(tc::client::MenuKeys::plain(menu->actions()[0]->text()), "<Cancel>");
    EXPECT_EQ(tc::client::MenuKeys::plain(menu->actions()[5]->text()), "Where have you been?");
    EXPECT_EQ(menu->actions()[5]->toolTip(), "Where have you been?");
    EXPECT_EQ(menu->actions()[20]->objectName(), "wave20");
    menu->actions()[0]->trigger();
    EXPECT_TRUE(server.quiet(20));
    menu->findChild<QAction*>("wave12")->trigger();
    EXPECT_EQ(server.next(), "CMD_playasound+3+wave12+\xFF");
    menu->hide();

    // Ctrl+I adds the quick instructions (a window shortcut: the window
    // must be the active one, as it is under the player's hands).
    w.activateWindow();
    ASSERT_TRUE(waitUntil([&] { return QApplication::activeWindow() == &w; }));
    QTest::keyClick(&w, Qt::Key_I, Qt::ControlModifier);
    ASSERT_TRUE(waitUntil([&] { return ann.chatHas("selected by the host wins."); }));
}

TEST(Settings, ValuesThatWouldBreakTheWindowAreNotTaken) {
    prepareSettings("[Tilecrest]\nTop=-5000\nLeft=9000\nWidth=100000\nHeight=30000\nTextsize=300\nPlaytoscore=50\n");
    FakeServer server;
    GameCopy ann(server.args("Ann"));
    ann.game.gameStart().setPlayToScore(4);
    seat(server, ann, 2);
    auto& w = ann.window();
    // Off every screen: back at the default place as far as it fits, no
    // larger than the screen and wholly on it.
    const QRect desktop = tc::client::WindowPlacement::screenAreas().value(0);
    EXPECT_TRUE(desktop.contains(w.frameGeometry())) << w.frameGeometry().x() << "," << w.frameGeometry().y();
    EXPECT_EQ(w.frameGeometry().left(), std::min(3, desktop.right() + 1 - w.frameGeometry().width()));
    EXPECT_LE(w.width(), std::max(desktop.width(), w.minimumSizeHint().width()));
    EXPECT_LE(w.height(), std::max(desktop.height(), w.minimumSizeHint().height()));
    EXPECT_EQ(w.findChild<tc::chat::ChatPane*>("mainchat")->textSize(), 8);
    EXPECT_EQ(checkedSize(ann), action(ann, "N8"));
    EXPECT_EQ(ann.game.gameStart().playToScore(), 4);

    using tc::client::WindowPlacement;
    const QList<QRect> screens{QRect(0, 0, 1024, 768), QRect(1024, 0, 800, 600)};
    const QSize minimum(717, 539);
    // Mostly on the second screen: moved wholly onto it; too small: the minimum.
    EXPECT_EQ(WindowPlacement::fit({1700, 500, 200, 100}, minimum, screens, {3, 3}), QRect(1107, 61, 717, 539));
    // A maximized window once saved as a normal one: no larger than its screen, and on it.
    EXPECT_EQ(WindowPlacement::fit({0, 3, 1280, 1005}, minimum, screens, {3, 3}), QRect(0, 0, 1024, 768));
    // Already on its screen: kept as it is.
    EXPECT_EQ(WindowPlacement::fit({1030, 10, 720, 560}, minimum, screens, {3, 3}), QRect(1030, 10, 720, 560));
    // In the gap under the second screen: moved home.
    EXPECT_EQ(WindowPlacement::fit({1200, 650, 720, 560}, minimum, screens, {3, 3}), QRect(3, 3, 720, 560));
    // A sliver of 10 pixels does not count as on a screen.
    EXPECT_EQ(WindowPlacement::fit({1014, 700, 720, 560}, minimum, {QRect(0, 0, 1024, 768)}, {3, 3}).topLeft(),
              QPoint(3, 3));
}

TEST(Settings, AFileThatIsNotTextIsReadAndLeftAsItWas) {
    QByteArray junk;
    quint32 x = 12345;
    for (int i = 0; i < (1 << 20); ++i) {
        x = x * 1103515245u + 12345u;
        junk += static_cast<char>(x >> 24);
    }
    junk.insert(junk.size() / 2, QByteArray("\n[Tilecrest]\nTextsize=14\n\0[x]", 29));
    prepareSettings(junk);
    FakeServer server;
    GameCopy ann(server.args("Ann"));
    seat(server, ann, 2);
    EXPECT_EQ(ann.window().findChild<tc::chat::ChatPane*>("mainchat")->textSize(), 14);
    EXPECT_EQ(settingsBytes(), junk);
}

TEST(Settings, TheForeignSectionsStayByteForByteThroughTenSaves) {
    const QByteArray before = "; kept by the lobby\r\n[Lobby]\r\nNick=Ann\r\nodd line\n\n  Spaced = yes  \r\n";
    const QByteArray after = "[Zed]\nA=1\nlast line without an end";
    prepareSettings(before + "[Tilecrest]\r\nTextsize=10\r\n" + after);
    GameCopy solo({"--port", "0"});
    ASSERT_TRUE(waitUntil([&] { return solo.chatHas("You are Connected."); }));
    for (int i = 0; i < 10; ++i) action(solo, "PlaySounds1")->trigger();
    const QByteArray now = settingsBytes();
    EXPECT_TRUE(now.startsWith(before + "[Tilecrest]\r\nTextsize=10\r\nTextcolor=clBlack\r\n")) << now.toStdString();
    EXPECT_TRUE(now.endsWith(after)) << now.toStdString();
    EXPECT_TRUE(now.contains("\r\nPlaysounds=true\r\nChatterSounds=true\r\n"));
}

TEST(Settings, APlayersChoicesAreBackAfterARestart) {
    prepareSettings({});
    {
        GameCopy solo({"--port", "0"});
        auto& w = solo.window();
        ASSERT_TRUE(waitUntil([&] { return solo.chatHas("You are Connected."); }));
        // A fresh file: the defaults, with both sound options on.
        EXPECT_EQ(w.pos(), QPoint(3, 3));
        EXPECT_EQ(checkedSize(solo), action(solo, "N8"));
        EXPECT_TRUE(action(solo, "PlayChatterSounds1")->isChecked());

        QTimer::singleShot(0, [] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* d = qobject_cast<QColorDialog*>(top); d && d->objectName() == "ColorDialog") {
                    d->setCurrentColor(Qt::red);
                    d->accept();
                }
        });
        action(solo, "TextColor1")->trigger();
        action(solo, "N12")->trigger();
        action(solo, "PlaySounds1")->trigger();

        // The phrase editor: closing discards, Done applies and writes.
        action(solo, "PrhaseList1")->trigger();
        auto& editor = solo.game.phraseEditor();
        ASSERT_TRUE(editor.isVisible());
        EXPECT_EQ(editor.windowTitle(), "Tilecrest - Phrase Buttons");
        EXPECT_FALSE(editor.isModal());
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_LE((editor.frameGeometry().center() - w.frameGeometry().center()).manhattanLength(), 2)
            << "centred on the table";
        EXPECT_EQ(editor.edit(2)->text(), "Good One!");
        EXPECT_EQ(editor.edit(2)->maxLength(), 50);
        editor.edit(2)->setText("Not kept");
        editor.close();
        EXPECT_EQ(phraseButton(solo, 2)->toolTip(), "Good One!");
        EXPECT_FALSE(settingsBytes().contains("Phrase"));
        action(solo, "PrhaseList1")->trigger();
        EXPECT_EQ(editor.edit(2)->text(), "Good One!");
        editor.edit(1)->setText("");
        editor.edit(3)->setText("Nice roll!");
        QTest::mouseClick(editor.findChild<QPushButton*>("SelButton8"), Qt::LeftButton);
        EXPECT_FALSE(editor.isVisible());
        EXPECT_EQ(phraseButton(solo, 3)->toolTip(), "Nice roll!");

        w.move(20, 30);
        w.resize(740, 550);
        const QRect frame = w.frameGeometry();
        w.close();
        const QByteArray file = settingsBytes();
        // The frame's place and size, and that it was not maximized.
        EXPECT_TRUE(file.contains(QStringLiteral("\r\nTextcolor=clRed\r\nTop=30\r\nLeft=20\r\nWidth=%1\r\nHeight=%2\r\n"
                                                 "Maximized=false\r\n")
                                      .arg(frame.width())
                                      .arg(frame.height())
                                      .toUtf8()))
            << file.toStdString();
        EXPECT_TRUE(file.contains("\r\nPhrase1=\r\nPhrase2=Good One!\r\nPhrase3=Nice roll!\r\n"));
    }
    GameCopy again({"--port", "0"});
    auto& w = again.window();
    ASSERT_TRUE(waitUntil([&] { return again.chatHas("You are Connected."); }));
    EXPECT_EQ(w.findChild<tc::chat::ChatInput*>("mychat")->chatColour(), tc::net::kRed);
    EXPECT_EQ(w.findChild<tc::chat::ChatPane*>("mainchat")->textSize(), 12);
    EXPECT_EQ(checkedSize(again), action(again, "N12"));
    EXPECT_FALSE(action(again, "PlaySounds1")->isChecked());
    // An empty stored phrase keeps the button's own.
    EXPECT_EQ(phraseButton(again, 1)->toolTip(), "Way To Go!");
    EXPECT_EQ(phraseButton(again, 3)->toolTip(), "Nice roll!");
    EXPECT_EQ(w.pos(), QPoint(20, 30));
    EXPECT_EQ(w.size(), QSize(740, 550));
    // Closed where it was read: nothing to write.
    prepareSettings("[Tilecrest]\r\nTop=1\r\n");
    w.close();
    EXPECT_EQ(settingsBytes(), "[Tilecrest]\r\nTop=1\r\n");
}

TEST(Settings, AWindowClosedBeforeTheSettingsWereReadWritesNothing) {
    prepareSettings("[Tilecrest]\r\nTextsize=14\r\nChatterSounds=true\r\n");
    FakeServer server;  // accepts, never logs the copy in
    GameCopy ann(server.args("Ann"));
    ASSERT_TRUE(server.accept());
    ann.window().move(200, 100);
    ann.window().close();
    EXPECT_EQ(settingsBytes(), "[Tilecrest]\r\nTextsize=14\r\nChatterSounds=true\r\n");
}

TEST(Settings, AMenuUsedBeforeTheSettingsWereReadWritesOnlyItsOwnKey) {
    prepareSettings("[Tilecrest]\r\nTextsize=14\r\nChatterSounds=true\r\nTop=40\r\nPlaytoscore=7\r\n");
    FakeServer server;  // accepts, never logs the copy in: a failed join
    GameCopy ann(server.args("Ann"));
    ASSERT_TRUE(server.accept());
    action(ann, "PlaySounds1")->trigger();
    EXPECT_EQ(settingsBytes(),
              "[Tilecrest]\r\nTextsize=14\r\nChatterSounds=true\r\nTop=40\r\nPlaytoscore=7\r\nPlaysounds=false\r\n");
    action(ann, "N10")->trigger();
    EXPECT_EQ(settingsBytes(),
              "[Tilecrest]\r\nTextsize=10\r\nChatterSounds=true\r\nTop=40\r\nPlaytoscore=7\r\nPlaysounds=false\r\n");
}

TEST(Settings, TheSessionAfterALeftGamePlaysAsTheOptionsShow) {
    // Until the settings are read at the next login (or when they cannot be
    // read then) the fresh session has only the menu's check marks to go by.
    prepareSettings({});
    GameCopy solo({"--port", "0"});
    ASSERT_TRUE(waitUntil([&] { return solo.chatHas("You are Connected."); }));
    // Each the other way from a fresh session's own start.
    for (const char* name : {"PlaySounds1", "PlayChatterSounds1", "ShowBestMove1"}) {
        const bool fresh = name == std::string_view("PlaySounds1");
        if (action(solo, name)->isChecked() == fresh) action(solo, name)->trigger();
        ASSERT_NE(action(solo, name)->isChecked(), fresh) << name;
    }
    solo.window().leaveGame();
    EXPECT_FALSE(solo.session().playSounds());
    EXPECT_TRUE(solo.session().chatterSounds());
    EXPECT_TRUE(solo.session().showBestMove());
}

TEST(Settings, AMaximizedWindowComesBackMaximizedAtItsOwnPlace) {
    prepareSettings("[Tilecrest]\r\nTop=30\r\nLeft=20\r\nWidth=750\r\nHeight=560\r\nMaximized=true\r\n");
    GameCopy solo({"--port", "0"});
    auto& w = solo.window();
    ASSERT_TRUE(waitUntil([&] { return solo.chatHas("You are Connected."); }));
    ASSERT_TRUE(waitUntil([&] { return w.isMaximized(); }));
    w.showNormal();
    ASSERT_TRUE(waitUntil([&] { return !w.isMaximized(); }));
    EXPECT_EQ(w.frameGeometry(), QRect(20, 30, 750, 560));
    // Maximized again at closing: the place it returns to is what is kept.
    w.move(25, 35);
    w.resize(740, 540);
    const QRect normal = w.frameGeometry();
    w.showMaximized();
    ASSERT_TRUE(waitUntil([&] { return w.isMaximized(); }));
    w.close();
    const QByteArray file = settingsBytes();
    EXPECT_TRUE(file.contains(QStringLiteral("\r\nTop=35\r\nLeft=25\r\nWidth=%1\r\nHeight=%2\r\nMaximized=true\r\n")
                                  .arg(normal.width())
                                  .arg(normal.height())
                                  .toUtf8()))
        << file.toStdString();
}

TEST(Settings, AnUnreadableFileIsToldOnceAndAFailingSaveToo) {
    // A folder where the file should be: it cannot be read, so it is moved
    // aside and the player hears where it went.
    prepareSettings({});
    ASSERT_TRUE(QDir().mkpath(settingsPath()));
    {
        GameCopy solo({"--port", "0"});
        ASSERT_TRUE(waitUntil([&] { return solo.chatHas("You are Connected."); }));
        const QString told = "Your settings file could not be read and was kept as " + settingsPath() +
                             ".damaged; the settings start afresh.";
        EXPECT_EQ(solo.chat().count(told), 1) << solo.chat().toStdString();
        EXPECT_TRUE(QFileInfo(settingsPath() + ".damaged").isDir());
        action(solo, "PlaySounds1")->trigger();
        EXPECT_EQ(solo.chat().count(told), 1);
    }
    QDir(settingsPath() + ".damaged").removeRecursively();

    // A link into a folder that is not there: every save fails, and the
    // player is told once.
    prepareSettings({});
    ASSERT_TRUE(QFile::link(settingsPath() + ".gone/velmoralobby.ini", settingsPath()));
    {
        GameCopy solo({"--port", "0"});
        ASSERT_TRUE(waitUntil([&] { return solo.chatHas("You are Connected."); }));
        action(solo, "PlaySounds1")->trigger();
        action(solo, "PlaySounds1")->trigger();
        const QString told = "Your settings cannot be saved in " + settingsPath() +
                             " (No such file or directory). They last until the game is closed.";
        EXPECT_EQ(solo.chat().count(told), 1) << solo.chat().toStdString();
    }
    QFile::remove(settingsPath());
}

TEST(Settings, TheFileLivesBesideTheProgramOnlyInAPortableCopyWhereItCanBeKept) {
    QTemporaryDir dir;
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir.filePath("config").toLocal8Bit());
    const QString name = QStringLiteral("velmoralobby.ini");
    const auto kind = QStandardPaths::AppConfigLocation;
    const QString user = QDir(QStandardPaths::writableLocation(kind)).filePath(name);
    ASSERT_TRUE(user.startsWith(dir.filePath("config")));

    // A build tree or a portable copy: beside the program.
    EXPECT_EQ(tc::store::storeFilePathFor(name, dir.path(), kind), QDir(dir.path()).filePath(name));
    // A folder the program cannot write to (here one that is not there):
    // the user's configuration folder, made ready for the first write.
    EXPECT_EQ(tc::store::storeFilePathFor(name, dir.filePath("missing/bin"), kind), user);
    EXPECT_TRUE(QFileInfo(user).dir().exists());
    // A read-only installed folder (the owner's write bit off; root may
    // write anyway, and then the file stays beside the program).
    const QString installed = dir.filePath("installed");
    ASSERT_TRUE(QDir().mkpath(installed));
    QFile::setPermissions(installed, QFile::ReadOwner | QFile::ExeOwner);
    const QString chosen = tc::store::storeFilePathFor(name, installed, kind);
    EXPECT_EQ(chosen, QFileInfo(installed).isWritable() ? QDir(installed).filePath(name) : user);
    QFile::setPermissions(installed, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    // A file beside the program in a folder that takes no new file could be
    // read but never saved: it goes on in the user's folder with its values.
    // (/proc/self holds files and takes none, even for root.)
    QString readOnly = dir.filePath("readonly");
    QString kept = name;
    QDir().mkpath(readOnly);
    {
        QFile f(QDir(readOnly).filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Tilecrest]\r\nTop=9\r\n");
    }
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ExeOwner);
    QTemporaryFile probe(QDir(readOnly).filePath("probe-XXXXXX"));
    if (probe.open()) {  // root: the mode bits do not stop it
        readOnly = QStringLiteral("/proc/self");
        kept = QStringLiteral("comm");
    }
    QFile beside(QDir(readOnly).filePath(kept));
    ASSERT_TRUE(beside.open(QIODevice::ReadOnly));
    const QByteArray values = beside.readAll();
    ASSERT_FALSE(values.isEmpty());
    const QString moved = QDir(QStandardPaths::writableLocation(kind)).filePath(kept);
    EXPECT_EQ(tc::store::storeFilePathFor(kept, readOnly, kind), moved);
    QFile copy(moved);
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), values);
    // From then on the user's copy is the one kept, even when the old one changes.
    copy.close();
    {
        QFile f(moved);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Tilecrest]\r\nTop=12\r\n");
    }
    EXPECT_EQ(tc::store::storeFilePathFor(kept, readOnly, kind), moved);
    QFile again(moved);
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), "[Tilecrest]\r\nTop=12\r\n");
    QFile::setPermissions(dir.filePath("readonly"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    // An installed copy never keeps files beside itself, even where it
    // could write (root) and even where an old file lies.
    const QString bin = dir.filePath("prefix/bin");
    ASSERT_TRUE(QDir().mkpath(bin));
    {
        QFile rootsFile(QDir(bin).filePath(name));
        ASSERT_TRUE(rootsFile.open(QIODevice::WriteOnly));
        rootsFile.write("[Tilecrest]\r\nTop=77\r\n");
    }
    EXPECT_FALSE(tc::store::isInstalledProgramFolder(bin));
    EXPECT_EQ(tc::store::storeFilePathFor(name, bin, kind), QDir(bin).filePath(name));  // no menu entry: portable
    ASSERT_TRUE(QDir().mkpath(dir.filePath("prefix/share/applications")));
    QFile(dir.filePath("prefix/share/applications/org.tilecrest.Tilecrest.desktop")).open(QIODevice::WriteOnly);
    EXPECT_TRUE(tc::store::isInstalledProgramFolder(bin));
    EXPECT_TRUE(tc::store::isInstalledProgramFolder(bin + "/"));
    QFile::remove(user);
    EXPECT_EQ(tc::store::storeFilePathFor(name, bin, kind), user);
    EXPECT_FALSE(QFileInfo::exists(user));  // the file there is nobody's own: not taken over
    EXPECT_FALSE(tc::store::isInstalledProgramFolder(dir.filePath("prefix")));
    EXPECT_FALSE(tc::store::isInstalledProgramFolder(dir.filePath("prefix/share")));

    if (oldConfig.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", oldConfig);
}
