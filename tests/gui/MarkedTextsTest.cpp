// Every text the windows show is marked for translation. A translator that
// wraps each text it is asked for in ⟦ ⟧ is installed, the windows are
// opened and played a little, and every text of every widget, menu item,
// tooltip, accessible name and program chat line must then be wrapped: a
// text written without tr() or translate() shows bare, and fails here by
// name. Names of people and programs, numbers and addresses are not texts.
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTranslator>
#include <QTreeWidget>

#include "GameCopy.h"
#include "client/ConnectDialog.h"
#include "client/GameStartWindow.h"
#include "windows/AboutWindow.h"
#include "windows/DownloadWindow.h"
#include "windows/HelpWindow.h"
#include "windows/PhraseEditor.h"
#include "windows/SoloWindow.h"
#include "windows/SpyListWindow.h"
#include "windows/TallyListWindow.h"

using tc::guitest::GameCopy;
using tc::guitest::waitUntil;

namespace {

const QString kOpen = QStringLiteral("\u27e6");
const QString kClose = QStringLiteral("\u27e7");

class Wrapping : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override {
        // Qt's own texts are Qt's translators' business.
        if (!source || !*source || QByteArray(context).startsWith('Q')) return {};
        return kOpen + QString::fromUtf8(source) + kClose;
    }
};

// What is left of a text once its wrapped parts are taken out: names,
// numbers, addresses and punctuation are allowed to stay.
QString bare(QString text) {
    static const QRegularExpression wrapped(QStringLiteral("\u27e6[^\u27e6\u27e7]*\u27e7"));
    // Nested pieces ("⟦%1 wins:⟧" holding another) come out inner first.
    for (int i = 0; i < 4; ++i) text.remove(wrapped);
    text.remove(QLatin1Char('&'));
    // Paths and addresses of files and pages.
    static const QRegularExpression paths(QStringLiteral("\\S*/\\S*"));
    text.remove(paths);
    for (const char* name : {"Tilecrest", "Rudi", "Klick", "Kling", "Krazy", "You", "Ann", "Deutsch",
                             "Fran\u00e7ais", "English", "Velmora", "localhost"})
        text.remove(QString::fromUtf8(name));
    static const QRegularExpression letters(QStringLiteral("[A-Za-z\u00c0-\u024f]{2,}"));
    return letters.match(text).hasMatch() ? text.trimmed() : QString();
}

