// The real server host over loopback sockets on an ephemeral port.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QtTest/QTest>
#include <algorithm>
#include <memory>

#include "RuleChecker.h"
#include "TextClient.h"
#include "game/Lcg.h"
#include "net/Fields.h"
#include "server/ServerHost.h"

namespace tc::integration {
namespace {

constexpr int kWait = 15000;

class Loopback : public ::testing::Test {
protected:
    void SetUp() override {
        host = std::make_unique<server::ServerHost>(rng);
        QObject::connect(host.get(), &server::ServerHost::logLine, host.get(),
                         [this](const QString& l) { log.push_back(l.toStdString()); });
        QString error;
        ASSERT_TRUE(host->listen(QHostAddress::LocalHost, 0, &error)) << error.toStdString();
        port = host->serverPort();
        ASSERT_NE(port, 0);
    }

    // Connects, waits for the slot and logs in under `name`.
    std::unique_ptr<TextClient> join(const std::string& name, int slot) {
        auto c = std::make_unique<TextClient>(port);
        const std::string s = std::to_string(slot);
        EXPECT_TRUE(c->waitLine("CMD_sendlogininfo+" + s)) << name;
        c->send("CMD_logininfo+" + s + "+1.0.3+" + name);
        EXPECT_TRUE(c->waitLine("CMD_newplayerinfo+" + s + "+" + name + "+0")) << name;
        return c;
    }

    game::Lcg rng{20240607};
    std::unique_ptr<server::ServerHost> host;
    quint16 port = 0;
    std::vector<std::string> log;
};

TEST_F(Loopback, SeveralClientsJoinChatGetRemovedAndReleaseOnce) {
    auto bob = join("Bob", 1);
    auto ann = join("Ann", 2);
    auto cid = join("Cid", 3);
    EXPECT_TRUE(cid->waitLine("CMD_existingplayers+1+Bob+0+2+Ann+0"));
    EXPECT_TRUE(bob->waitLine("CMD_newplayerinfo+3+Cid+0"));

    ann->send("CMD_chat+2+hello+all|clBlack");
    ann->send("CMD_chat+1+spoofed|clBlack");
    const std::string relayed = "CMD_chat+2+Ann chats: hello+all|clBlack";
    for (auto* c : {bob.get(), ann.get(), cid.get()}) EXPECT_TRUE(c->waitLine(relayed));

    // The host removes Cid: Cid's connection ends, the others are told once.
    bob->send("CMD_kickhim+1+3+");
    EXPECT_TRUE(cid->waitClosed(kWait));
    EXPECT_TRUE(bob->waitLine("CMD_playerdisconnected+3+Cid"));
    // A reset (abort) releases the slot too.
    ann->socket.abort();
    EXPECT_TRUE(bob->waitLine("CMD_playerdisconnected+2+Ann"));
    // A marker after both: everything before it has arrived.
    bob->send("CMD_chat+1+marker|clBlack");
    EXPECT_TRUE(bob->waitLine("CMD_chat+1+Bob chats: marker|clBlack"));
    EXPECT_EQ(bob->count("CMD_playerdisconnected+3+Cid"), 1);
    EXPECT_EQ(bob->count("CMD_playerdisconnected+2+Ann"), 1);
    EXPECT_FALSE(host->server().player(2).active);
    EXPECT_FALSE(host->server().player(3).active);
    // The lowest freed slot goes to the next newcomer.
    auto dan = join("Dan", 2);
}

TEST_F(Loopback, TenthConnectionGetsFullAndIsClosed) {
    std::vector<std::unique_ptr<TextClient>> clients;
    for (int i = 1; i <= 9; ++i) clients.push_back(join("P" + std::to_string(i), i));
    TextClient tenth(port);
    EXPECT_TRUE(tenth.waitLine("CMD_full+"));
    EXPECT_TRUE(tenth.waitClosed(kWait));
    EXPECT_EQ(tenth.lines, std::vector<std::string>{"CMD_full+"});
    clients[3]->socket.disconnectFromHost();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !host->server().player(4).active; }, kWait));
    TextClient again(port);
    EXPECT_TRUE(again.waitLine("CMD_sendlogininfo+4"));
}

