// A friend's game on another machine: a tilecrest-server process in a
// second network namespace, joined to this one by a veth pair, with its own
// bus and Avahi daemon (netns-run.sh with TILECREST_NETNS_PEER=1). The Join
// dialog lists it with its address there, and a double click joins it.
#include <QComboBox>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTreeWidget>

#include "GameCopy.h"
#include "NetnsSupport.h"
#include "ServerProcess.h"
#include "client/ConnectDialog.h"
#include "client/MainWindow.h"
#include "store/StoreLocation.h"

namespace tc::discovery::test {
namespace {

using guitest::GameCopy;
using guitest::waitUntil;

// The far end of the veth pair.
const QString kFriendAddress = QStringLiteral("198.18.77.2");

QStringList onOtherMachine() {
    return {QStringLiteral("nsenter"), QStringLiteral("-t"), qEnvironmentVariable("TILECREST_PEER_PID"),
            QStringLiteral("-n"), QStringLiteral("-m"), QStringLiteral("--")};
}

QTreeWidgetItem* rowNamed(QTreeWidget* list, const QString& name) {
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->text(0) == name) return list->topLevelItem(i);
    return nullptr;
}

TEST(OtherMachine, AFriendsServerIsListedInAnOpenJoinDialogAndADoubleClickJoinsIt) {
    REQUIRE_NETNS();
    if (qEnvironmentVariableIsEmpty("TILECREST_PEER_PID")) GTEST_SKIP() << "this run has no second namespace";
    QTemporaryDir bobDir;
    store::setStoreFolderOverride(bobDir.path());
    GameCopy bob({"--port", "0"});
    ASSERT_TRUE(waitUntil([&] { return bob.session().loggedin(); }));

    // The dialog is open before the friend's server starts.
    bob.window().findChild<QAction*>("JoinaGame1")->trigger();
    auto* d = bob.window().findChild<client::ConnectDialog*>("ConnectDialog");
    ASSERT_TRUE(d && d->isVisible());
    auto* list = d->findChild<QTreeWidget*>("list_games");
    QTest::qWait(500);
    EXPECT_EQ(list->topLevelItemCount(), 0);

    const quint16 port = freePort();
    ServerProcess friendly({"--port", QString::number(port), "--name", "Friday game"}, onOtherMachine());
    ASSERT_TRUE(friendly.waitForLine("announced as \"Friday game\"")) << friendly.output.constData();

    ASSERT_TRUE(waitUntil([&] { return rowNamed(list, "Friday game") != nullptr; }, 20000))
        << friendly.output.constData();
    QTreeWidgetItem* row = rowNamed(list, "Friday game");
    EXPECT_EQ(row->text(1), QStringLiteral("%1:%2").arg(kFriendAddress).arg(port));
    EXPECT_EQ(row->text(2), "0 (6 free)");
    EXPECT_EQ(row->text(3), "waiting");
    EXPECT_EQ(list->topLevelItemCount(), 1);
    EXPECT_FALSE(d->findChild<QLabel*>("label_discovery")->isVisible());

    d->findChild<QLineEdit*>("edit_name")->setText("Bob");
    const QRect r = list->visualItemRect(row);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
    EXPECT_EQ(d->findChild<QComboBox*>("combo_address")->currentText(), kFriendAddress);
    EXPECT_EQ(d->findChild<QSpinBox*>("spin_port")->value(), port);
    // Seated at the friend's table, from this machine's end of the link.
    EXPECT_TRUE(friendly.waitForLine("login slot 1 (Bob) version 1.0.3", 20000)) << friendly.output.constData();
    EXPECT_TRUE(friendly.output.contains("from 198.18.77.1")) << friendly.output.constData();
    EXPECT_TRUE(waitUntil([&] { return !d->isVisible() && bob.session().loggedin() && bob.seat(1) == "Bob"; }));

    // The friend's record follows the seat taken, in the list opened again.
    bob.window().findChild<QAction*>("JoinaGame1")->trigger();
    EXPECT_TRUE(waitUntil([&] {
        QTreeWidgetItem* again = rowNamed(list, "Friday game");
        return again && again->text(2) == "1 (5 free)";
    }, 20000));
    d->reject();

    // The friend stops: gone from the list.
    bob.window().findChild<QAction*>("JoinaGame1")->trigger();
    ASSERT_TRUE(waitUntil([&] { return rowNamed(list, "Friday game") != nullptr; }, 20000));
    friendly.stop();
    EXPECT_TRUE(waitUntil([&] { return list->topLevelItemCount() == 0; }, 20000));
    d->reject();
}

// Every interface a name is announced on, as this side's or the friend's
// Avahi sees it.
QStringList interfacesOf(const std::vector<BrowsedService>& list, const QString& name) {
    QStringList out;
    for (const auto& s : list)
        if (s.name == name) out << s.iface + QLatin1Char(' ') + s.address;
    out.sort();
    return out;
}

TEST(OtherMachine, AServerBoundToOneAddressIsAnnouncedOnlyOnItsInterface) {
    REQUIRE_NETNS();
    if (qEnvironmentVariableIsEmpty("TILECREST_PEER_PID")) GTEST_SKIP() << "this run has no second namespace";
    const quint16 boundPort = freePort();
    ServerProcess bound({"--port", QString::number(boundPort), "--name", "Bound", "--bind", "198.18.77.1"});
    const quint16 port = freePort();
    ServerProcess everywhere({"--port", QString::number(port), "--name", "Everywhere"});
    ASSERT_TRUE(bound.waitForLine("announced as \"Bound\"")) << bound.output.constData();
    ASSERT_TRUE(everywhere.waitForLine("announced as \"Everywhere\"")) << everywhere.output.constData();

    // Here: the unbound one on loopback and on the link; the bound one
    // only on the link, where it listens.
    EXPECT_TRUE(browseUntil([&](const auto& list) {
        return interfacesOf(list, "Everywhere") == QStringList{"lo 127.0.0.1", "tcnear 198.18.77.1"} &&
               interfacesOf(list, "Bound") == QStringList{"tcnear 198.18.77.1"};
    }));
    EXPECT_EQ(interfacesOf(browse(), "Bound"), QStringList{"tcnear 198.18.77.1"});
    // On the friend's machine both are seen at the link's address.
    EXPECT_TRUE(browseUntil([&](const auto& list) {
        return interfacesOf(list, "Bound") == QStringList{"tcfar 198.18.77.1"} &&
               interfacesOf(list, "Everywhere") == QStringList{"tcfar 198.18.77.1"};
    }, 10000, onOtherMachine()));
}

} // namespace
} // namespace tc::discovery::test
