// Hostile or broken input from the server: refused whole, without effect,
// and the next message is handled normally.
#include <gtest/gtest.h>

#include <algorithm>

#include "RecordingView.h"
#include "net/LineFramer.h"

using namespace tc::client;
using namespace tc::client::test;
using Events = std::vector<std::string>;

namespace {
// Bob hosts in seat 1, Cid in seat 3; a game is on, Bob's turn, dice 4 and 5,
// tile 2 selected and tile 9 shut.
struct MidGame : SessionRig {
    MidGame() {
        host("Bob");
        handle("CMD_newplayerinfo+1+Bob+0");
        handle("CMD_newplayerinfo+3+Cid+0");
        handle("CMD_newplayerinfo+8+Eve+0");
        handle("CMD_startgame+Bob+5+");
        handle("CMD_nextplayer+1");
        handle("CMD_placedice+1+4+2+5+");
        handle("CMD_closeit+9");
        session.clickTile(2);
        view.take();
    }
};
} // namespace

TEST(InputSafety, BadMessagesLeaveNoTrace) {
    const char* refused[] = {
        // fields that do not convert
        "CMD_nextplayer+x", "CMD_nextplayer+", "CMD_nextplayer+3+", "CMD_placedice+1+4+2++",
        "CMD_closeit+4+5+", "CMD_closeit+", "CMD_roundwinner+1+x", "CMD_scores+3++17+", "CMD_gamestats+1+4+6++",
        "CMD_notvalid+x+1+", "CMD_winner+Bob+", "CMD_startgame+Bob+five+", "CMD_playerdisconnected+x+Cid",
        "CMD_justwatching++1", "CMD_updatescores+1+0+2+2+x+1",
        // numbers out of range
        "CMD_nextplayer+0", "CMD_nextplayer+7", "CMD_placedice+1+0+2+5+", "CMD_placedice+1+4+2+7+",
        "CMD_placedice+3+4+2+5+", "CMD_slide+down+10+", "CMD_slide+up+0+", "CMD_closeit+3+10", "CMD_closeit+0",
        "CMD_roundwinner+1+7", "CMD_winner+0+", "CMD_winner+7+", "CMD_scores+9+0+0+", "CMD_notvalid+7+2+",
        "CMD_gamestats+7+4+6+5+", "CMD_gamestats+1+4+9+5+", "CMD_gamestats+1+4+6+11+", "CMD_startgame+Bob+2+",
        "CMD_startgame+Bob+-2147483648+", "CMD_updatescores+1+0+2+7+0+0",
        "CMD_updatescores+1+0+101", "CMD_updatescores+1+0+-1", "CMD_newplayerinfo+10+Max+0",
        "CMD_newplayerinfo+0+Max+0", "CMD_existingplayers+4+Max+0+12+Zed+0", "CMD_playerdisconnected+0+Cid",
        "CMD_playerdisconnected+10+Eve", "CMD_justwatching+0+1", "CMD_justwatching+10+1",
        // lists of the wrong length
        "CMD_newplayerinfo+4+Max", "CMD_existingplayers+4+Max+0+5", "CMD_updatescores+1+0",
    };
    for (const char* line : refused) {
        MidGame rig;
        const TableState before = rig.session.table();
        EXPECT_TRUE(rig.handle(line).empty()) << line;
        EXPECT_TRUE(rig.session.table() == before) << line;
        EXPECT_EQ(rig.session.currentplayer(), 1) << line;
        EXPECT_TRUE(rig.session.mayselect()) << line;
        // The next message is handled as usual.
        EXPECT_EQ(rig.handle("CMD_slide+down+3+"), (Events{"tile:3 down 0", "sound:slide"})) << line;
    }
}

TEST(InputSafety, RefusedListChangesNothingBeforeTheBadItem) {
    MidGame rig;
    rig.handle("CMD_roundwinner+1+3+x");
    EXPECT_EQ(rig.seat(1).marks, 0);
    EXPECT_EQ(rig.seat(3).marks, 0);
    EXPECT_EQ(rig.session.table().rounds, 0);
    rig.handle("CMD_existingplayers+4+Max+0+5+Sue+0+11+Bad+0");
    EXPECT_EQ(rig.seat(4).caption, "<Waiting>");
    EXPECT_EQ(rig.seat(5).caption, "<Waiting>");
    // A seat listed twice would pass the Marks bound twice over.
    rig.handle("CMD_updatescores+1+0+99");
    rig.handle("CMD_roundwinner+1+3+1");
    EXPECT_EQ(rig.seat(1).marks, 99);
    EXPECT_EQ(rig.seat(3).marks, 0);
    rig.handle("CMD_roundwinner+1");
    EXPECT_EQ(rig.seat(1).marks, kMaxMarks);
}

