// Playing from the keyboard (Escape puts the tiles back up) and what a
// screen reader says for the table.
#include <gtest/gtest.h>

#include "RecordingView.h"
#include "session/TableSpeech.h"

using namespace tc::client;
using namespace tc::client::test;
using Events = std::vector<std::string>;

namespace {

// Bob's turn (OwnTurn), with what led to it already taken from the view.
struct BobsTurn : OwnTurn {
    BobsTurn() { view.take(); }
};

} // namespace

TEST(TableKeys, EscapePutsEveryTileDownBackUpAsClicksWould) {
    BobsTurn rig;
    rig.session.clickTile(2);
    rig.session.clickTile(7);
    rig.handle("CMD_closeit+9");  // a shut tile stays shut
    rig.view.take();
    rig.session.putTilesBackUp();
    EXPECT_EQ(rig.view.take(), (Events{"tile:2 up 4", "sound:slide", "send:CMD_slide+1+up+2+\xFF", "tile:7 up 4",
                                       "sound:slide", "send:CMD_slide+1+up+7+\xFF"}));
    for (int t = 1; t <= 8; ++t) EXPECT_EQ(rig.tile(t), "u") << t;
    EXPECT_EQ(rig.tile(9), "o");
    // Nothing down: nothing happens, nothing is sent.
    rig.session.putTilesBackUp();
    EXPECT_TRUE(rig.view.take().empty());
}

TEST(TableKeys, EscapeDoesNothingOutOfTurnOrBeforeTheDice) {
    BobsTurn rig;
    rig.session.clickTile(3);
    // Cid's turn: Cid's tiles mirror on Bob's table, and are not Bob's to move.
    rig.handle("CMD_nextplayer+3");
    rig.handle("CMD_slide+down+5+");
    rig.view.take();
    rig.session.putTilesBackUp();
    EXPECT_TRUE(rig.view.take().empty());
    EXPECT_EQ(rig.tile(5), "d");

    // Bob's turn again, before his dice: the tiles do not answer yet.
    rig.handle("CMD_nextplayer+1");
    rig.session.clickTile(4);
    EXPECT_EQ(rig.tile(4), "u");
    rig.handle("CMD_placedice+1+2+2+2+");
    rig.session.clickTile(4);
    rig.handle("CMD_notvalid+1+1+");  // refused: the server slid it back up
    rig.view.take();
    rig.session.putTilesBackUp();
    EXPECT_TRUE(rig.view.take().empty());
}

TEST(TableSpeech, TilesSayTheirNumberAndState) {
    EXPECT_EQ(TableSpeech::tile(7, "u"), "Tile 7, open");
    EXPECT_EQ(TableSpeech::tile(7, "d"), "Tile 7, down");
    EXPECT_EQ(TableSpeech::tile(1, "o"), "Tile 1, shut");
    EXPECT_EQ(TableSpeech::tile(9, ""), "Tile 9");
}

TEST(TableSpeech, DiceAndSeatsFollowTheTable) {
    BobsTurn rig;
    const TableState& t = rig.session.table();
    EXPECT_EQ(TableSpeech::dice(t), "Dice: 4 and 5");
    EXPECT_EQ(TableSpeech::seat(t, 1), "Seat 1, Bob, round score 0, no Marks, on turn");
    EXPECT_EQ(TableSpeech::seat(t, 2), "Seat 2, Rudi, round score 0, no Marks");
    EXPECT_EQ(TableSpeech::seat(t, 4), "Seat 4, free");
    EXPECT_EQ(TableSpeech::seat(t, 0), "");
    EXPECT_EQ(TableSpeech::seat(t, 7), "");

    rig.handle("CMD_updatescores+1+12+2+3+30+1");
    rig.handle("CMD_nextplayer+3");
    rig.handle("CMD_justwatching+3+1");
    EXPECT_EQ(TableSpeech::seat(t, 1), "Seat 1, Bob, round score 12, 2 Marks");
    EXPECT_EQ(TableSpeech::seat(t, 3), "Seat 3, Cid, round score 30, 1 Mark, on turn, watching");
    rig.handle("CMD_placedice+1+6+2+1+");
    EXPECT_EQ(TableSpeech::dice(t), "Dice: 6 and 1");
    // A seat kept for a player whose connection dropped says so in words.
    rig.handle("CMD_away+3+120+");
    EXPECT_EQ(TableSpeech::seat(t, 3), "Seat 3, Cid, round score 30, 1 Mark, on turn, watching, away");

    SessionRig fresh;
    EXPECT_EQ(TableSpeech::dice(fresh.session.table()), "Dice: not rolled yet");
    EXPECT_EQ(TableSpeech::marks(0), "no Marks");
    EXPECT_EQ(TableSpeech::marks(1), "1 Mark");
    EXPECT_EQ(TableSpeech::marks(10), "10 Marks");
}
