// A full table in real windows: a typed burst relayed whole, a spectator's
// own table, the Host dialog of a copy that already hosts.
#include <QAction>
#include <QSpinBox>

#include "GameCopy.h"
#include "chat/ChatInput.h"
#include "client/ConnectDialog.h"

using tc::guitest::GameCopy;
using tc::guitest::WireClient;
using tc::guitest::waitUntil;

namespace {

std::unique_ptr<GameCopy> startHost(const QString& name) {
    auto host = std::make_unique<GameCopy>(QStringList{name, "127.0.0.1", "true", "--port", "0"});
    EXPECT_TRUE(waitUntil([&] { return host->session().loggedin() && host->seat(1) == name; }));
    return host;
}

QStringList joinArgs(const QString& name, GameCopy& host) {
    return {name, "127.0.0.1", "false", "--port", QString::number(host.window().hostingPort())};
}

// The chat lines holding `prefix`, in the order the pane shows them.
QStringList linesWith(GameCopy& copy, const QString& prefix) {
    QStringList out;
    for (const QString& line : copy.chat().split(QLatin1Char('\n')))
        if (line.simplified().startsWith(prefix)) out << line.simplified();
    return out;
}

} // namespace

TEST(FullTable, ABurstOfTwentyFiveTypedLinesReachesEveryoneWholeAndInOrder) {
    auto ann = startHost("Ann");
    GameCopy bob(joinArgs("Bob", *ann));
    ASSERT_TRUE(waitUntil([&] { return ann->seat(2) == "Bob" && bob.session().loggedin(); }));
    auto* input = bob.window().findChild<tc::chat::ChatInput*>("mychat");
    ASSERT_NE(input, nullptr);
    input->setFocus();
    QStringList typed;
    for (int n = 1; n <= 25; ++n) {
        typed << QStringLiteral("Bob chats: quick %1").arg(n);
        QTest::keyClicks(input, QStringLiteral("quick %1").arg(n));
        QTest::keyClick(input, Qt::Key_Return);
    }
    // Faster than the server takes them: the box says lines wait.
    EXPECT_TRUE(input->placeholderText().endsWith(QStringLiteral("lines waiting to be sent\u2026")))
        << input->placeholderText().toStdString();
    EXPECT_TRUE(input->text().isEmpty());
    EXPECT_TRUE(bob.chatHas("Your lines are sent a few a second so that none is lost; the rest follow shortly."));
    // Bob's own pane reads them in the second person.
    ASSERT_TRUE(waitUntil([&] { return linesWith(*ann, "Bob chats: quick").size() == 25; }, 30000))
        << linesWith(*ann, "Bob chats: quick").size();
    ASSERT_TRUE(waitUntil([&] { return linesWith(bob, "You chat: quick").size() == 25; }, 30000));
    EXPECT_EQ(linesWith(*ann, "Bob chats: quick"), typed);
    EXPECT_EQ(linesWith(bob, "You chat: quick"), typed.replaceInStrings("Bob chats:", "You chat:"));
    EXPECT_TRUE(input->placeholderText().isEmpty());
}

TEST(FullTable, ASpectatorsTableSaysHeWatchesAndJustWatchIsOffForHim) {
    auto ann = startHost("Ann");
    std::vector<std::unique_ptr<WireClient>> seated;
    for (int n = 2; n <= 6; ++n) {
        seated.push_back(std::make_unique<WireClient>(ann->window().hostingPort(), "P" + QByteArray::number(n)));
        ASSERT_TRUE(waitUntil([&] { return ann->seat(n) == QStringLiteral("P%1").arg(n); }));
    }
    GameCopy eve(joinArgs("Eve", *ann));
    ASSERT_TRUE(waitUntil([&] { return eve.session().loggedin() && eve.session().myseat() == 7; }));
    ASSERT_TRUE(waitUntil([&] { return eve.session().table().spectating; }));
    auto* line = eve.window().findChild<QLabel*>("label_spectating");
    EXPECT_TRUE(line->isVisible());
    EXPECT_EQ(line->text(), QString::fromUtf8("Watching \u2014 seats are full"));
    EXPECT_FALSE(eve.window().findChild<QAction*>("JustWatch1")->isEnabled());
    EXPECT_FALSE(ann->window().findChild<QWidget*>("label_spectating")->isVisible());
    EXPECT_TRUE(ann->window().findChild<QAction*>("JustWatch1")->isEnabled());
}

TEST(FullTable, TheHostDialogOffersThePortTheGameRunsOn) {
    GameCopy solo({"--port", "0"});
    ASSERT_TRUE(waitUntil([&] { return solo.session().loggedin(); }));
    const quint16 port = solo.window().hostingPort();
    ASSERT_NE(port, 0);
    solo.window().findChild<QAction*>("HostaGame1")->trigger();
    auto* dialog = solo.window().findChild<tc::client::ConnectDialog*>("ConnectDialog");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->findChild<QSpinBox*>("spin_port")->value(), port);
    dialog->reject();
}