TEST(InputSafety, OverlongLineIsDroppedAndTheConnectionGoesOn) {
    MidGame rig;
    const std::size_t cap = tc::net::kMaxLineBytes;
    // Exactly at the cap: handled.
    std::string atCap = "CMD_chat+3+Cid chats: ";
    atCap += std::string(cap - atCap.size(), 'a');
    rig.session.onBytes(atCap + '\xFF');
    rig.drain();
    ASSERT_EQ(rig.view.take().size(), 1u);

    // One byte over, followed in the same read by a good line.
    rig.session.onBytes(atCap + "a\xFF" "CMD_havewrongversion+Max\xFF");
    rig.drain();
    EXPECT_EQ(rig.view.take(), (Events{"chat[" + kBlue + "] 0+Max has a different version of the game then you."}));

    // An unterminated tail past the cap: what follows up to its terminator
    // is still part of it, however much it looks like a message.
    rig.session.onBytes(std::string(cap + 10, 'x'));
    rig.session.onBytes("CMD_wrongversion+\xFF" "CMD_havewrongversion+Sue\xFF");
    rig.drain();
    EXPECT_EQ(rig.view.take(), (Events{"chat[" + kBlue + "] 0+Sue has a different version of the game then you."}));
    EXPECT_EQ(rig.session.table().seats[0].caption, "Bob");
}

TEST(InputSafety, QueueIsBounded) {
    MidGame rig;
    const std::string line = "CMD_chat+3+Cid chats: " + std::string(8000, 'z') + "|clBlack\xFF";
    std::string burst;
    for (int i = 0; i < 1000; ++i) burst += line;  // about 8 MB in one read
    rig.session.onBytes(burst);
    const std::size_t queued = rig.session.queuedLines();
    EXPECT_LT(queued, 1000u);
    EXPECT_LE(queued * 8000, kMaxQueuedBytes);
    rig.drain();
    const Events shown = rig.view.take();
    ASSERT_EQ(shown.size(), queued + 1);
    EXPECT_EQ(shown[0], "chat[" + kBlue + "] 0+Some messages were dropped because too many arrived at once.");
    // Once drained it takes lines again.
    EXPECT_EQ(rig.handle("CMD_slide+down+3+"), (Events{"tile:3 down 0", "sound:slide"}));
}

TEST(InputSafety, AFullQueueDropsChatRelaysBeforeGameMessagesAndSaysSoOnce) {
    MidGame rig;
    const std::string chat = "CMD_chat+3+Cid chats: " + std::string(4000, 'z') + "|clBlack\xFF";
    std::string burst;
    for (int i = 0; i < 1100; ++i) burst += chat;  // over 4 MiB of chat relays
    // Then the shortest relays there are, until not one more fits: what
    // is left is too little for either game message below.
    for (int i = 0; i < 100; ++i) burst += "CMD_chat+\xFF";
    rig.session.onBytes(burst);
    const std::size_t full = rig.session.queuedLines();
    rig.session.onBytes("CMD_playasound+3+wave3+\xFF" "CMD_closeit+2\xFF" "CMD_slide+down+3+\xFF");
    // The sound relay is dropped; the oldest chat relay makes room for both
    // game messages.
    EXPECT_EQ(rig.session.queuedLines(), full + 1);
    rig.drain();
    const Events shown = rig.view.take();
    const std::string notice = "chat[" + kBlue + "] 0+Some messages were dropped because too many arrived at once.";
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown[0], notice);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), notice), 1);
    // The game messages came last and did what they always do.
    MidGame calm;
    Events want = calm.handle("CMD_closeit+2");
    const Events slide = calm.handle("CMD_slide+down+3+");
    want.insert(want.end(), slide.begin(), slide.end());
    ASSERT_GT(shown.size(), want.size());
    EXPECT_EQ(Events(shown.end() - static_cast<long>(want.size()), shown.end()), want);
}

TEST(InputSafety, AFloodOfEmptyLinesIsBoundedToo) {
    MidGame rig;
    rig.session.onBytes(std::string(4 * 1024 * 1024, '\xFF'));  // four million empty lines
    EXPECT_GT(rig.session.queuedLines(), 1000u);
    EXPECT_LT(rig.session.queuedLines(), kMaxQueuedBytes / 32);
}
