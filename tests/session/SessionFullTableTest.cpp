// A full table: own chat paced to the server's relay limit, and the
// computer taking over a turn with a selection in progress.
#include <gtest/gtest.h>

#include "RecordingView.h"
#include "server/FloodGate.h"
#include "server/TServer.h"

namespace tc::client::test {
namespace {

using Events = std::vector<std::string>;

const std::string kNotice =
    "chat[" + kBlue + "] 0+Your lines are sent a few a second so that none is lost; the rest follow shortly.";

std::string chatLine(int n) { return "send:CMD_chat+3+line " + std::to_string(n) + "|clBlack\xFF"; }

Events sends(const Events& events) {
    Events out;
    for (const auto& e : events)
        if (e.rfind("send:", 0) == 0) out.push_back(e);
    return out;
}

TEST(ChatPacing, ABurstOfTwentyFiveLinesLeavesWholeInOrderAtTheAllowedPace) {
    SessionRig rig;
    rig.join(3, "Ann");
    for (int n = 1; n <= 25; ++n) EXPECT_TRUE(rig.session.sendTyped("line " + std::to_string(n), net::kBlack));
    Events first = rig.view.take();
    // Eight go at once; the chat says once that the rest wait.
    EXPECT_EQ(first.back(), kNotice);
    first.pop_back();
    Events expected;
    for (int n = 1; n <= 8; ++n) expected.push_back(chatLine(n));
    EXPECT_EQ(first, expected);
    EXPECT_EQ(rig.session.table().chatWaiting, 17);
    EXPECT_TRUE(rig.session.needsTicks());
    // Nothing more within the same millisecond, three a second after.
    rig.session.tick();
    EXPECT_TRUE(rig.view.take().empty());
    rig.now = 999;
    rig.session.tick();
    EXPECT_EQ(sends(rig.view.take()), (Events{chatLine(9), chatLine(10)}));
    rig.now = 1000;
    rig.session.tick();
    EXPECT_EQ(sends(rig.view.take()), (Events{chatLine(11)}));
    EXPECT_EQ(rig.session.table().chatWaiting, 14);
    Events rest;
    for (; rig.session.needsTicks(); rig.now += 50) {
        rig.session.tick();
        for (const auto& e : rig.view.take()) rest.push_back(e);
        ASSERT_LT(rig.now, 10'000);
    }
    expected.clear();
    for (int n = 12; n <= 25; ++n) expected.push_back(chatLine(n));
    EXPECT_EQ(rest, expected);  // and no second notice
    EXPECT_EQ(rig.session.table().chatWaiting, 0);
    // The next burst that has to wait is told again.
    for (int n = 1; n <= 9; ++n) rig.session.sendTyped("line " + std::to_string(n), net::kBlack);
    EXPECT_EQ(rig.view.take().back(), kNotice);
}

TEST(ChatPacing, WhatLeavesPassesTheServersRelayLimitEvenBunchedUpOnTheWay) {
    SessionRig rig;
    rig.join(3, "Ann");
    // Long lines, phrases and sounds, all counted together by the server.
    const std::string text(3000, 'x');
    for (int n = 0; n < 60; ++n) {
        if (n % 3 == 0) rig.session.sendTyped(text, net::kBlack);
        else if (n % 3 == 1) rig.session.sendChatterSound(1 + n % 20);
        else rig.session.sendTyped("/me waves", net::kBlack);
    }
    std::vector<std::pair<std::int64_t, std::size_t>> sent;  // time, relayed size
    for (; rig.session.needsTicks(); rig.now += 7) {
        rig.session.tick();
        for (const auto& e : rig.view.take())
            if (e.rfind("send:", 0) == 0) sent.push_back({rig.now, e.size() - 6 + std::string("Ann chats: ").size()});
        ASSERT_LT(rig.now, 120'000);
    }
    ASSERT_EQ(sent.size(), 60u);
    // Every tenth line held up on the way for half a second, the lines
    // behind it arriving together with it: the server's gate passes all.
    server::FloodGate gate(server::kTalkLimits);
    std::int64_t arrival = 0;
    for (std::size_t i = 0; i < sent.size(); ++i) {
        arrival = std::max(arrival, sent[i].first + (i % 10 == 0 ? 500 : 0));
        EXPECT_EQ(gate.admit(arrival, sent[i].second), server::FloodGate::Verdict::Pass) << i;
    }
}

TEST(ChatPacing, AFullQueueKeepsTheTextInTheBox) {
    SessionRig rig;
    rig.join(3, "Ann");
    for (std::size_t n = 0; n < 8 + kMaxWaitingLines; ++n) ASSERT_TRUE(rig.session.sendTyped("x", net::kBlack));
    EXPECT_FALSE(rig.session.sendTyped("one too many", net::kBlack));
    EXPECT_FALSE(rig.session.sendPhrase("Thanks!", net::kBlack));
    EXPECT_EQ(rig.session.table().chatWaiting, static_cast<int>(kMaxWaitingLines));
}

// Bob hosts and it is his turn with 4 and 5 rolled.
struct OwnRoll : SessionRig {
    OwnRoll() {
        host("Bob");
        handle("CMD_newplayerinfo+1+Bob+0");
        handle("CMD_startgame+Bob+5+");
        handle("CMD_nextplayer+1");
        handle("CMD_placedice+1+4+2+5+");
        view.take();
    }
};

TEST(TakeOver, JustWatchingOnOwnTurnPutsTheSelectionBackAndStopsTheClicks) {
    OwnRoll rig;
    rig.session.clickTile(2);
    rig.session.clickTile(3);
    rig.view.take();
    EXPECT_EQ(rig.handle("CMD_justwatching+1+1"),
              (Events{"chat[" + kWatchHex + "] 0+Bob is just watching", "tile:2 up 4", "sound:slide", "tile:3 up 4",
                      "sound:slide"}));
    for (int t = 1; t <= 9; ++t) EXPECT_EQ(rig.tile(t), "u") << t;
    EXPECT_FALSE(rig.session.mayselect());
    EXPECT_FALSE(rig.session.table().rollVisible);
    // The computer's move and its next roll: still no clicks of ours.
    rig.handle("CMD_closeit+9");
    rig.handle("CMD_placedice+1+1+2+1+");
    EXPECT_FALSE(rig.session.mayselect());
    rig.session.clickTile(2);
    rig.session.clickRoll();
    EXPECT_TRUE(sends(rig.view.take()).empty());
    // Playing again on the waiting roll: ours to move.
    rig.handle("CMD_justwatching+1+2");
    EXPECT_TRUE(rig.session.mayselect());
    rig.session.clickTile(2);
    EXPECT_EQ(sends(rig.view.take()), (Events{"send:CMD_slide+1+down+2+\xFF"}));
}

TEST(TakeOver, OtherTablesPutTheMoversSelectionBackToo) {
    SessionRig rig;
    rig.join(3, "Cid");
    for (const char* line : {"CMD_startgame+Bob+5+", "CMD_nextplayer+1", "CMD_placedice+1+4+2+5+", "CMD_slide+down+1+",
                             "CMD_slide+down+3+", "CMD_justwatching+1+1", "CMD_closeit+9"})
        rig.handle(line);
    for (int t = 1; t <= 9; ++t) EXPECT_EQ(rig.tile(t), t == 9 ? "o" : "u") << t;
    // Another seat's watching leaves the selection on turn alone.
    rig.handle("CMD_slide+down+1+");
    rig.handle("CMD_justwatching+3+1");
    EXPECT_EQ(rig.tile(1), "d");
}

} // namespace
} // namespace tc::client::test
