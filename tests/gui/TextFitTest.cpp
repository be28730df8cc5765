// Every text fits its widget in every language: German runs longer than
// English. The windows are opened in English, German and French, a game
// under way, and each label, button and box is measured with its own font
// against its own room; the test names each text that would be cut. Run
// at 1x and under QT_SCALE_FACTOR=2 (tests/gui/CMakeLists.txt).
#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QFontMetrics>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleOptionButton>
#include <QLayout>
#include <QTest>
#include <QTextDocument>

#include "GameCopy.h"
#include "Translations.h"
#include "client/ConnectDialog.h"
#include "client/GameStartWindow.h"
#include "store/SettingsFile.h"
#include "store/StoreLocation.h"
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

QString settingsPath() {
    return tc::store::storeFilePath(QStringLiteral("velmoralobby.ini"), QStandardPaths::AppConfigLocation);
}

// The texts of `top` that do not fit, each with its widget.
QStringList cutTexts(QWidget* top) {
    QStringList out;
    QList<QWidget*> all = top->findChildren<QWidget*>();
    all.prepend(top);
    for (QWidget* w : all) {
        if (!w->isVisibleTo(top) || w->width() <= 0) continue;
        if (auto* l = qobject_cast<QLabel*>(w)) {
            const QString text = l->text();
            if (text.isEmpty() || !l->pixmap().isNull() || Qt::mightBeRichText(text)) continue;
            const QRect room = l->contentsRect().adjusted(l->margin(), l->margin(), -l->margin(), -l->margin());
            const QFontMetrics fm(l->font());
            if (l->wordWrap()) {
                const int needed = l->heightForWidth(l->width());
                if (needed > l->height() + 1)
                    out << QStringLiteral("%1/%2 \"%3\": needs %4 px of height, has %5")
                               .arg(top->objectName(), l->objectName(), text)
                               .arg(needed)
                               .arg(l->height());
            } else {
                int widest = 0;
                const QStringList lines = text.split(QLatin1Char('\n'));
                for (const QString& line : lines) widest = qMax(widest, fm.horizontalAdvance(line));
                if (widest > room.width() + 1)
                    out << QStringLiteral("%1/%2 \"%3\": needs %4 px, has %5")
                               .arg(top->objectName(), l->objectName(), text)
                               .arg(widest)
                               .arg(room.width());
            }
        } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            const bool measured = qobject_cast<QPushButton*>(b) || qobject_cast<QCheckBox*>(b) ||
                                  qobject_cast<QRadioButton*>(b);
            if (b->text().isEmpty() || !measured) continue;
            // The button's own idea of the room its text and frame need.
            const int needed = b->sizeHint().width();
            if (needed > b->width() + 1)
                out << QStringLiteral("%1/%2 \"%3\": needs %4 px, has %5")
                           .arg(top->objectName(), b->objectName(), b->text())
                           .arg(needed)
                           .arg(b->width());
        } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
            const int needed = QFontMetrics(g->font()).horizontalAdvance(g->title()) + 16;
            if (!g->title().isEmpty() && needed > g->width())
                out << QStringLiteral("%1/%2 \"%3\": needs %4 px, has %5")
                           .arg(top->objectName(), g->objectName(), g->title())
                           .arg(needed)
                           .arg(g->width());
        }
    }
    return out;
}

} // namespace

TEST(TextFit, EveryTextFitsItsWidgetInEveryLanguage) {
    QStringList cut;
    for (const char* lang : {"en", "de", "fr"}) {
        QFile::remove(settingsPath());
        {
            tc::store::SettingsFile file(settingsPath().toLocal8Bit().toStdString());
            file.write({{"Language", lang}});
        }
        GameCopy solo({"--port", "0"});
        ASSERT_EQ(tc::i18n::current(), QString::fromLatin1(lang));
        ASSERT_TRUE(waitUntil([&] { return solo.session().loggedin(); }));
        auto& w = solo.window();
        w.show();
        w.findChild<QAction*>("ShowBestMove1")->setChecked(true);
        solo.game.gameStart().show();
        ASSERT_TRUE(waitUntil([&] { return solo.game.gameStart().isVisible(); }));
        QStringList texts = cutTexts(&solo.game.gameStart());
        solo.game.gameStart().findChild<QPushButton*>("button_start")->click();
        ASSERT_TRUE(waitUntil([&] { return solo.session().table().status != "Welcome to Tilecrest" &&
                                           !solo.session().table().status.empty(); }));
        QCoreApplication::processEvents();
        texts << cutTexts(&w);
        for (QWidget* side : {static_cast<QWidget*>(&solo.game.help()), static_cast<QWidget*>(&solo.game.about()),
                              static_cast<QWidget*>(&solo.game.solo()), static_cast<QWidget*>(&solo.game.download()),
                              static_cast<QWidget*>(&solo.game.spyList()), static_cast<QWidget*>(&solo.game.tally()),
                              static_cast<QWidget*>(&solo.game.phraseEditor())}) {
            side->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(side));
            if (side->layout()) side->layout()->activate();
            QCoreApplication::processEvents();
            texts << cutTexts(side);
            side->hide();
        }
        for (bool host : {true, false}) {
            w.findChild<QAction*>(host ? "HostaGame1" : "JoinaGame1")->trigger();
            auto* dialog = w.findChild<tc::client::ConnectDialog*>("ConnectDialog");
            ASSERT_NE(dialog, nullptr);
            ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
            if (dialog->layout()) dialog->layout()->activate();
            QCoreApplication::processEvents();
            texts << cutTexts(dialog);
            dialog->close();
        }
        for (const QString& t : texts) cut << QString::fromLatin1(lang) + QStringLiteral(": ") + t;
    }
    QFile::remove(settingsPath());
    EXPECT_EQ(cut.join(QLatin1Char('\n')).toStdString(), "");
}
