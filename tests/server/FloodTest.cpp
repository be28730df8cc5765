// Flood control: per-connection limits on relays, and the rule that tells a
// slow reader from a peer that stopped reading.
#include <algorithm>

#include "ServerFixture.h"

namespace tc::server::test {
namespace {

using Lines = std::vector<std::string>;

class Flood : public ThreeJoined {
protected:
    int limitLogs() const {
        return static_cast<int>(std::count_if(ports.logs.begin(), ports.logs.end(),
                                              [](const std::string& l) { return l.rfind("limit ", 0) == 0; }));
    }
};

TEST_F(Flood, TalkHasABurstOfTenThenFourLinesASecondWithOneLogLinePerEpisode) {
    for (int i = 0; i < 10; ++i) say(ann, "CMD_chat+2+line" + std::to_string(i) + "|clBlack");
    say(ann, "CMD_action+2+waves|clBlack");  // chat, actions and sounds share one limit
    say(ann, "CMD_playasound+2+wave3+");
    ASSERT_EQ(linesTo(cid).size(), 10u);
    EXPECT_EQ(linesTo(cid).back(), "CMD_chat+2+Ann chats: line9|clBlack");
    EXPECT_EQ(ports.logs, Lines{"limit slot 2 (Ann): chat, actions and sounds over the rate limit, "
                                "dropped until it slows down"});
    // One token comes back every 250 ms.
    clear();
    now = 249;
    say(ann, "CMD_chat+2+early|clBlack");
    now = 250;
    say(ann, "CMD_chat+2+on time|clBlack");
    say(ann, "CMD_chat+2+again|clBlack");
    EXPECT_EQ(linesTo(host), Lines{"CMD_chat+2+Ann chats: on time|clBlack"});
    EXPECT_EQ(limitLogs(), 0);  // still the same episode
    // Another connection was never limited.
    say(cid, "CMD_chat+3+hi|clBlack");
    EXPECT_EQ(linesTo(host).back(), "CMD_chat+3+Cid chats: hi|clBlack");
    // Quiet long enough: full burst again, and a new episode is logged.
    clear();
    now = 20'000;
    for (int i = 0; i < 11; ++i) say(ann, "CMD_playasound+2+wave1+");
    EXPECT_EQ(linesTo(host).size(), 10u);
    EXPECT_EQ(limitLogs(), 1);
}

TEST_F(Flood, TalkIsLimitedInBytesToo) {
    const std::string text(6000, 't');  // relayed as 6022 bytes with "CMD_chat+2+Ann chats: "
    for (int i = 0; i < 3; ++i) say(ann, "CMD_chat+2+" + text);
    EXPECT_EQ(linesTo(host).size(), 2u);  // 12044 of 16384 spent, 4340 left
    clear();
    now = 400;  // +1638: not yet
    say(ann, "CMD_chat+2+" + text);
    EXPECT_TRUE(linesTo(host).empty());
    now = 500;  // +2048: 6388
    say(ann, "CMD_chat+2+" + text);
    EXPECT_EQ(linesTo(host).size(), 1u);
}

TEST_F(Flood, AChatLineEveryHalfSecondForAMinuteIsNeverLimited) {
    for (int i = 0; i < 120; ++i, now += 500)
        say(ann, "CMD_chat+2+" + std::string(100, 'a' + i % 26) + "|clBlack");
    EXPECT_EQ(linesTo(cid).size(), 120u);
    EXPECT_EQ(limitLogs(), 0);
}

TEST_F(Flood, AMutedSenderKeepsHisGameRequestsAndHisSlides) {
    for (int i = 0; i < 30; ++i) say(host, "CMD_chat+1+spam|clBlack");
    for (int i = 0; i < 30; ++i) say(ann, "CMD_chat+2+spam|clBlack");
    ASSERT_EQ(limitLogs(), 2);
    clear();
    steerStart(4, 0, 1, 1);
    say(host, "CMD_startgame+Bob+5+");
    say(ann, "CMD_justwatch+2+1");
    EXPECT_EQ(linesTo(cid), (Lines{"CMD_startgame+Bob+5+", "CMD_nextplayer+1", "CMD_placedice+1+1+2+1+",
                                   "CMD_justwatching+2+1"}));
    // Slides have a limit of their own: a burst of 40, then 10 a second.
    clear();
    for (int i = 0; i < 41; ++i) say(host, i % 2 ? "CMD_slide+1+up+2+" : "CMD_slide+1+down+2+");
    EXPECT_EQ(linesTo(cid).size(), 40u);
    EXPECT_EQ(ports.logs, Lines{"limit slot 1 (Bob): slides over the rate limit, dropped until it slows down"});
    now = 100;
    say(host, "CMD_slide+1+down+2+");
    EXPECT_EQ(linesTo(cid).size(), 41u);
    // and the move itself is never limited.
    steerDice(1, 1);
    say(host, "CMD_closethem+1+2");
    const Lines got = linesTo(cid);
    EXPECT_EQ(Lines(got.begin() + 41, got.begin() + 43), (Lines{"CMD_closeit+2", "CMD_placedice+1+1+2+1+"}));
}

TEST_F(Flood, JustWatchTogglesAndRefusedMovesHaveAGenerousLimitOfTheirOwn) {
    steerStart(4, 0, 1, 1);
    say(host, "CMD_startgame+Bob+5+");  // Bob on turn with 1 and 1
    clear();
    for (int i = 0; i < 25; ++i) say(ann, i % 2 ? "CMD_justwatch+2+2" : "CMD_justwatch+2+1");
    for (int i = 0; i < 25; ++i) say(host, "CMD_closethem+1+9");
    Lines toCid = linesTo(cid);
    EXPECT_EQ(std::count(toCid.begin(), toCid.end(), "CMD_justwatching+2+1"), 10);
    EXPECT_EQ(std::count(toCid.begin(), toCid.end(), "CMD_justwatching+2+2"), 10);
    EXPECT_EQ(std::count(toCid.begin(), toCid.end(), "CMD_notvalid+1+1+"), 20);
    EXPECT_FALSE(server.player(2).watching);  // the last toggle that passed
    EXPECT_EQ(limitLogs(), 2);
    // A move that is accepted is never held back; five refusals a second pass.
    clear();
    steerDice(1, 2);
    say(host, "CMD_closethem+1+2");
    EXPECT_EQ(linesTo(cid), (Lines{"CMD_closeit+2", "CMD_placedice+1+1+2+2+"}));
    now = 200;
    say(host, "CMD_closethem+1+9");
    say(host, "CMD_closethem+1+9");
    EXPECT_EQ(linesTo(cid).back(), "CMD_notvalid+1+1+");
    EXPECT_EQ(linesTo(cid).size(), 3u);
}

TEST_F(Flood, APeerThatReadsSlowlyIsKeptAndOneThatStoppedIsClosed) {
    constexpr std::uint64_t kMiB = 1024 * 1024;
    // Ann has 3 MiB waiting but takes a little every few seconds; Cid has
    // as much waiting and takes nothing; Bob takes nothing but has little queued.
    ports.outputs[host] = {kOutputSoftLimit, 100};
    ports.outputs[ann] = {3 * kMiB, 100};
    ports.outputs[cid] = {3 * kMiB, 100};
    for (now = 0; now <= 9'000; now += 1000) {
        if (now % 3000 == 0) ports.outputs[ann].taken += 4096;
        server.checkOutput();
    }
    EXPECT_TRUE(ports.events.empty());
    now = 10'000;  // ten seconds since Cid last took anything (at the first look)
    server.checkOutput();
    EXPECT_TRUE(closed(cid));
    EXPECT_EQ(ports.logs.back(),
              "close slot 3 (Cid): stalled: over 1048576 bytes of output unsent and nothing taken for 10 s");
    EXPECT_EQ(linesTo(ann), Lines{"CMD_playerdisconnected+3+Cid"});
    for (now = 11'000; now <= 60'000; now += 1000) {
        if (now % 3000 == 0) ports.outputs[ann].taken += 4096;
        server.checkOutput();
    }
    EXPECT_FALSE(closed(ann));
    EXPECT_FALSE(closed(host));
    // Past the hard limit a peer is closed at once, reading or not; the
    // relay that pushed it over still reached the others.
    clear();
    ports.outputs[ann] = {kOutputHardLimit, 200'000};
    say(host, "CMD_chat+1+hi|clBlack");
    EXPECT_FALSE(closed(ann));
    ports.outputs[ann].unsent += 1;
    say(host, "CMD_chat+1+hi|clBlack");
    EXPECT_TRUE(closed(ann));
    EXPECT_EQ(ports.logs.back(), "close slot 2 (Ann): over 16777216 bytes of output unsent");
    EXPECT_EQ(linesTo(host), (Lines{"CMD_chat+1+Bob chats: hi|clBlack", "CMD_chat+1+Bob chats: hi|clBlack",
                                    "CMD_playerdisconnected+2+Ann"}));
}

TEST_F(Flood, TheStallClockOfALateArrivalStartsWhenItConnects) {
    now = 60'000;
    const ConnId dan = join("Dan");
    ports.outputs[dan] = {3 * 1024 * 1024, 0};
    server.checkOutput();
    EXPECT_FALSE(closed(dan));
    now = 69'999;
    server.checkOutput();
    EXPECT_FALSE(closed(dan));
    now = 70'000;
    server.checkOutput();
    EXPECT_TRUE(closed(dan));
}

} // namespace
} // namespace tc::server::test
