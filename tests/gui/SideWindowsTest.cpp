#include <QAction>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>

#include "GuiTestSupport.h"
#include "windows/PhraseEditor.h"
#include "windows/SpyListWindow.h"

using tc::guitest::find;
using tc::windows::PhraseEditor;
using tc::windows::SpyListWindow;

namespace {

void hover(QListWidget* list, int row) {
    const QPoint at = row >= 0 ? list->visualItemRect(list->item(row)).center()
                               : QPoint(5, list->viewport()->height() - 3);
    QMouseEvent move(QEvent::MouseMove, at, list->viewport()->mapToGlobal(at), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &move);
}

} // namespace

TEST(SpyListWindow, HoldsTheSpectatorsInItsList) {
    SpyListWindow w;
    EXPECT_EQ(w.objectName(), "Tspylist");
    EXPECT_EQ(w.windowTitle(), "Tilecrest - Spys");
    EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    // Its title fits its title bar: the bold title, a fifth more, and
    // the bar's buttons.
    QFont bar = w.font();
    bar.setBold(true);
    EXPECT_GE(w.width(), QFontMetrics(bar).horizontalAdvance("Tilecrest - Spys") * 6 / 5 + 110);
    auto* list = find<QListWidget>(&w, "listbox_spys");
    EXPECT_EQ(list->palette().color(QPalette::Base), QColor(248, 249, 236));
    bool label = false;
    for (auto* l : w.findChildren<QLabel*>()) label = label || l->text() == "Spy List";
    EXPECT_TRUE(label);
    w.setEntries({"7: Zed", "8: Ann"});
    EXPECT_EQ(w.entries(), (QStringList{"7: Zed", "8: Ann"}));
    EXPECT_EQ(list->count(), 2);

    w.show();
    QPushButton* done = nullptr;
    for (auto* b : w.findChildren<QPushButton*>()) if (b->text() == "Done") done = b;
    ASSERT_NE(done, nullptr);
    QTest::mouseClick(done, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
}

// View -> Spy List again after the window was minimised brings it back
// over the main window rather than leaving it on the task bar.
TEST(SpyListWindow, OpensCentredOnTheMainWindowEvenWhenMinimised) {
    QWidget main;
    main.setGeometry(100, 100, 700, 500);
    main.show();
    SpyListWindow w;
    w.showCentredOn(&main);
    EXPECT_TRUE(w.isVisible());
    EXPECT_LE((w.frameGeometry().center() - main.frameGeometry().center()).manhattanLength(), 4);
    w.showMinimized();
    ASSERT_TRUE(w.isMinimized());
    w.showCentredOn(&main);
    EXPECT_FALSE(w.isMinimized());
    EXPECT_TRUE(w.isVisible());
}

TEST(SpyListWindow, RemoveActsOnTheEntryLastUnderThePointer) {
    SpyListWindow w;
    w.setEntries({"7: Zed", "8: Ann", "9: Bea"});
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    auto* list = find<QListWidget>(&w, "listbox_spys");
    auto* kick = find<QAction>(&w, "popup_kickhim");
    EXPECT_EQ(kick->text(), "Remove From Game");
    EXPECT_FALSE(kick->isEnabled());
    w.setRemoveEnabled(true);
    EXPECT_TRUE(kick->isEnabled());

    QSignalSpy removed(&w, &SpyListWindow::removeRequested);
    EXPECT_EQ(w.entryUnderPointer(), "");
    hover(list, 1);
    EXPECT_EQ(w.entryUnderPointer(), "8: Ann");
    kick->trigger();
    hover(list, 2);
    kick->trigger();
    // Below the last entry: over no entry at all.
    hover(list, -1);
    EXPECT_EQ(w.entryUnderPointer(), "");
    kick->trigger();
    ASSERT_EQ(removed.count(), 3);
    EXPECT_EQ(removed.at(0).at(0).toString(), "8: Ann");
    EXPECT_EQ(removed.at(1).at(0).toString(), "9: Bea");
    EXPECT_EQ(removed.at(2).at(0).toString(), "");
}

TEST(SpyListWindow, AnEntryThatLeftIsNotRemovedByItsOldPlace) {
    SpyListWindow w;
    w.setEntries({"7: Zed", "8: Ann"});
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    auto* list = find<QListWidget>(&w, "listbox_spys");
    hover(list, 0);
    EXPECT_EQ(w.entryUnderPointer(), "7: Zed");
    // Zed leaves before the host clicks: the row now holds Ann.
    w.setEntries({"8: Ann"});
    EXPECT_EQ(w.entryUnderPointer(), "");
}

TEST(SpyListWindow, TheContextMenuOpensWithTheEntryAtTheClick) {
    SpyListWindow w;
    w.setEntries({"7: Zed", "8: Ann"});
    w.setRemoveEnabled(true);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    auto* list = find<QListWidget>(&w, "listbox_spys");
    const QPoint at = list->visualItemRect(list->item(1)).center();
    QContextMenuEvent e(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list->viewport(), &e);
    auto* menu = find<QMenu>(&w, "popup_kick");
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(w.entryUnderPointer(), "8: Ann");
    menu->hide();
}

TEST(PhraseEditor, OnlyWhatThePlayerTypesIsCappedAndUnsendableCharactersAreNamed) {
    PhraseEditor editor;
    QStringList stored;
    for (int n = 1; n <= 9; ++n) stored << QStringLiteral("Phrase %1").arg(n);
    const QString longPhrase = QString(300, QLatin1Char('x'));
    stored[0] = longPhrase;
    stored[1] = QStringLiteral("Done \u2713");
    editor.open(stored, nullptr);
    auto* warning = find<QLabel>(&editor, "label_unsendable");
    EXPECT_FALSE(warning->isHidden());
    EXPECT_EQ(warning->text(), QStringLiteral("Phrase Button 2: \u2713 cannot be sent and arrives as \"?\"."));

    // The long stored phrase cannot grow, and is not cut by being shown;
    // a box the player types into takes at most 50 characters.
    QTest::keyClicks(editor.edit(1), "more");
    editor.edit(3)->clear();
    QTest::keyClicks(editor.edit(3), QString(60, QLatin1Char('y')));
    editor.edit(4)->end(false);
    editor.edit(4)->insert(QStringLiteral(" \u4e2d"));  // typed with an input method
    EXPECT_EQ(warning->text(), QStringLiteral("Phrase Button 2: \u2713 cannot be sent and arrives as \"?\".\n"
                                              "Phrase Button 4: \u4e2d cannot be sent and arrives as \"?\"."));
    QSignalSpy done(&editor, &PhraseEditor::done);
    QTest::mouseClick(find<QPushButton>(&editor, "SelButton8"), Qt::LeftButton);
    ASSERT_EQ(done.count(), 1);
    const QStringList texts = done.first().first().toStringList();
    EXPECT_EQ(texts.value(0), longPhrase);
    EXPECT_EQ(texts.value(1), "Done \u2713");
    EXPECT_EQ(texts.value(2), QString(50, QLatin1Char('y')));
    EXPECT_EQ(texts.value(3), "Phrase 4 \u4e2d");
    EXPECT_EQ(texts.value(8), "Phrase 9");

    // Clean phrases: no warning.
    editor.open({"a", "b"}, nullptr);
    EXPECT_TRUE(warning->isHidden());
}
