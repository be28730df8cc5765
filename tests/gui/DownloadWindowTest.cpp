#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QNetworkProxy>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "DesktopRecorder.h"
#include "GuiTestSupport.h"
#include "LocalHttpServer.h"
#include "windows/DownloadWindow.h"
#include "windows/InstallerFileName.h"
#include "windows/LobbyDownload.h"

using tc::guitest::DesktopRecorder;
using tc::guitest::find;
using tc::guitest::LocalHttpServer;
using tc::guitest::waitUntil;
using tc::windows::DownloadWindow;
using tc::windows::LobbyDownload;
using Mode = LocalHttpServer::Mode;

namespace {

QByteArray randomBytes(int n) {
    QByteArray b(n, '\0');
    for (char& c : b) c = static_cast<char>(QRandomGenerator::global()->bounded(256));
    return b;
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// One download window pointed at the test's server, saving into a
// folder of its own, with the desktop recorded.
struct Fixture {
    explicit Fixture(const QString& installer) : window(addresses(installer)) {
        window.setDesktop(&desktop);
        window.setDownloadFolder(folder.path());
        window.show();
        get = find<QPushButton>(&window, "getbutton");
        stop = find<QPushButton>(&window, "abortbutton");
        info = find<QLabel>(&window, "infolabel");
        phase = find<QLabel>(&window, "infolabel3");
        name = find<QLabel>(&window, "infolabel2");
        // What infolabel showed at each step of the transfer.
        QObject::connect(&window.transfer(), &LobbyDownload::headerReceived, [this] { seen << info->text(); });
        QObject::connect(&window.transfer(), &LobbyDownload::progress, [this] { seen << info->text(); });
    }
    static tc::windows::WebAddresses addresses(const QString& installer) {
        tc::windows::WebAddresses a;
        a.lobbyInstaller = installer.toStdString();
        a.lobbyProgram = "/nonexistent/velmoralobby";
        return a;
    }
    bool idle() { return get->isEnabled() && !stop->isEnabled(); }

    QTemporaryDir folder;
    DesktopRecorder desktop;
    DownloadWindow window;
    QPushButton* get;
    QPushButton* stop;
    QLabel* info;
    QLabel* phase;
    QLabel* name;
    QStringList seen;
};

} // namespace

TEST(DownloadWindow, TheWindowItsTextsAndButtons) {
    Fixture f("http://127.0.0.1:1/x");
    auto& w = f.window;
    EXPECT_EQ(w.windowTitle(), "Download The Velmora Lobby");
    EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(f.get->text(), "Download And Install The Velmora Lobby Now");
    EXPECT_EQ(f.stop->text(), "Stop Download");
    EXPECT_FALSE(f.name->isVisible());
    QStringList texts;
    for (auto* l : w.findChildren<QLabel*>()) texts << l->text();
    EXPECT_TRUE(texts.contains("Download The Velmora Lobby Now to play this  and other exciting games online "
                               "with other players! "));
    // A solo game needs nothing from the firewall; the note says what does.
    EXPECT_TRUE(texts.contains("Note: A solo game stays on this computer and needs nothing from your firewall. "
                               "Only a game you host for others needs its port (7772) open."));
    EXPECT_FALSE(texts.join(' ').contains("FIREWALL"));
    auto* solo = find<QPushButton>(&w, "button_solo");
    EXPECT_EQ(solo->text(), "Play Solo Game");
    EXPECT_TRUE(solo->isDefault());

    // Nothing runs, so there is nothing to stop: the button is greyed and
    // a click reports no abort of nothing.
    EXPECT_TRUE(f.idle());
    QTest::mouseClick(f.stop, Qt::LeftButton);
    EXPECT_EQ(f.info->text(), "");
    EXPECT_EQ(f.phase->text(), "");

    // "Don't show this again": set quietly by the owner, told when the player changes it.
    auto* dontShow = find<QCheckBox>(&w, "check_dontshow");
    EXPECT_EQ(dontShow->text(), "Don't show this again");
    EXPECT_TRUE(dontShow->isVisible());
    EXPECT_FALSE(dontShow->isChecked());
    QSignalSpy offered(&w, &DownloadWindow::offerAtStartChanged);
    w.setOfferedAtStart(false);
    EXPECT_TRUE(dontShow->isChecked());
    EXPECT_FALSE(w.offeredAtStart());
    EXPECT_EQ(offered.count(), 0);
    dontShow->click();
    EXPECT_TRUE(w.offeredAtStart());
    dontShow->click();
    ASSERT_EQ(offered.count(), 2);
    EXPECT_EQ(offered.at(0).at(0).toBool(), true);
    EXPECT_EQ(offered.at(1).at(0).toBool(), false);

    // No lobby installed: the message, and the game goes on.
    QSignalSpy exits(&w, &DownloadWindow::exitRequested);
    QTest::mouseClick(find<QPushButton>(&w, "button_others"), Qt::LeftButton);
    EXPECT_EQ(f.desktop.messages, QStringList{"Please close the game and open the Velmora Lobby from its icon on "
                                              "your desktop or from your desktop's applications menu."});
    EXPECT_TRUE(f.desktop.started.isEmpty());
    EXPECT_EQ(exits.count(), 0);

    QTest::mouseClick(solo, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
}

TEST(DownloadWindow, AWholeDownloadIsSavedAndHandedToTheDesktopNeverRun) {
    LocalHttpServer server;
    server.body = randomBytes(300000);
    Fixture f(server.url("/files/velmoralobby-setup.tar.gz"));
    QSignalSpy exits(&f.window, &DownloadWindow::exitRequested);
    // A proxy that refuses everything: the download must not use it.
    QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::HttpProxy, "127.0.0.1", 1));
    QTest::mouseClick(f.get, Qt::LeftButton);
    EXPECT_EQ(f.name->text(), "velmoralobby-setup.tar.gz");
    EXPECT_FALSE(f.get->isEnabled());
    EXPECT_TRUE(f.stop->isEnabled());
    EXPECT_EQ(f.info->text(), "Loading");
    ASSERT_TRUE(waitUntil([&] { return f.idle(); }));
    QNetworkProxy::setApplicationProxy(QNetworkProxy::DefaultProxy);

