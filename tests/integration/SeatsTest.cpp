// Seats changing hands at a running table, over loopback with the real host.
#include <QtTest/QTest>
#include <algorithm>
#include <memory>

#include "LoopbackFixture.h"
#include "RuleChecker.h"
#include "net/Fields.h"

namespace tc::integration {
namespace {

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

} // namespace
} // namespace tc::integration
