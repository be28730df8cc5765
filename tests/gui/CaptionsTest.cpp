// Every window's caption reads exactly as written, on every platform.
#include <QMap>
#include <QProcess>
#include <QStandardPaths>

#include "GameCopy.h"
#include "client/GameStartWindow.h"
#include "windows/SpyListWindow.h"

using tc::guitest::GameCopy;

namespace {

// What the X11 platform puts in the title bar: Qt appends " — " and the
// application display name to a title that does not already end with it.
// Whether a display name is set shows only as applicationDisplayName()
// following a change of the application name.
QString effectiveTitle(const QString& title) {
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(QStringLiteral("tc-caption-probe"));
    const bool displayNameSet = QGuiApplication::applicationDisplayName() != QStringLiteral("tc-caption-probe");
    QCoreApplication::setApplicationName(name);
    if (!displayNameSet) return title.isEmpty() ? name : title;
    const QString display = QGuiApplication::applicationDisplayName();
    if (title.endsWith(display)) return title;
    return title.isEmpty() ? display : title + QString::fromUtf8(" \u2014 ") + display;
}

// The title the X server holds for a window, read back with xprop; empty
// when the GUI tests do not run on X11 (QT_QPA_PLATFORM=xcb under
// xvfb-run) or xprop is missing.
QString x11Title(QWidget* w) {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return {};
    const QString xprop = QStandardPaths::findExecutable(QStringLiteral("xprop"));
    if (xprop.isEmpty()) return {};
    QString title;
    tc::guitest::waitUntil([&] {
        QProcess p;
        p.start(xprop, {QStringLiteral("-id"), QString::number(w->winId()), QStringLiteral("_NET_WM_NAME")});
        if (!p.waitForFinished(2000)) return false;
        // _NET_WM_NAME(UTF8_STRING) = "Tilecrest - Spys"
        const QString out = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
        const qsizetype first = out.indexOf('"');
        if (first < 0 || !out.endsWith('"')) return false;
        title = out.mid(first + 1, out.size() - first - 2);
        return true;
    });
    return title;
}

} // namespace

TEST(Captions, EveryWindowOfAHostedGameReadsExactlyItsCaption) {
    EXPECT_EQ(QCoreApplication::applicationName(), "Tilecrest");
    GameCopy ann({"Ann", "127.0.0.1", "true", "--port", "0"});
    ann.game.gameStart().show();
    ann.game.spyList().show();
    const QMap<QString, QString> expected{{"Tchat", "Tilecrest"},
                                          {"Tgamestart", "Tilecrest - Game Start"},
                                          {"Tspylist", "Tilecrest - Spys"}};
    QMap<QString, QString> seen;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible() || !expected.contains(w->objectName())) continue;
        seen[w->objectName()] = w->windowTitle();
        EXPECT_EQ(effectiveTitle(w->windowTitle()), expected[w->objectName()]) << w->objectName().toStdString();
        const QString onX11 = x11Title(w);
        if (!onX11.isEmpty()) {
            EXPECT_EQ(onX11, expected[w->objectName()]) << w->objectName().toStdString();
        }
    }
    EXPECT_EQ(seen, expected);
    ann.game.gameStart().hide();
    ann.game.spyList().hide();
}

TEST(Captions, AWindowBuiltLaterGetsNoSuffixEither) {
    QWidget later;
    later.setWindowTitle(QStringLiteral("Tilecrest - Help File"));
    later.show();
    EXPECT_EQ(effectiveTitle(later.windowTitle()), "Tilecrest - Help File");
    // The probe itself: with a display name, the suffix would be there.
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Tilecrest"));
    EXPECT_EQ(effectiveTitle(later.windowTitle()), QString::fromUtf8("Tilecrest - Help File \u2014 Tilecrest"));
    EXPECT_EQ(effectiveTitle(QStringLiteral("Tilecrest")), "Tilecrest");
    QGuiApplication::setApplicationDisplayName(QString());
    EXPECT_EQ(effectiveTitle(later.windowTitle()), "Tilecrest - Help File");
}