    // A dot per header line (three), then the bytes as they come, of the
    // announced total.
    ASSERT_GE(f.seen.size(), 4);
    EXPECT_EQ(f.seen.mid(0, 3), (QStringList{"Loading.", "Loading..", "Loading..."}));
    for (const QString& s : f.seen.mid(3)) EXPECT_TRUE(s.contains(" of 300000 bytes (")) << s.toStdString();
    EXPECT_EQ(f.seen.last(), "300000 of 300000 bytes (100%)");
    EXPECT_EQ(f.info->text(), "Received 300000 bytes");
    auto* bar = find<QProgressBar>(&f.window, "progress_download");
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->value(), 100);
    const QString path = QDir(f.folder.path()).filePath("velmoralobby-setup.tar.gz");
    EXPECT_EQ(f.phase->text(), "Saved to " + path);
    EXPECT_EQ(fileBytes(path), server.body);
    EXPECT_EQ(QDir(f.folder.path()).entryList(QDir::Files), QStringList{"velmoralobby-setup.tar.gz"});
    auto* openFolder = find<QPushButton>(&f.window, "button_openfolder");
    EXPECT_TRUE(openFolder->isVisible());

    ASSERT_EQ(server.requests.size(), 1);
    const QByteArray& request = server.requests.first();
    EXPECT_TRUE(request.startsWith("GET /files/velmoralobby-setup.tar.gz HTTP/1.")) << request.constData();
    EXPECT_TRUE(request.contains("\r\nUser-Agent: Mozilla/3.0 (compatible)\r\n")) << request.constData();
    EXPECT_TRUE(request.contains("\r\nAccept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*\r\n"))
        << request.constData();

    // Handed to the desktop as a file, which asks the player; then the game leaves.
    EXPECT_EQ(f.desktop.opened, QList<QUrl>{QUrl::fromLocalFile(path)});
    EXPECT_EQ(exits.count(), 1);
    EXPECT_FALSE(f.window.aborted());
    // The folder button opens the folder.
    QTest::mouseClick(openFolder, Qt::LeftButton);
    EXPECT_EQ(f.desktop.opened.last(), QUrl::fromLocalFile(f.folder.path()));
}

