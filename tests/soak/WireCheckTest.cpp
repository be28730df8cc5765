// The soak's wire checker, fed the host's lines of real games played
// through the game server: passes them untouched, and names each fault
// planted in a copy.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <map>

#include "WireCheck.h"
#include "game/Lcg.h"
#include "net/Fields.h"
#include "server/TServer.h"

namespace tc::soak {
namespace {

using server::ConnId;

// Every line a connection is sent, and a running pause timer.
struct Ports : server::ServerPorts {
    std::map<ConnId, std::deque<std::string>> inbox;
    bool timer = false;
    void send(ConnId c, const std::string& b) override { inbox[c].push_back(b.substr(0, b.size() - 1)); }
    void close(ConnId) override {}
    void startPauseTimer() override { timer = true; }
    void stopPauseTimer() override { timer = false; }
    void log(const std::string&) override {}
};

// The host (seat 1) and Ann (seat 3) play every roll at once; seat 2 is
// the computer's. `midGame` runs at every turn start from the fifth on.
// Returns every line the host received, up to the winner.
std::vector<std::string> playGame(std::uint32_t seed, const std::function<void(server::TServer&)>& midGame = {}) {
    Ports ports;
    game::Lcg rng(seed);
    server::TServer srv(ports, rng, [] { return std::int64_t{0}; });
    const ConnId host = srv.connectionArrived("h");
    srv.bytesArrived(host, "CMD_logininfo+1+1.0.3+Bob\xFF");
    const ConnId spare = srv.connectionArrived("s");  // slot 2, leaves at once: the computer plays seat 2
    const ConnId ann = srv.connectionArrived("a");
    srv.bytesArrived(ann, "CMD_logininfo+3+1.0.3+Ann\xFF");
    srv.connectionClosed(spare);
    srv.bytesArrived(host, "CMD_startgame+Bob+3+\xFF");
    std::vector<std::string> seen;
    std::map<ConnId, unsigned> open{{host, 0x1FF}, {ann, 0x1FF}};
    std::map<ConnId, int> mySeat{{host, 1}, {ann, 3}};
    std::map<ConnId, int> current;
    int turns = 0;
    for (int guard = 0; guard < 200000; ++guard) {
        bool moved = false;
        for (ConnId c : {host, ann}) {
            while (!ports.inbox[c].empty()) {
                const std::string line = ports.inbox[c].front();
                ports.inbox[c].pop_front();
                moved = true;
                if (c == host) seen.push_back(line);
                std::string key, data;
                net::splitKey(line, key, data);
                if (key == "CMD_winner") {
                    if (c == host) return seen;
                } else if (key == "CMD_nextplayer") {
                    current[c] = net::toInt(data);
                    open[c] = 0x1FF;
                    if (c == host && ++turns >= 5 && midGame) midGame(srv);
                } else if (key == "CMD_closeit") {
                    for (const auto& t : net::readList(data)) open[c] &= ~(1u << (net::toInt(t) - 1));
                } else if (key == "CMD_placedice" && current[c] == mySeat[c]) {
                    net::FieldReader r(data);
                    r.positional();
                    const int d1 = r.positionalInt();
                    r.positional();
                    const unsigned m = findMove(open[c], d1 + r.positionalInt());
                    if (!m) continue;
                    std::string close = "CMD_closethem+" + std::to_string(mySeat[c]);
                    for (int t = 1; t <= 9; ++t)
                        if (m & (1u << (t - 1))) close += "+" + std::to_string(t);
                    srv.bytesArrived(c, close + "\xFF");
                }
            }
        }
        if (!moved && ports.timer) srv.pauseTick();
        else if (!moved) break;
    }
    return seen;
}

std::vector<std::string> check(const std::vector<std::string>& lines) {
    WireCheck w(5000);
    w.feed("CMD_newplayerinfo+1+Bob+0", 0);
    w.feed("CMD_newplayerinfo+3+Ann+0", 0);
    std::int64_t ms = 0;
    for (const auto& l : lines) w.feed(l, ms += 10);
    std::vector<std::string> out;
    for (const auto& v : w.violations()) out.push_back(v.what);
    if (w.gamesWon() != 1) out.push_back("games won: " + std::to_string(w.gamesWon()));
    return out;
}

// The first thing found wrong, or "" when nothing was.
std::string firstFault(const std::vector<std::string>& lines) {
    const auto found = check(lines);
    return found.empty() ? std::string() : found.front();
}

// Replaces the first line that starts with `prefix`.
std::vector<std::string> plant(std::vector<std::string> lines, const std::string& prefix, const std::string& with) {
    const auto it = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
    EXPECT_NE(it, lines.end()) << prefix;
    if (it != lines.end()) *it = with;
    return lines;
}

using Texts = std::vector<std::string>;

TEST(WireCheck, RealGamesPassAndEndWithOneWinner) {
    for (std::uint32_t seed : {1u, 2u, 77u, 4242u}) {
        const auto game = playGame(seed);
        ASSERT_GT(game.size(), 20u);
        EXPECT_EQ(game.back().rfind("CMD_winner+", 0), 0u);
        EXPECT_EQ(check(game), Texts{}) << seed;
    }
}

TEST(WireCheck, EachPlantedFaultIsNamed) {
    const auto game = playGame(1);
    auto first = [&](const std::string& prefix) {
        return *std::find_if(game.begin(), game.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
    };
    // A tile closed that does not make the roll.
    const std::string close = first("CMD_closeit+");
    const std::string wrongClose = close == "CMD_closeit+1" ? "CMD_closeit+2" : "CMD_closeit+1";
    EXPECT_EQ(firstFault(plant(game, close, wrongClose)), "closed tiles do not add up to the roll");
    // A score that is not the open tiles' sum.
    const std::string score = first("CMD_scores+");
    net::FieldReader r(score.substr(11));
    const std::string seat = r.positional(), left = r.positional();
    const std::string off = std::to_string(net::toInt(left) + 1);
    EXPECT_EQ(firstFault(plant(game, score, "CMD_scores+" + seat + "+" + off + "+" + off + "+")),
              "score is not the sum of the open tiles");
    // The Mark to the wrong seat, and a winner nobody earned.
    const std::string marks = first("CMD_roundwinner+");
    EXPECT_EQ(firstFault(plant(game, marks, marks == "CMD_roundwinner+2" ? "CMD_roundwinner+3" : "CMD_roundwinner+2")),
              "the wrong seats gain a Mark");
    Texts cut(game.begin(), game.end() - 1);
    EXPECT_EQ(check(cut), (Texts{"games won: 0"}));
    // A turn order that skips a held seat, and a refusal where a move existed.
    const std::string next = first("CMD_nextplayer+");
    const int s = net::toInt(next.substr(15));
    Texts skipped = game;
    for (std::size_t i = 1; i < skipped.size(); ++i)
        if (skipped[i].rfind("CMD_nextplayer+", 0) == 0 && i > 2) {
            const int was = net::toInt(skipped[i].substr(15));
            skipped[i] = "CMD_nextplayer+" + std::to_string(was == 1 ? 3 : 1);
            break;
        }
    EXPECT_FALSE(check(skipped).empty());
    Texts refused = game;
    const auto dice = std::find_if(refused.begin(), refused.end(),
                                   [](const std::string& l) { return l.rfind("CMD_placedice+", 0) == 0; });
    refused.insert(dice + 1, "CMD_notvalid+" + std::to_string(s) + "+2+");
    EXPECT_EQ(firstFault(refused), "turn ended where a legal move existed");
}

TEST(WireCheck, APlayerLeavingOnHisTurnPassesItAndTheRestStillChecks) {
    const auto game = playGame(9, [](server::TServer& srv) {
        if (srv.currentseat() == 3 && srv.player(3).active) srv.connectionClosed(srv.player(3).conn);
    });
    const auto left = std::find(game.begin(), game.end(), "CMD_playerdisconnected+3+Ann");
    ASSERT_NE(left, game.end());
    // Her turn had started and was passed on at once, without a score:
    // back at seat 1, so the round ends.
    EXPECT_EQ(*(left - 2), "CMD_nextplayer+3");
    EXPECT_EQ((left + 1)->rfind("CMD_roundwinner+", 0), 0u);
    EXPECT_EQ(check(game), Texts{});
    // Had the server gone on waiting for her, or given her more turns:
    Texts more(game.begin(), left + 1);
    more.push_back("CMD_nextplayer+3");
    WireCheck w(5000);
    for (const auto& l : more) w.feed(l, 0);
    Texts found;
    for (const auto& v : w.violations()) found.push_back(v.what);
    EXPECT_EQ(found, (Texts{"the turn order skipped seat 1", "turn for seat 3, which no announcement names"}));
}

TEST(WireCheck, ASeatNoAnnouncementNamesTakesNoTurnAndNoMark) {
    // Seat 4 held by a connection that never logged in: no turn of its own.
    WireCheck w(5000);
    w.feed("CMD_newplayerinfo+1+Bob+0", 0);
    w.feed("CMD_startgame+Bob+3+", 0);
    w.feed("CMD_nextplayer+4", 10);
    ASSERT_EQ(w.violations().size(), 1u);
    EXPECT_EQ(w.violations()[0].what, "turn for seat 4, which no announcement names");
    // Nor a Mark: seat 1 scored 43 and seat 2 (the computer) 40, so seat 2
    // alone gains one; a Mark for seat 4 as well is explained by nothing.
    WireCheck marks(5000);
    for (const char* l : {"CMD_newplayerinfo+1+Bob+0", "CMD_startgame+Bob+3+", "CMD_nextplayer+1",
                          "CMD_placedice+1+1+2+1+", "CMD_closeit+2", "CMD_placedice+1+1+2+1+",
                          "CMD_notvalid+1+2+", "CMD_scores+1+43+43+", "CMD_nextplayer+2", "CMD_placedice+1+1+2+1+",
                          "CMD_closeit+2", "CMD_placedice+1+1+2+2+", "CMD_closeit+3", "CMD_placedice+1+1+2+1+",
                          "CMD_notvalid+2+2+", "CMD_scores+2+40+40+", "CMD_roundwinner+2+4"})
        marks.feed(l, 0);
    ASSERT_EQ(marks.violations().size(), 1u);
    EXPECT_EQ(marks.violations()[0].what, "the wrong seats gain a Mark");
    EXPECT_EQ(marks.violations()[0].line, "CMD_roundwinner+2+4");
    // A game that stops with a logged-in seat on turn.
    WireCheck stuck(5000);
    stuck.feed("CMD_newplayerinfo+1+Bob+0", 0);
    stuck.feed("CMD_startgame+Bob+3+", 0);
    stuck.feed("CMD_nextplayer+1", 0);
    stuck.feed("CMD_placedice+1+3+2+4+", 100);
    stuck.idle(5100);
    EXPECT_TRUE(stuck.violations().empty());
    stuck.idle(5101);
    ASSERT_EQ(stuck.violations().size(), 1u);
    EXPECT_EQ(stuck.violations()[0].what, "game stuck: no message for 5001 ms with seat 1 on turn");
}

TEST(WireCheck, AKeptSeatStaysInTheGameMustNotStallItAndComesBackWithTheTablesScoreAndMarks) {
    WireCheck w(5000);
    w.feed("CMD_newplayerinfo+1+Bob+0", 0);
    w.feed("CMD_newplayerinfo+3+Ann+0", 0);
    w.feed("CMD_startgame+Bob+3+", 0);
    w.feed("CMD_away+3+120+", 5);
    w.feed("CMD_justwatching+3+1", 5);
    w.feed("CMD_nextplayer+3", 10);  // the computer plays her turn
    w.feed("CMD_placedice+1+3+2+4+", 10);
    w.feed("CMD_closeit+7", 20);
    w.feed("CMD_placedice+1+6+2+6+", 30);
    w.feed("CMD_closeit+3+9", 40);
    w.feed("CMD_placedice+1+6+2+6+", 41);
    w.feed("CMD_closeit+4+8", 42);
    w.feed("CMD_placedice+1+6+2+6+", 43);
    w.feed("CMD_closeit+1+5+6", 44);
    w.feed("CMD_placedice+1+6+2+6+", 50);  // only tile 2 is open
    w.feed("CMD_notvalid+3+2+", 50);
    w.feed("CMD_scores+3+2+2+", 50);
    EXPECT_EQ(w.awayTurns(), 1);
    // Told before the table hears she is back, and after: both compared.
    w.expectBack(3, 2, 0, 60);
    w.feed("CMD_back+3+", 70);
    EXPECT_EQ(w.backsCompared(), 1);
    EXPECT_TRUE(w.violations().empty());
    w.feed("CMD_away+3+120+", 80);
    w.feed("CMD_back+3+", 90);
    w.expectBack(3, 2, 1, 95);
    ASSERT_EQ(w.violations().size(), 1u);
    EXPECT_EQ(w.violations()[0].what, "seat 3 came back with score 2 and 1 Marks; the table has 2 and 0");

    // A seat nobody holds cannot be kept, nor can one come back unkept.
    WireCheck odd(5000);
    odd.feed("CMD_newplayerinfo+1+Bob+0", 0);
    odd.feed("CMD_startgame+Bob+3+", 0);
    odd.feed("CMD_away+4+120+", 0);
    odd.feed("CMD_back+5+", 0);
    ASSERT_EQ(odd.violations().size(), 2u);
    EXPECT_EQ(odd.violations()[0].what, "a seat nobody holds is kept");
    EXPECT_EQ(odd.violations()[1].what, "back to a seat that was not kept");

    // A kept seat on turn must not hold the game up.
    WireCheck stuck(5000);
    stuck.feed("CMD_newplayerinfo+1+Bob+0", 0);
    stuck.feed("CMD_newplayerinfo+3+Ann+0", 0);
    stuck.feed("CMD_startgame+Bob+3+", 0);
    stuck.feed("CMD_away+3+120+", 0);
    stuck.feed("CMD_nextplayer+3", 0);
    stuck.feed("CMD_placedice+1+3+2+4+", 100);
    stuck.idle(5101);
    ASSERT_EQ(stuck.violations().size(), 1u);
    EXPECT_EQ(stuck.violations()[0].what, "game stuck: no message for 5001 ms with seat 3 on turn");
}

} // namespace
} // namespace tc::soak