TEST_F(Loopback, ATenthWhileStrangersWaitIsClosedWithoutFull) {
    auto bob = join("Bob", 1);
    std::vector<std::unique_ptr<TextClient>> strangers;
    for (int i = 2; i <= 9; ++i) {
        strangers.push_back(std::make_unique<TextClient>(port, i));
        ASSERT_TRUE(strangers.back()->waitLine("CMD_sendlogininfo+" + std::to_string(i)));
    }
    // The table is not full: the strangers may go, and a later try get in.
    TextClient tenth(port, 10);
    EXPECT_TRUE(tenth.waitClosed(kWait));
    EXPECT_TRUE(tenth.lines.empty());
}

TEST_F(Loopback, SilentConnectionsAreClosedAfterTheLoginTimeAndFreeTheirSlots) {
    host->setLoginTimeoutMs(400);
    auto bob = join("Bob", 1);
    std::vector<std::unique_ptr<TextClient>> silent;
    for (int i = 2; i <= 9; ++i) {
        silent.push_back(std::make_unique<TextClient>(port, i));
        ASSERT_TRUE(silent.back()->waitLine("CMD_sendlogininfo+" + std::to_string(i)));
    }
    // The host looks four times within the login time, so each goes within 0.5 s.
    for (auto& c : silent) EXPECT_TRUE(c->waitClosed(kWait));
    EXPECT_EQ(std::count_if(log.begin(), log.end(),
                            [](const std::string& l) { return l.find(": no login within 400 ms") != std::string::npos; }),
              8);
    EXPECT_FALSE(bob->closed);
    auto ann = join("Ann", 2);
    EXPECT_TRUE(ann->waitLine("CMD_existingplayers+1+Bob+0"));
    // Bob heard of Ann, and of none of the silent ones, which never sat
    // down: not their arrival, not their end.
    EXPECT_TRUE(bob->waitLine("CMD_newplayerinfo+2+Ann+0"));
    EXPECT_EQ(std::count_if(bob->lines.begin(), bob->lines.end(),
                            [](const std::string& l) { return l.rfind("CMD_playerdisconnected+", 0) == 0; }),
              0);
}

TEST_F(Loopback, AnOverlongLineIsDroppedAndItsSenderStays) {
    auto bob = join("Bob", 1);
    auto ann = join("Ann", 2);
    // A 20 KiB chat line, as a client that does not cut its text sends it.
    ann->send("CMD_chat+2+" + std::string(20 * 1024, 'x') + "|clBlack");
    ann->send("CMD_chat+2+still here|clBlack");
    EXPECT_TRUE(bob->waitLine("CMD_chat+2+Ann chats: still here|clBlack"));
    EXPECT_TRUE(ann->waitLine("CMD_chat+2+Ann chats: still here|clBlack"));
    EXPECT_FALSE(ann->closed);
    EXPECT_TRUE(host->server().player(2).active);
    EXPECT_EQ(std::count(log.begin(), log.end(), "dropped 1 line longer than 8192 bytes from slot 2 (Ann)"), 1);
    // A mebibyte without a single 0xFF is another matter.
    ann->socket.write(QByteArray(1024 * 1024 + 1, 'x'));
    EXPECT_TRUE(ann->waitClosed(kWait));
    EXPECT_TRUE(bob->waitLine("CMD_playerdisconnected+2+Ann"));
    EXPECT_FALSE(bob->closed);
}

