// A squatter against the real tilecrest-server, each its own process on
// loopback, and players joining as a player's copy does.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QtTest/QTest>
#include <algorithm>
#include <memory>

#include "TextClient.h"

namespace tc::integration {
namespace {

constexpr int kWait = 15000;

class Squatter : public ::testing::Test {
protected:
    void SetUp() override {
        server.setProgram(QStringLiteral(TILECREST_SERVER_BINARY));
        // A short login time, so that the squatter's waiting ones go and it
        // takes the lowest free slot again between the tries.
        server.setArguments({"--bind", "127.0.0.1", "--port", "0", "--seed", "3", "--no-announce", "--login-ms", "1000"});
        server.start();
        ASSERT_TRUE(server.waitForStarted(kWait));
        ASSERT_TRUE(QTest::qWaitFor([&] { readLog(); return port != 0; }, kWait));
    }
    void TearDown() override {
        squatter.closeWriteChannel();  // its signal to end
        if (squatter.state() != QProcess::NotRunning && !squatter.waitForFinished(kWait)) squatter.kill();
        server.terminate();
        if (!server.waitForFinished(kWait)) server.kill();
    }
    void readLog() {
        serverOut += server.readAllStandardOutput();
        qsizetype nl;
        while ((nl = serverOut.indexOf('\n')) >= 0) {
            const QByteArray line = serverOut.left(nl);
            serverOut.remove(0, nl + 1);
            log.push_back(line.toStdString());
            if (line.startsWith("listening on ")) port = static_cast<quint16>(line.split(' ').at(4).chopped(1).toUInt());
        }
    }
    void readSquatter() {
        squatOut += squatter.readAllStandardOutput();
        qsizetype nl;
        while ((nl = squatOut.indexOf('\n')) >= 0) {
            squats.push_back(squatOut.left(nl).toStdString());
            squatOut.remove(0, nl + 1);
        }
    }
    int squatted(const std::string& line) {
        readSquatter();
        return static_cast<int>(std::count(squats.begin(), squats.end(), line));
    }
    // The squatter from 127.0.0.66; every `everyMs`, or as fast as the
    // server answers without it.
    void startSquatter(int everyMs = 0) {
        QStringList args{QString::number(port), QStringLiteral("127.0.0.66")};
        if (everyMs > 0) args << QString::number(everyMs);
        squatter.start(QStringLiteral(TILECREST_SQUATTER_BINARY), args);
        ASSERT_TRUE(squatter.waitForStarted(kWait));
    }
    std::unique_ptr<TextClient> join(const std::string& name, int slot) {
        auto c = std::make_unique<TextClient>(port);
        const std::string s = std::to_string(slot);
        EXPECT_TRUE(c->waitLine("CMD_sendlogininfo+" + s)) << name;
        c->send("CMD_logininfo+" + s + "+1.0.3+" + name);
        EXPECT_TRUE(c->waitLine("CMD_newplayerinfo+" + s + "+" + name + "+0")) << name;
        return c;
    }
    int logged(const std::string& start) {
        readLog();
        return static_cast<int>(std::count_if(log.begin(), log.end(), [&](const std::string& l) { return l.rfind(start, 0) == 0; }));
    }