TEST(DownloadWindow, StopHalfWayKeepsThePartAndASecondDownloadCompletes) {
    LocalHttpServer server;
    server.mode = Mode::Trickle;
    Fixture f(server.url("/setup.bin"));
    QTest::mouseClick(f.get, Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return f.window.transfer().received() >= 4096; }));
    EXPECT_EQ(f.phase->text(), "Downloading: setup.bin");
    EXPECT_TRUE(f.info->text().contains(" of 104857600 bytes (0%)")) << f.info->text().toStdString();
    QTest::mouseClick(f.stop, Qt::LeftButton);
    EXPECT_EQ(f.info->text(), "Download has been aborted.");
    EXPECT_EQ(f.phase->text(), "Download Aborted");
    EXPECT_TRUE(f.idle());
    EXPECT_TRUE(f.window.aborted());
    // The part is kept under a name of its own, never the installer's.
    const QString path = QDir(f.folder.path()).filePath("setup.bin");
    EXPECT_FALSE(QFile::exists(path));
    const qint64 part = QFileInfo(path + ".part").size();
    EXPECT_GE(part, 4096);
    // Nothing comes in after the stop, and nothing was opened.
    QTest::qWait(100);
    EXPECT_EQ(QFileInfo(path + ".part").size(), part);
    EXPECT_EQ(f.info->text(), "Download has been aborted.");
    EXPECT_TRUE(f.desktop.opened.isEmpty());

    server.mode = Mode::Whole;
    server.body = randomBytes(5000);
    f.desktop.opens = false;  // and this time nothing can open it
    QSignalSpy exits(&f.window, &DownloadWindow::exitRequested);
    QTest::mouseClick(f.get, Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return f.idle(); }));
    EXPECT_EQ(f.info->text(), "Received 5000 bytes");
    EXPECT_EQ(fileBytes(path), server.body);
    EXPECT_EQ(QDir(f.folder.path()).entryList(QDir::Files), QStringList{"setup.bin"});
    EXPECT_EQ(f.desktop.opened.size(), 1);
    // Nothing opened it: the window says where it is, no error, no exit.
    EXPECT_EQ(f.phase->text(), "Saved to " + path);
    EXPECT_TRUE(f.desktop.messages.isEmpty());
    EXPECT_EQ(exits.count(), 0);
}

TEST(DownloadWindow, RefusedNotFoundAndRedirectedAddresses) {
    quint16 closedPort = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        closedPort = probe.serverPort();
    }
    Fixture refused(QStringLiteral("http://127.0.0.1:%1/setup.bin").arg(closedPort));
    QTest::mouseClick(refused.get, Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return refused.idle(); }));
    EXPECT_EQ(refused.info->text(), "Download Aborted");
    EXPECT_EQ(refused.phase->text(), "Connection refused");
    EXPECT_TRUE(refused.window.aborted());
    EXPECT_TRUE(refused.desktop.opened.isEmpty());
    EXPECT_TRUE(QDir(refused.folder.path()).entryList(QDir::Files).isEmpty());  // no empty file left

    // An error page is not an installer: nothing is kept or opened.
    LocalHttpServer missing;
    missing.mode = Mode::NotFound;
    Fixture notFound(missing.url("/setup.bin"));
    QTest::mouseClick(notFound.get, Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return notFound.idle(); }));
    EXPECT_EQ(notFound.info->text(), "Download Aborted");
    EXPECT_EQ(notFound.phase->text(), "404 Not Found");
    EXPECT_TRUE(QDir(notFound.folder.path()).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(notFound.desktop.opened.isEmpty());

    // A moved installer is followed; the file keeps the name of the address asked for.
    LocalHttpServer moved;
    moved.mode = Mode::Redirect;
    moved.body = randomBytes(7000);
    Fixture redirected(moved.url("/old/setup.bin"));
    QTest::mouseClick(redirected.get, Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return redirected.idle(); }));
    EXPECT_EQ(redirected.info->text(), "Received 7000 bytes");
    EXPECT_EQ(fileBytes(QDir(redirected.folder.path()).filePath("setup.bin")), moved.body);
    EXPECT_EQ(moved.requests.size(), 2);
    EXPECT_EQ(redirected.desktop.opened.size(), 1);
}

TEST(DownloadWindow, OddFileNamesStayInsideTheFolder) {
    LocalHttpServer server;
    server.body = "installer";
    for (const QString& path : {QStringLiteral("/dir/"), QStringLiteral("/velmoralobby.ini"),
                                QStringLiteral("/a%2F..%2F..%2Fescape")}) {
        Fixture f(server.url(path));
        QTest::mouseClick(f.get, Qt::LeftButton);
        ASSERT_TRUE(waitUntil([&] { return f.idle(); }));
        EXPECT_EQ(f.info->text(), "Received 9 bytes") << path.toStdString();
        const QStringList files = QDir(f.folder.path()).entryList(QDir::Files | QDir::Hidden);
        ASSERT_EQ(files.size(), 1) << path.toStdString();
        const QString expected =
            path == "/a%2F..%2F..%2Fescape" ? "a%2F..%2F..%2Fescape" : tc::windows::InstallerFileName::kFallback;
        EXPECT_EQ(files.first(), expected) << path.toStdString();
        EXPECT_EQ(f.desktop.opened, QList<QUrl>{QUrl::fromLocalFile(QDir(f.folder.path()).filePath(expected))});
    }
}