TEST_F(Loopback, AFloodFromOneClientLeavesTheOthersConnectedAndTalking) {
    std::vector<std::unique_ptr<TextClient>> honest;
    for (int s = 1; s <= 4; ++s) honest.push_back(join("P" + std::to_string(s), s));
    auto eve = join("Eve", 5);
    // Eve sends chat lines as fast as her socket takes them, for two seconds,
    // while each of the others says something every 500 ms.
    const std::string flood = "CMD_chat+5+" + std::string(90, 'f') + "|clBlack";
    QElapsedTimer clock;
    clock.start();
    int said = 0;
    qint64 nextSay = 0;
    int flooded = 0;
    const bool ran = QTest::qWaitFor(
        [&] {
            if (eve->socket.bytesToWrite() < 256 * 1024)
                for (int i = 0; i < 500; ++i, ++flooded) eve->send(flood);
            if (clock.elapsed() >= nextSay) {
                for (std::size_t k = 0; k < honest.size(); ++k)
                    honest[k]->send("CMD_chat+" + std::to_string(k + 1) + "+line" + std::to_string(said) + "|clBlack");
                ++said;
                nextSay += 500;
            }
            return clock.elapsed() >= 2000;
        },
        10000);
    ASSERT_TRUE(ran);
    ASSERT_GE(said, 4);
    ASSERT_GT(flooded, 5000);
    // Every honest line reaches every honest client, and they still talk.
    for (auto& c : honest) {
        for (std::size_t k = 0; k < honest.size(); ++k) {
            const std::string prefix = "CMD_chat+" + std::to_string(k + 1) + "+P" + std::to_string(k + 1) + " chats: line";
            EXPECT_TRUE(c->waitLine(prefix + std::to_string(said - 1) + "|clBlack", kWait));
            for (int n = 0; n < said; ++n) EXPECT_EQ(c->count(prefix + std::to_string(n) + "|clBlack"), 1);
        }
        EXPECT_FALSE(c->closed);
    }
    honest[3]->send("CMD_chat+4+after|clBlack");
    for (auto& c : honest) EXPECT_TRUE(c->waitLine("CMD_chat+4+P4 chats: after|clBlack", kWait));
    // Eve got her burst and then a trickle through, and one log line said so.
    const int relayed = honest[0]->count("CMD_chat+5+Eve chats: " + std::string(90, 'f') + "|clBlack");
    EXPECT_GE(relayed, 10);
    EXPECT_LE(relayed, 10 + 4 * 5);
    EXPECT_EQ(std::count_if(log.begin(), log.end(), [](const std::string& l) { return l.rfind("limit slot 5", 0) == 0; }),
              1);
}

TEST_F(Loopback, APeerThatStopsReadingIsClosedAtTheHardOutputLimit) {
    // Lifted flood limits let one sender push output fast enough to reach
    // the hard limit within the test.
    constexpr server::FloodLimits kOpen{1'000'000'000, 1'000'000'000, 1'000'000'000, 1'000'000'000};
    host->setFloodLimits(kOpen, kOpen);
    auto bob = join("Bob", 1);
    auto ann = join("Ann", 2);
    // Ann stops reading: Qt takes nothing more from the kernel, the kernel
    // buffers fill, and the server's queue for her grows.
    ann->socket.setReadBufferSize(1);
    ann->onLine = nullptr;
    const std::string text(7000, 'z');
    int sent = 0;
    const bool cut = QTest::qWaitFor(
        [&] {
            for (int i = 0; i < 50; ++i, ++sent) bob->send("CMD_chat+1+" + text + "|clBlack");
            return std::find(bob->lines.begin(), bob->lines.end(), "CMD_playerdisconnected+2+Ann") !=
                   bob->lines.end();
        },
        60000);
    ASSERT_TRUE(cut) << sent << " lines sent";
    // Bob read all along and is kept; what reached Ann's queue was at least the limit.
    EXPECT_GT(static_cast<std::uint64_t>(sent) * text.size(), server::kOutputHardLimit);
    EXPECT_EQ(std::count(log.begin(), log.end(), "close slot 2 (Ann): over 16777216 bytes of output unsent"), 1);
    EXPECT_FALSE(host->server().player(2).active);
    EXPECT_TRUE(host->server().player(1).active);
    EXPECT_FALSE(bob->closed);
}

