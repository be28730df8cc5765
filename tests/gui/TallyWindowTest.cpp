#include <QAction>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QFileInfo>
#include <QTemporaryDir>

#include "GameCopy.h"
#include "client/MenuKeys.h"
#include "store/StoreLocation.h"
#include "store/TallyFile.h"
#include "windows/TallyListWindow.h"

using tc::guitest::GameCopy;
using tc::guitest::waitUntil;
using tc::store::TallyFile;
using tc::windows::TallyListWindow;

namespace {

QString text(QWidget& w, const QString& name) { return w.findChild<QLabel*>(name)->text(); }

QStringList entries(QWidget& w, const QString& list, bool checkedOnly = false) {
    auto* l = w.findChild<QListWidget*>(list);
    QStringList out;
    for (int i = 0; i < l->count(); ++i)
        if (!checkedOnly || l->item(i)->checkState() == Qt::Checked) out << l->item(i)->text();
    return out;
}

// The player ticking or unticking a name's check box.
void toggle(QWidget& w, const QString& list, int row) {
    QListWidgetItem* item = w.findChild<QListWidget*>(list)->item(row);
    item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

// What is on disk right now, as a program started after a kill would read it.
std::string onDisk(const QString& path, int column, int row) {
    return TallyFile(path.toStdString()).load().table.cell(column, row);
}

struct Fixture {
    QTemporaryDir dir;
    QString path = QDir(dir.path()).filePath("Ridgeplaytally.tld");
    QStringList questions;
    bool answer = true;
    std::unique_ptr<TallyListWindow> open() {
        auto w = std::make_unique<TallyListWindow>(path);
        w->setQuestionAsker([this](const QString& q) {
            questions << q;
            return answer;
        });
        return w;
    }
};

} // namespace

TEST(TallyWindow, CountsShowAtOnceAndReachTheDiskAtOnce) {
    Fixture f;
    auto w = f.open();
    EXPECT_EQ(w->objectName(), "Ttallylist");
    EXPECT_EQ(w->windowTitle(), "Tilecrest - Tally List");
    EXPECT_TRUE(w->loadProblem().isEmpty());
    // Nobody tallied: a sentence, not a placeholder name.
    EXPECT_EQ(text(*w, "label_hisnametop"),
              "Nobody is tallied yet: tick a name under \"Players In Current Game\" to keep a tally of your games "
              "against that player.");
    EXPECT_EQ(text(*w, "label_hisname"), "Wins:");
    // The own counters' captions say what they count, each a whole sentence.
    QStringList captions;
    for (const QLabel* l : w->findChildren<QLabel*>())
        if (l->isVisibleTo(w.get()) && l->text().startsWith("Total")) captions << l->text();
    captions.sort();
    EXPECT_EQ(captions, (QStringList{"Total", "Total Games:", "Total Times you've shut all nine tiles:"}));

    w->loadchecklist({"Bob", "Rudi"});
    EXPECT_EQ(entries(*w, "checklist", true), QStringList());
    toggle(*w, "checklist", 1);  // start tallying Rudi
    EXPECT_EQ(entries(*w, "listbox_tally", true), QStringList{"Rudi"});
    EXPECT_EQ(onDisk(f.path, 0, 1), "Rudi");

    // The first tallied opponent shows without a click.
    EXPECT_EQ(text(*w, "label_hisnametop"), "Rudi's Tally");
    EXPECT_EQ(text(*w, "label_hisname"), "Rudi Wins:");

    w->addgame({"Bob", "Rudi"}, "Rudi", false);
    EXPECT_EQ(text(*w, "mylabel_1"), "1");
    EXPECT_EQ(text(*w, "mylabel_2"), "0");
    EXPECT_EQ(text(*w, "label_2"), "1");
    EXPECT_EQ(text(*w, "label_6"), "1");
    w->addgame({"Bob", "Rudi"}, "Me", true);
    w->addtomineincrease(3);
    EXPECT_EQ(text(*w, "mylabel_2"), "1");
    EXPECT_EQ(text(*w, "mylabel_3"), "1");
    EXPECT_EQ(text(*w, "label_7"), "1");
    // Nothing waits for a clean exit: the file holds every count already.
    EXPECT_EQ(onDisk(f.path, 1, 0), "2");
    EXPECT_EQ(onDisk(f.path, 3, 0), "1");
    EXPECT_EQ(onDisk(f.path, 3, 1), "1");
    EXPECT_EQ(QDir(f.dir.path()).entryList(QDir::Files), QStringList{"Ridgeplaytally.tld"});

    // Unticking in the current game does not stop the tally.
    toggle(*w, "checklist", 1);
    EXPECT_EQ(entries(*w, "checklist", true), QStringList{"Rudi"});

    // A new program session: totals kept, session columns from 0, and the
    // first opponent shown at once.
    w.reset();
    w = f.open();
    EXPECT_EQ(text(*w, "mylabel_1"), "2");
    EXPECT_EQ(text(*w, "label_hisnametop"), "Rudi's Tally");
    EXPECT_EQ(text(*w, "label_1"), "2");
    EXPECT_EQ(text(*w, "label_5"), "0");
    w->findChild<QListWidget*>("listbox_tally")->setCurrentRow(0);
    EXPECT_EQ(text(*w, "label_1"), "2");
    EXPECT_EQ(text(*w, "label_5"), "0");
}

TEST(TallyWindow, RemovingAndResettingAsk) {
    Fixture f;
    auto w = f.open();
    w->loadchecklist({"Ann", "Bob", "Cid"});
    for (int i = 0; i < 3; ++i) toggle(*w, "checklist", i);
    w->addgame({"Ann", "Bob", "Cid"}, "Cid", false);

    f.answer = false;
    toggle(*w, "listbox_tally", 1);
    EXPECT_EQ(f.questions.last(), "This will delete Bob's Tally, Are you want to delete it?");
    EXPECT_EQ(entries(*w, "listbox_tally", true), (QStringList{"Ann", "Bob", "Cid"}));

    f.answer = true;
    toggle(*w, "listbox_tally", 1);
    EXPECT_EQ(entries(*w, "listbox_tally"), (QStringList{"Ann", "Cid"}));
    EXPECT_EQ(entries(*w, "checklist", true), (QStringList{"Ann", "Cid"}));
    EXPECT_EQ(onDisk(f.path, 0, 2), "Cid");
    EXPECT_EQ(onDisk(f.path, 2, 2), "1");  // Cid's win moved up with him

    f.answer = false;
    QTest::mouseClick(w->findChild<QPushButton*>("button_reset"), Qt::LeftButton);
    EXPECT_EQ(f.questions.last(), "Are you sure you want to reset the Tally?");
    EXPECT_EQ(entries(*w, "listbox_tally").size(), 2);
    f.answer = true;
    QTest::mouseClick(w->findChild<QPushButton*>("button_reset"), Qt::LeftButton);
    EXPECT_TRUE(entries(*w, "listbox_tally").isEmpty());
    EXPECT_EQ(text(*w, "mylabel_1"), "0");
    EXPECT_EQ(text(*w, "label_1"), "0");
    EXPECT_EQ(TallyFile(f.path.toStdString()).load().table.rowCount(), 1);
}

TEST(TallyWindow, DamagedFileIsKeptAsideAndReportedOnce) {
    Fixture f;
    {
        QFile bad(f.path);
        ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
        // a back-reference before the start of its block
        bad.write("WRZL\x05\x00\x00\x00\x06\x00\x40\x40\x00\x61\x00\x21", 16);
    }
    QFile(f.path + ".damaged").open(QIODevice::WriteOnly);  // an earlier one, kept
    auto w = f.open();
    // The player's sentence first, the reader's words after it.
    EXPECT_EQ(w->loadProblem(), "Your tally could not be read, so it starts empty. The damaged file was kept as " +
                                    f.path + ".damaged.1.\n\nDetails: Lzrw1 (decompression LZRW1/KH) : the "
                                    "compressed data is damaged !");
    EXPECT_TRUE(QFile::exists(f.path + ".damaged.1"));
    EXPECT_EQ(QFile(f.path + ".damaged").size(), 0);
    EXPECT_EQ(text(*w, "mylabel_1"), "0");

    QWidget owner;
    w->reportLoadProblem(&owner);
    w->reportLoadProblem(&owner);
    EXPECT_EQ(owner.findChildren<QMessageBox*>("tallyLoadProblem").size(), 1);
    w->addtomineincrease(1);
    EXPECT_EQ(onDisk(f.path, 1, 0), "1");
}

TEST(TallyWindow, ASaveThatFailsIsToldOnceAndALinkIsKept) {
    Fixture f;
    // Through a link into a folder that is not there, every save fails.
    ASSERT_TRUE(QFile::link(f.path + ".gone/Ridgeplaytally.tld", f.path));
    auto w = f.open();
    QSignalSpy told(w.get(), &TallyListWindow::saveFailed);
    w->addtomineincrease(3);
    w->addtomineincrease(3);
    ASSERT_EQ(told.count(), 1);
    EXPECT_EQ(told.first().first().toString(), "Your tally cannot be saved in " + f.path +
                                                   " (No such file or directory). Its counts last until the game "
                                                   "is closed.");
    EXPECT_EQ(text(*w, "mylabel_3"), "2");
    // Once the folder is there, the file behind the link is written and the link stays.
    ASSERT_TRUE(QDir().mkpath(f.path + ".gone"));
    w->addtomineincrease(3);
    EXPECT_TRUE(QFileInfo(f.path).isSymLink());
    EXPECT_EQ(onDisk(f.path + ".gone/Ridgeplaytally.tld", 3, 0), "3");
    EXPECT_EQ(told.count(), 1);
}

TEST(TallyWindow, ViewTallyInTheMainWindow) {
    GameCopy host({"Me", "127.0.0.1", "true", "--port", "0"});
    ASSERT_TRUE(waitUntil([&] { return host.session().loggedin() && host.seat(1) == "Me"; }));
    tc::guitest::WireClient ann(host.window().hostingPort(), "Ann");
    ASSERT_TRUE(waitUntil([&] { return host.seat(2) == "Ann"; }));
    GameCopy& solo = host;
    auto* view = solo.window().findChild<QMenu*>("View1");
    QAction* item = solo.window().findChild<QAction*>("ViewTally1");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(view->actions().first(), item);
    EXPECT_EQ(tc::client::MenuKeys::plain(item->text()), "View Tally");
    TallyListWindow& tally = solo.game.tally();
    item->trigger();
    EXPECT_TRUE(tally.isVisible());
    EXPECT_FALSE(tally.isModal());
    EXPECT_EQ(entries(tally, "checklist"), QStringList{"Ann"});  // not the own seat
    tally.lower();
    item->trigger();  // already open: shown again, on top
    EXPECT_TRUE(tally.isVisible());
    QTest::mouseClick(tally.findChild<QPushButton*>("button_done"), Qt::LeftButton);
    EXPECT_FALSE(tally.isVisible());

    // The session's shut-all reaches the window's own counter.
    const int before = text(tally, "mylabel_3").toInt();
    solo.window().addToMineIncrease(3);
    EXPECT_EQ(text(tally, "mylabel_3").toInt(), before + 1);
}