    QProcess server, squatter;
    QByteArray serverOut, squatOut;
    std::vector<std::string> log, squats;
    quint16 port = 0;
};

TEST_F(Squatter, AsFastAsTheServerAcceptsAndAPlayerStillGetsTheLowestFreeSlotTwentyTimes) {
    auto bob = join("Bob", 1);
    ASSERT_TRUE(bob->waitFor([](const std::string& l) { return l.rfind("CMD_seatkey+", 0) == 0; }, kWait));
    const std::size_t bobBefore = bob->lines.size();
    startSquatter();
    // It holds two slots, 2 and 3, and is turned away for the rest.
    ASSERT_TRUE(QTest::qWaitFor([&] { return squatted("slot 2") >= 1 && squatted("slot 3") >= 1; }, kWait));
    qint64 slowestMs = 0;
    for (int i = 0; i < 20; ++i) {
        // Slot 2 is the squatter's again before each try.
        ASSERT_TRUE(QTest::qWaitFor([&] { return squatted("slot 2") > i; }, kWait)) << i;
        const int gaveWay = logged("close slot 2: gave way to 127.0.0.1:");
        QElapsedTimer t;
        t.start();
        TextClient ann(port);
        ASSERT_TRUE(ann.waitLine("CMD_sendlogininfo+2", kWait)) << i;
        slowestMs = std::max(slowestMs, t.elapsed());
        ann.send("CMD_logininfo+2+1.0.3+Ann");
        ASSERT_TRUE(bob->waitLine("CMD_newplayerinfo+2+Ann+0", kWait)) << i;
        EXPECT_TRUE(QTest::qWaitFor([&] { return logged("close slot 2: gave way to 127.0.0.1:") > gaveWay; }, kWait))
            << i;
        EXPECT_TRUE(ann.waitLine("CMD_newplayerinfo+2+Ann+0", kWait)) << i;
        EXPECT_EQ(ann.lines.front(), "CMD_sendlogininfo+2") << i;
        ann.socket.disconnectFromHost();
        ASSERT_TRUE(QTest::qWaitFor([&] { return bob->count("CMD_playerdisconnected+2+Ann") > i; }, kWait)) << i;
    }
    // The table was never full, so the squatter was never told it was.
    EXPECT_EQ(squatted("full"), 0);
    EXPECT_GE(squatted("closed 2"), 20);
    // Bob heard of Ann's twenty visits and of nothing the squatter did.
    for (std::size_t i = bobBefore; i < bob->lines.size(); ++i)
        EXPECT_TRUE(bob->lines[i].find("+Ann") != std::string::npos) << bob->lines[i];
    EXPECT_FALSE(bob->closed);
    // Thousands of tries, a handful of log lines about them.
    EXPECT_LE(logged("turning away connections while others wait to log in"), 3);
    RecordProperty("slowest_join_ms", static_cast<int>(slowestMs));
}

TEST_F(Squatter, EveryFifthOfASecondAndAFriendsSecondCopyBehindTheSameRouterBothGetIn) {
    auto bob = join("Bob", 1);
    startSquatter(200);
    ASSERT_TRUE(QTest::qWaitFor([&] { return squatted("slot 2") >= 1 && squatted("slot 3") >= 1; }, kWait));
    QTest::qWait(1500);  // a few more tries: it has shown what it is
    // Two copies of one address at once, while the squatter holds 2 and 3.
    TextClient ann(port, 20);
    TextClient annAgain(port, 20);
    ASSERT_TRUE(ann.waitFor([](const std::string& l) { return l.rfind("CMD_sendlogininfo+", 0) == 0; }, kWait));
    ASSERT_TRUE(annAgain.waitFor([](const std::string& l) { return l.rfind("CMD_sendlogininfo+", 0) == 0; }, kWait));
    std::vector<std::string> got{ann.lines.front(), annAgain.lines.front()};
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, (std::vector<std::string>{"CMD_sendlogininfo+2", "CMD_sendlogininfo+3"}));
    const std::string annSlot = ann.lines.front().substr(18);
    const std::string againSlot = annAgain.lines.front().substr(18);
    ann.send("CMD_logininfo+" + annSlot + "+1.0.3+Ann");
    annAgain.send("CMD_logininfo+" + againSlot + "+1.0.3+Ann2");
    EXPECT_TRUE(bob->waitLine("CMD_newplayerinfo+" + annSlot + "+Ann+0", kWait));
    EXPECT_TRUE(bob->waitLine("CMD_newplayerinfo+" + againSlot + "+Ann2+0", kWait));
    EXPECT_TRUE(QTest::qWaitFor([&] { return squatted("closed 2") >= 1 && squatted("closed 3") >= 1; }, kWait));
    EXPECT_EQ(squatted("full"), 0);
    EXPECT_FALSE(ann.closed);
    EXPECT_FALSE(annAgain.closed);
}

} // namespace
} // namespace tc::integration