TEST_F(Loopback, SecondListenerOnTheSamePortReportsThePort) {
    game::Lcg other(1);
    server::ServerHost second(other);
    QString error;
    EXPECT_FALSE(second.listen(QHostAddress::LocalHost, port, &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Cannot listen on port %1: ").arg(port))) << error.toStdString();
}

TEST_F(Loopback, WholeGameAgainstTheComputerFollowsTheRules) {
    host->setPauseMs(1);
    auto bob = join("Bob", 1);
    auto filler = join("Filler", 2);
    auto cid = join("Cid", 3);
    filler->socket.disconnectFromHost();  // seat 2 goes to the computer
    ASSERT_TRUE(bob->waitLine("CMD_playerdisconnected+2+Filler"));

    RuleChecker checker({1, 2, 3});
    // Each person plays the first legal set of tiles it finds, sliding them
    // down first as a real client would.
    int slidesSent[4] = {0, 0, 0, 0};
    auto player = [&slidesSent](TextClient* me, int seat, RuleChecker* check) {
        auto state = std::make_shared<std::pair<int, unsigned>>(0, 0x1FFu);  // seat on turn, open tiles
        me->onLine = [me, seat, check, state, &slidesSent](const std::string& line) {
            if (check) check->feed(line);
            if (line.rfind("CMD_nextplayer+", 0) == 0) {
                *state = {std::stoi(line.substr(15)), 0x1FFu};
            } else if (line.rfind("CMD_closeit+", 0) == 0) {
                for (const auto& t : net::readList(line.substr(12))) state->second &= ~(1u << (std::stoi(t) - 1));
            } else if (line.rfind("CMD_placedice+", 0) == 0 && state->first == seat) {
                net::FieldReader r(line.substr(14));
                r.positional();
                const int d1 = r.positionalInt();
                r.positional();
                const int total = d1 + r.positionalInt();
                const unsigned move = RuleChecker::findMove(state->second, total);
                if (!move) return;  // the server ends the turn itself
                std::string tiles;
                for (int t = 1; t <= 9; ++t) {
                    if (!(move & (1u << (t - 1)))) continue;
                    me->send("CMD_slide+" + std::to_string(seat) + "+down+" + std::to_string(t) + "+");
                    ++slidesSent[seat];
                    tiles += "+" + std::to_string(t);
                }
                me->send("CMD_closethem+" + std::to_string(seat) + tiles);
            }
        };
    };
    player(bob.get(), 1, &checker);
    player(cid.get(), 3, nullptr);

    bob->send("CMD_startgame+Bob+3+");
    ASSERT_TRUE(bob->waitFor([](const std::string& l) { return l.rfind("CMD_winner+", 0) == 0; }, 120000))
        << "no winner; turns " << checker.turns();
    for (const auto& e : checker.errors()) ADD_FAILURE() << e;
    EXPECT_GE(checker.rounds(), 3);
    EXPECT_NE(checker.winner(), 0);
    EXPECT_GT(checker.closes(), 0);
    EXPECT_FALSE(host->server().gamestarted());
    // Each person got exactly the other's slides, never its own.
    auto slides = [](const TextClient& c) {
        return std::count_if(c.lines.begin(), c.lines.end(),
                             [](const std::string& l) { return l.rfind("CMD_slide+down+", 0) == 0; });
    };
    EXPECT_GT(slidesSent[1], 0);
    EXPECT_GT(slidesSent[3], 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return slides(*bob) == slidesSent[3] && slides(*cid) == slidesSent[1]; }, kWait))
        << slides(*bob) << " " << slidesSent[3] << " " << slides(*cid) << " " << slidesSent[1];
    // The same game reached Cid, line for line, from the start.
    auto fromStart = [](const std::vector<std::string>& v) {
        std::vector<std::string> out;
        bool on = false;
        for (const auto& l : v) {
            if (l.rfind("CMD_startgame+", 0) == 0) on = true;
            if (on && l.rfind("CMD_slide+", 0) != 0) out.push_back(l);
        }
        return out;
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return fromStart(cid->lines).size() >= fromStart(bob->lines).size(); }, kWait));
    EXPECT_EQ(fromStart(cid->lines), fromStart(bob->lines));
}

bool startsWith(const std::string& line, const char* prefix) { return line.rfind(prefix, 0) == 0; }

