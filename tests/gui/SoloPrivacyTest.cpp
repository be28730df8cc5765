// A solo game can be reached only from this computer, and copies play solo
// side by side: its server listens on 127.0.0.1, on another port when its
// own is taken. A hosted game listens on every address. What was bound is
// read from the live socket, not from what the program meant to bind.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <QPushButton>
#include <QTcpServer>
#include <QTemporaryDir>

#include "GameCopy.h"
#include "client/BoardPictureButton.h"
#include "client/DicePanel.h"
#include "client/GameStartWindow.h"
#include "server/ServerHost.h"
#include "store/StoreLocation.h"

using tc::guitest::GameCopy;
using tc::guitest::waitUntil;

namespace {

// The address the copy's listening socket is bound to, as the system says.
QString boundAddress(GameCopy& copy) {
    sockaddr_storage a{};
    socklen_t len = sizeof a;
    const auto fd = static_cast<int>(copy.game.server().listeningSocket());
    if (fd < 0 || ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) != 0) return {};
    char text[INET6_ADDRSTRLEN] = {};
    if (a.ss_family == AF_INET)
        ::inet_ntop(AF_INET, &reinterpret_cast<sockaddr_in*>(&a)->sin_addr, text, sizeof text);
    else
        ::inet_ntop(AF_INET6, &reinterpret_cast<sockaddr_in6*>(&a)->sin6_addr, text, sizeof text);
    return QString::fromLatin1(text);
}

// Copies made while it lives keep their files in folders of their own.
struct OwnFolders {
    ~OwnFolders() { tc::store::setStoreFolderOverride(before); }
    void next() { tc::store::setStoreFolderOverride(dirs.emplace_back(std::make_unique<QTemporaryDir>())->path()); }
    QString before = tc::store::storeFolderOverride();
    std::vector<std::unique_ptr<QTemporaryDir>> dirs;
};

void startGame(GameCopy& copy) {
    auto* startButton = copy.board().dicePanel()->startButton();
    ASSERT_TRUE(waitUntil([&] { return startButton->isVisible(); }));
    QTest::mouseClick(startButton, Qt::LeftButton);
    auto& start = copy.game.gameStart();
    ASSERT_TRUE(waitUntil([&] { return start.isVisible(); }));
    QTest::mouseClick(start.findChild<QPushButton*>("button_start"), Qt::LeftButton);
}

} // namespace

TEST(SoloPrivacy, TwoSoloCopiesPlayAtOnceEachOnLoopbackOnly) {
    // Someone else holds the port both copies ask for.
    QTcpServer holder;
    ASSERT_TRUE(holder.listen(QHostAddress::LocalHost, 0));
    const QString port = QString::number(holder.serverPort());
    OwnFolders folders;
    folders.next();
    GameCopy ann({"--port", port, "--pause-ms", "5"});
    folders.next();
    GameCopy bob({"--port", port, "--pause-ms", "5"});
    for (GameCopy* copy : {&ann, &bob}) {
        ASSERT_TRUE(waitUntil([&] { return copy->session().loggedin() && copy->seat(1) == "You"; }));
        EXPECT_FALSE(copy->chatHas("Cannot host the game"));
        EXPECT_EQ(boundAddress(*copy), "127.0.0.1");
    }
    const quint16 annPort = ann.game.server().serverPort();
    const quint16 bobPort = bob.game.server().serverPort();
    EXPECT_NE(annPort, holder.serverPort());
    EXPECT_NE(bobPort, holder.serverPort());
    EXPECT_NE(annPort, bobPort);
    EXPECT_EQ(ann.window().hostingPort(), annPort);  // the own client followed

    // Both play: each rolls on its own turns, each against its own Rudi.
    startGame(ann);
    startGame(bob);
    ASSERT_TRUE(waitUntil([&] { return ann.seat(2) == "Rudi" && bob.seat(2) == "Rudi"; }));
    ASSERT_TRUE(waitUntil([&] { return ann.sounds.count("dice") > 0 && bob.sounds.count("dice") > 0; }, 60000));
}

TEST(SoloPrivacy, AHostedGameListensOnEveryAddress) {
    OwnFolders folders;
    folders.next();
    GameCopy ann({"Ann", "x", "true", "--port", "0"});
    ASSERT_TRUE(waitUntil([&] { return ann.session().loggedin() && ann.seat(1) == "Ann"; }));
    const QString bound = boundAddress(ann);
    EXPECT_TRUE(bound == "::" || bound == "0.0.0.0") << bound.toStdString();
}