struct Finder {
    QStringList bareTexts;
    void check(const QString& where, const QString& text) {
        const QString rest = bare(text);
        if (!rest.isEmpty() && !bareTexts.contains(where + QStringLiteral(": ") + text))
            bareTexts << where + QStringLiteral(": ") + text;
    }
    void actions(const QString& where, const QList<QAction*>& list) {
        for (QAction* a : list) {
            // The chatter sounds go by their own names in every language.
            if (a->isSeparator() || a->objectName().startsWith(QLatin1String("wave"))) continue;
            check(where + QStringLiteral(" > action ") + a->objectName(), a->text());
            check(where + QStringLiteral(" > tooltip ") + a->objectName(), a->toolTip() == a->text().remove('&') ? QString() : a->toolTip());
            if (a->menu()) {
                check(where + QStringLiteral(" > menu ") + a->menu()->objectName(), a->menu()->title());
                actions(where + QStringLiteral(" > ") + a->menu()->objectName(), a->menu()->actions());
            }
        }
    }
    void widget(QWidget* w) {
        const QString where = (w->window() ? w->window()->objectName() : QString()) + QStringLiteral("/") +
                              w->metaObject()->className() + QStringLiteral(" ") + w->objectName();
        if (w->isWindow()) check(where + QStringLiteral(" title"), w->windowTitle());
        check(where + QStringLiteral(" tooltip"), w->toolTip());
        check(where + QStringLiteral(" accessible name"), w->accessibleName());
        check(where + QStringLiteral(" accessible description"), w->accessibleDescription());
        if (auto* l = qobject_cast<QLabel*>(w)) check(where, l->text());
        auto* box = qobject_cast<QDialogButtonBox*>(w->parentWidget());
        auto* button = qobject_cast<QPushButton*>(w);
        // Qt's standard buttons speak through Qt's own catalogues.
        const bool standard = box && button && box->standardButton(button) != QDialogButtonBox::NoButton;
        if (auto* b = qobject_cast<QAbstractButton*>(w); b && !standard) check(where, b->text());
        if (auto* g = qobject_cast<QGroupBox*>(w)) check(where, g->title());
        if (auto* e = qobject_cast<QLineEdit*>(w)) check(where + QStringLiteral(" placeholder"), e->placeholderText());
        if (auto* t = qobject_cast<QTreeWidget*>(w))
            for (int c = 0; c < t->columnCount(); ++c) check(where + QStringLiteral(" header"), t->headerItem()->text(c));
        if (auto* t = qobject_cast<QTableWidget*>(w))
            for (int c = 0; c < t->columnCount(); ++c)
                if (t->horizontalHeaderItem(c)) check(where + QStringLiteral(" header"), t->horizontalHeaderItem(c)->text());
        if (auto* m = qobject_cast<QMenu*>(w)) {
            check(where + QStringLiteral(" title"), m->title());
            actions(where, m->actions());
        }
        if (auto* bar = qobject_cast<QMenuBar*>(w)) actions(where, bar->actions());
        actions(where, w->actions());
    }
    void window(QWidget* top) {
        widget(top);
        for (QWidget* w : top->findChildren<QWidget*>()) widget(w);
    }
};

} // namespace

TEST(MarkedTexts, EveryShownTextIsMarkedForTranslation) {
    Wrapping wrapping;
    QCoreApplication::installTranslator(&wrapping);
    {
        GameCopy solo({"--port", "0"});
        ASSERT_TRUE(waitUntil([&] { return solo.session().loggedin(); }));
        auto& w = solo.window();
        // A game under way: the status line, the round, the coach.
        w.findChild<QAction*>("ShowBestMove1")->setChecked(true);
        w.findChild<QAction*>("QuickInstructions1")->trigger();
        solo.game.gameStart().show();
        ASSERT_TRUE(waitUntil([&] { return solo.game.gameStart().isVisible(); }));
        solo.game.gameStart().findChild<QPushButton*>("button_start")->click();
        ASSERT_TRUE(waitUntil([&] { return solo.chat().contains(kOpen + QStringLiteral("You have started a game.")); }));

        Finder find;
        for (QWidget* top : {static_cast<QWidget*>(&w), static_cast<QWidget*>(&solo.game.gameStart()),
                             static_cast<QWidget*>(&solo.game.help()), static_cast<QWidget*>(&solo.game.about()),
                             static_cast<QWidget*>(&solo.game.solo()), static_cast<QWidget*>(&solo.game.download()),
                             static_cast<QWidget*>(&solo.game.spyList()), static_cast<QWidget*>(&solo.game.tally()),
                             static_cast<QWidget*>(&solo.game.phraseEditor())})
            find.window(top);
        for (bool host : {true, false}) {
            w.findChild<QAction*>(host ? "HostaGame1" : "JoinaGame1")->trigger();
            auto* dialog = w.findChild<tc::client::ConnectDialog*>("ConnectDialog");
            ASSERT_NE(dialog, nullptr);
            find.window(dialog);
            dialog->close();
        }
        // The program's own chat lines; the chat pane shows the lines as
        // they arrived, one a paragraph.
        for (const QString& line : solo.chat().split(QLatin1Char('\n'))) find.check(QStringLiteral("chat line"), line);
        EXPECT_EQ(find.bareTexts.join(QLatin1Char('\n')).toStdString(), "");
    }
    QCoreApplication::removeTranslator(&wrapping);
}