// "+t+t..." of the first legal set of the open tiles for a CMD_placedice line's roll.
std::string firstMove(unsigned openMask, const std::string& placedice) {
    net::FieldReader r(placedice.substr(14));
    r.positional();
    const int d1 = r.positionalInt();
    r.positional();
    const unsigned move = RuleChecker::findMove(openMask, d1 + r.positionalInt());
    std::string tiles;
    for (int t = 1; t <= 9; ++t)
        if (move & (1u << (t - 1))) tiles += "+" + std::to_string(t);
    return tiles;
}

// Plays `seat` with the first legal set of tiles whenever its roll comes.
void autoPlay(TextClient* me, int seat) {
    auto state = std::make_shared<std::pair<int, unsigned>>(0, 0x1FFu);  // seat on turn, open tiles
    me->onLine = [me, seat, state](const std::string& line) {
        if (startsWith(line, "CMD_nextplayer+")) {
            *state = {std::stoi(line.substr(15)), 0x1FFu};
        } else if (startsWith(line, "CMD_closeit+")) {
            for (const auto& t : net::readList(line.substr(12))) state->second &= ~(1u << (std::stoi(t) - 1));
        } else if (startsWith(line, "CMD_placedice+") && state->first == seat) {
            const std::string tiles = firstMove(state->second, line);
            if (!tiles.empty()) me->send("CMD_closethem+" + std::to_string(seat) + tiles);
        }
    };
}

TEST_F(Loopback, ANewcomerInAWatchersSeatPlaysHisOwnTurns) {
    host->setPauseMs(1);
    auto bob = join("Bob", 1);
    auto ann = join("Ann", 2);
    auto cid = join("Cid", 3);
    autoPlay(bob.get(), 1);
    autoPlay(ann.get(), 2);
    bob->send("CMD_startgame+Bob+10+");
    ASSERT_TRUE(cid->waitFor([](const std::string& l) { return startsWith(l, "CMD_nextplayer+"); }, kWait));
    // Cid lets the computer play for him, then leaves; Dan takes the seat.
    cid->send("CMD_justwatch+3+1");
    ASSERT_TRUE(bob->waitLine("CMD_justwatching+3+1", kWait));
    cid->socket.disconnectFromHost();
    ASSERT_TRUE(bob->waitLine("CMD_playerdisconnected+3+Cid", kWait));
    auto dan = join("Dan", 3);
    ASSERT_TRUE(host->server().gamestarted());

    // Dan's turn comes: nothing moves for him, however long he thinks.
    ASSERT_TRUE(dan->waitLine("CMD_nextplayer+3", 60000));
    const auto turn = static_cast<std::size_t>(std::find(dan->lines.begin(), dan->lines.end(), "CMD_nextplayer+3") -
                                               dan->lines.begin());
    ASSERT_TRUE(dan->waitFor([](const std::string& l) { return startsWith(l, "CMD_placedice+"); }, kWait, turn));
    QTest::qWait(300);  // some hundred pauses of the computer
    const std::vector<std::string> since(dan->lines.begin() + static_cast<std::ptrdiff_t>(turn), dan->lines.end());
    ASSERT_EQ(since.size(), 2u) << since.back();  // CMD_nextplayer, CMD_placedice, nothing more
    // His own move, on the roll he was shown, is taken.
    const std::string tiles = firstMove(0x1FFu, since[1]);
    const std::size_t before = dan->lines.size();
    dan->send("CMD_closethem+3" + tiles);
    EXPECT_TRUE(dan->waitFor([&](const std::string& l) { return l == "CMD_closeit" + tiles; }, kWait, before));
    EXPECT_FALSE(host->server().player(3).watching);
}

TEST(HeadlessServer, BindFailureNamesThePortAndExitsOne) {
    QTcpServer blocker;
    ASSERT_TRUE(blocker.listen(QHostAddress::LocalHost, 0));
    QProcess proc;
    proc.start(QStringLiteral(TILECREST_SERVER_BINARY),
               {QStringLiteral("--port"), QString::number(blocker.serverPort()), QStringLiteral("--bind"),
                QStringLiteral("127.0.0.1")});
    ASSERT_TRUE(proc.waitForFinished(kWait));
    EXPECT_EQ(proc.exitCode(), 1);
    const QString err = QString::fromUtf8(proc.readAllStandardError());
    EXPECT_TRUE(err.contains(QStringLiteral("Cannot listen on port %1").arg(blocker.serverPort()))) << err.toStdString();
}