TEST(DownloadWindow, AProgramFolderThatCannotBeWrittenOrIsInstalledSendsTheFileToDownloads) {
    // A home of the test's own, so the user's Downloads folder is not touched.
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", home.path().toLocal8Bit());
    QTemporaryDir program;
    EXPECT_EQ(DownloadWindow::downloadFolderFor(program.path()), program.path());
    const QString downloads = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    EXPECT_TRUE(downloads.startsWith(home.path()));
    EXPECT_EQ(DownloadWindow::downloadFolderFor(program.filePath("gone")), downloads);
    EXPECT_TRUE(QFileInfo(downloads).isDir());
    // An installed copy's folder, writable or not, is never used.
    ASSERT_TRUE(QDir().mkpath(program.filePath("bin")));
    ASSERT_TRUE(QDir().mkpath(program.filePath("share/applications")));
    QFile(program.filePath("share/applications/org.tilecrest.Tilecrest.desktop")).open(QIODevice::WriteOnly);
    EXPECT_EQ(DownloadWindow::downloadFolderFor(program.filePath("bin")), downloads);
    qputenv("HOME", oldHome);
}

TEST(DownloadWindow, AStalledOrOversizedTransferIsAborted) {
    LocalHttpServer silent;
    silent.mode = Mode::Silent;
    silent.body = "12345";
    Fixture stalled(silent.url("/setup.bin"));
    stalled.window.transfer().setStallTimeoutMs(300);
    QTest::mouseClick(stalled.get, Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return stalled.idle(); }));
    EXPECT_EQ(stalled.info->text(), "Download Aborted");
    const QString part = QDir(stalled.folder.path()).filePath("setup.bin.part");
    EXPECT_EQ(stalled.phase->text(), "No data for 0.3 s. The part received is in " + part);
    EXPECT_EQ(fileBytes(part), "12345");
    EXPECT_FALSE(QFile::exists(QDir(stalled.folder.path()).filePath("setup.bin")));
    EXPECT_TRUE(stalled.desktop.opened.isEmpty());

    // Announced too large, or growing past the cap without announcing:
    // stopped, and the part removed.
    LocalHttpServer big;
    big.body = randomBytes(5000);
    for (Mode mode : {Mode::Whole, Mode::NoLength}) {
        big.mode = mode;
        Fixture f(big.url("/setup.bin"));
        f.window.transfer().setMaxBytes(4096);
        QTest::mouseClick(f.get, Qt::LeftButton);
        ASSERT_TRUE(waitUntil([&] { return f.idle(); }));
        EXPECT_EQ(f.info->text(), "Download Aborted");
        EXPECT_TRUE(QDir(f.folder.path()).entryList(QDir::Files).isEmpty());
        EXPECT_TRUE(f.desktop.opened.isEmpty());
    }
}

// Hand-placed at 660 x 370: with less room it is drawn smaller as a whole,
// every control in its scaled place with a smaller font, and back again.
TEST(DownloadWindow, WithLessRoomEverythingIsDrawnSmallerInItsPlace) {
    Fixture f("http://127.0.0.1:1/x");
    auto& w = f.window;
    auto* solo = find<QPushButton>(&w, "button_solo");
    const QRect soloAt = solo->geometry();
    const qreal fontAt = solo->font().pointSizeF();
    EXPECT_EQ(w.fitInto({1920, 1200}), 1.0);
    EXPECT_EQ(w.size(), QSize(660, 370));
    EXPECT_EQ(solo->geometry(), soloAt);

    EXPECT_EQ(w.fitInto({330, 600}), 0.5);
    EXPECT_EQ(w.size(), QSize(330, 185));
    EXPECT_EQ(solo->geometry(), QRect(208, 36, 75, 14));  // 416, 72, 150 x 28 halved
    EXPECT_NEAR(solo->font().pointSizeF(), fontAt / 2, 0.01);
    for (QWidget* child : w.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        EXPECT_TRUE(w.rect().contains(child->geometry())) << child->objectName().toStdString();
    auto* picture = find<QLabel>(&w, "image_download");
    EXPECT_TRUE(picture->hasScaledContents());
    EXPECT_EQ(picture->size(), QSize(90, 60));

    // Room again: as made, to the pixel.
    EXPECT_EQ(w.fitInto({800, 600}), 1.0);
    EXPECT_EQ(w.size(), QSize(660, 370));
    EXPECT_EQ(solo->geometry(), soloAt);
    EXPECT_EQ(solo->font().pointSizeF(), fontAt);
    EXPECT_FALSE(picture->hasScaledContents());
}
