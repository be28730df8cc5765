// Seats changing hands at a running table, over loopback with the real host.
#include <QtTest/QTest>
#include <algorithm>
#include <memory>

#include "LoopbackFixture.h"
#include "RuleChecker.h"
#include "net/Fields.h"

namespace tc::integration {
namespace {

bool startsWith(const std::string& line, const std::string& prefix) { return line.rfind(prefix, 0) == 0; }

// The sum of a CMD_placedice line's two faces.
int rollOf(const std::string& line) {
    net::FieldReader r(line.substr(14));
    r.positional();
    const int d1 = r.positionalInt();
    r.positional();
    return d1 + r.positionalInt();
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
            const unsigned move = RuleChecker::findMove(state->second, rollOf(line));
            std::string tiles;
            for (int t = 1; t <= 9; ++t)
                if (move & (1u << (t - 1))) tiles += "+" + std::to_string(t);
            if (move) me->send("CMD_closethem+" + std::to_string(seat) + tiles);
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
    ASSERT_TRUE(bob->waitFor([](const std::string& l) { return startsWith(l, "CMD_nextplayer+"); }, kWait));
    // Cid lets the computer play for him, then leaves; Dan takes the seat.
    cid->send("CMD_justwatch+3+1");
    ASSERT_TRUE(bob->waitLine("CMD_justwatching+3+1", kWait));
    cid->socket.disconnectFromHost();
    ASSERT_TRUE(bob->waitLine("CMD_playerdisconnected+3+Cid", kWait));
    auto dan = join("Dan", 3);
    ASSERT_TRUE(host->server().gamestarted());

    // Dan's turn comes: nothing moves for him, however long he thinks.
    ASSERT_TRUE(dan->waitLine("CMD_nextplayer+3", 60000));
    const auto turn = std::find(dan->lines.begin(), dan->lines.end(), "CMD_nextplayer+3") - dan->lines.begin();
    ASSERT_TRUE(dan->waitFor([](const std::string& l) { return startsWith(l, "CMD_placedice+"); }, kWait,
                             static_cast<std::size_t>(turn)));
    QTest::qWait(300);  // some hundred pauses of the computer
    const auto from = dan->lines.begin() + turn;
    EXPECT_EQ(std::count_if(from, dan->lines.end(), [](const std::string& l) { return startsWith(l, "CMD_closeit+"); }),
              0);
    const auto dice = std::find_if(from, dan->lines.end(), [](const std::string& l) { return startsWith(l, "CMD_placedice+"); });
    ASSERT_NE(dice, dan->lines.end());
    EXPECT_EQ(std::count_if(from, dan->lines.end(), [](const std::string& l) { return startsWith(l, "CMD_placedice+"); }),
              1);
    // His own move, on the roll he was shown, is taken.
    const unsigned move = RuleChecker::findMove(0x1FFu, rollOf(*dice));
    ASSERT_NE(move, 0u);
    std::string tiles;
    for (int t = 1; t <= 9; ++t)
        if (move & (1u << (t - 1))) tiles += "+" + std::to_string(t);
    const std::size_t before = dan->lines.size();
    dan->send("CMD_closethem+3" + tiles);
    EXPECT_TRUE(dan->waitFor([&](const std::string& l) { return l == "CMD_closeit" + tiles; }, kWait, before));
    EXPECT_FALSE(host->server().player(3).watching);
}

TEST_F(Loopback, APlayerTheHostRemovedIsToldTheGameIsFullWhenHeComesBack) {
    auto bob = join("Bob", 1);
    auto ann = join("Ann", 2);
    bob->send("CMD_kickhim+1+2+");
    ASSERT_TRUE(ann->waitClosed(kWait));
    ASSERT_TRUE(bob->waitLine("CMD_playerdisconnected+2+Ann", kWait));

    TextClient back(port);
    ASSERT_TRUE(back.waitLine("CMD_sendlogininfo+2"));
    back.send("CMD_logininfo+2+1.0.3+Ann");
    EXPECT_TRUE(back.waitLine("CMD_full+", kWait));
    EXPECT_TRUE(back.waitClosed(kWait));
    EXPECT_NE(std::find(log.begin(), log.end(), "refused slot 2 (Ann): removed by the host earlier, from 127.0.0.1"),
              log.end());
    // Nobody else was told anything; another name sits down.
    auto dan = join("Dan", 2);
    EXPECT_TRUE(bob->waitLine("CMD_newplayerinfo+2+Dan+0", kWait));
    EXPECT_EQ(std::count_if(bob->lines.begin(), bob->lines.end(),
                            [](const std::string& l) { return startsWith(l, "CMD_newplayerinfo+2+Ann"); }),
              1);
}

} // namespace
} // namespace tc::integration