TEST(HeadlessServer, AnUnknownComputerPlayerIsRefusedWithTheUsageAndExitsTwo) {
    for (const char* bad : {"Expert", "best", ""}) {
        QProcess proc;
        proc.start(QStringLiteral(TILECREST_SERVER_BINARY),
                   {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--bind"), QStringLiteral("127.0.0.1"),
                    QStringLiteral("--rudi"), QString::fromLatin1(bad)});
        ASSERT_TRUE(proc.waitForFinished(kWait));
        EXPECT_EQ(proc.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(proc.exitCode(), 2) << bad;
        const QString err = QString::fromUtf8(proc.readAllStandardError());
        if (*bad) {
            EXPECT_TRUE(err.startsWith(QStringLiteral("tilecrest-server: --rudi needs classic or expert, not \"%1\"\n\n"
                                                      "Usage: tilecrest-server ")
                                           .arg(QString::fromLatin1(bad))))
                << err.toStdString();
        }
        EXPECT_TRUE(err.contains(QStringLiteral("--rudi")) && err.contains(QStringLiteral("[--rudi classic|expert]")))
            << err.toStdString();
        EXPECT_TRUE(proc.readAllStandardOutput().isEmpty()) << bad;
    }
}

TEST(HeadlessServer, AHoldOutOfRangeIsRefusedWithTheUsageAndExitsTwo) {
    for (const char* bad : {"3601", "-5", "two"}) {
        QProcess proc;
        proc.start(QStringLiteral(TILECREST_SERVER_BINARY),
                   {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--bind"), QStringLiteral("127.0.0.1"),
                    QStringLiteral("--hold-s"), QString::fromLatin1(bad)});
        ASSERT_TRUE(proc.waitForFinished(kWait));
        EXPECT_EQ(proc.exitCode(), 2) << bad;
        const QString err = QString::fromUtf8(proc.readAllStandardError());
        EXPECT_TRUE(err.startsWith(QStringLiteral("tilecrest-server: --hold-s "))) << err.toStdString();
        EXPECT_TRUE(err.contains(QStringLiteral("[--hold-s N]"))) << err.toStdString();
        EXPECT_TRUE(proc.readAllStandardOutput().isEmpty()) << bad;
    }
}

TEST(HeadlessServer, LogsEventsAndStopsCleanlyOnSigterm) {
    QProcess proc;
    proc.start(QStringLiteral(TILECREST_SERVER_BINARY),
               {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--bind"), QStringLiteral("127.0.0.1"),
                QStringLiteral("--seed"), QStringLiteral("7"), QStringLiteral("--rudi"), QStringLiteral("expert")});
    ASSERT_TRUE(proc.waitForStarted(kWait));
    QByteArray out;
    ASSERT_TRUE(QTest::qWaitFor([&] { out += proc.readAllStandardOutput(); return out.contains('\n'); }, kWait));
    const QString first = QString::fromUtf8(out.left(out.indexOf('\n')));
    EXPECT_TRUE(first.endsWith(QStringLiteral(", seed 7, pause 1000 ms, rudi expert"))) << first.toStdString();
    const qsizetype at = first.indexOf(QStringLiteral(" port "));
    ASSERT_GT(at, 0) << first.toStdString();
    const quint16 port = static_cast<quint16>(first.mid(at + 6).section(',', 0, 0).toUInt());
    ASSERT_NE(port, 0);
    {
        TextClient c(port);
        ASSERT_TRUE(c.waitLine("CMD_sendlogininfo+1"));
        c.send("CMD_logininfo+1+1.0.3+Bob");
        ASSERT_TRUE(c.waitLine("CMD_newplayerinfo+1+Bob+0"));
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { out += proc.readAllStandardOutput(); return out.contains("login slot 1 (Bob)"); }, kWait))
        << out.toStdString();
    proc.terminate();
    ASSERT_TRUE(proc.waitForFinished(kWait));
    EXPECT_EQ(proc.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(proc.exitCode(), 0);
}

} // namespace
} // namespace tc::integration

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
