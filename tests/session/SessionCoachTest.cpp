// The coach (Options, "Show Best Move") and the settings of Rudi's choices.
#include <gtest/gtest.h>

#include "../store/StoreTestSupport.h"
#include "RecordingView.h"
#include "session/RudiSettings.h"
#include "store/SettingsFile.h"

using namespace tc::client;
using namespace tc::client::test;
using Events = std::vector<std::string>;
using Marks = std::array<bool, 9>;

namespace {

Marks marked(std::initializer_list<int> tiles) {
    Marks m{};
    for (int t : tiles) m[static_cast<std::size_t>(t - 1)] = true;
    return m;
}

bool sent(const Events& events) {
    for (const auto& e : events)
        if (e.rfind("send:", 0) == 0) return true;
    return false;
}

// Bob hosts (seat 1), Cid sits in seat 3, a game is on; the coach is on.
struct Coached : SessionRig {
    Coached() {
        host("Bob");
        handle("CMD_newplayerinfo+1+Bob+0");
        handle("CMD_newplayerinfo+3+Cid+0");
        handle("CMD_startgame+Bob+5+");
        session.setShowBestMove(true);
        view.take();
    }
    const Marks& marks() const { return session.table().bestMove; }
    const std::string& status() const { return session.table().status; }
    const std::string& coach() const { return session.table().coach; }
};

} // namespace

TEST(Coach, MarksTheBestMoveAfterEachOwnRollAndClearsAtTheTurnsEnd) {
    Coached rig;
    EXPECT_EQ(rig.marks(), Marks{});
    rig.handle("CMD_nextplayer+1");
    // All nine open and a roll of 9: shutting 9 leaves 7.62 to expect,
    // 1 and 8 would leave 13.43.
    const Events roll = rig.handle("CMD_placedice+1+4+2+5+");
    EXPECT_FALSE(sent(roll));
    EXPECT_EQ(rig.marks(), marked({9}));
    EXPECT_EQ(rig.coach(), "Best move: 9 (expected round score 7.62)");
    EXPECT_EQ(rig.status(), "YOUR TURN.");

    // Selecting other tiles changes nothing of the advice; a refused
    // selection leaves it too, for the roll stands.
    rig.session.clickTile(1);
    rig.session.clickTile(8);
    EXPECT_EQ(rig.marks(), marked({9}));
    rig.handle("CMD_notvalid+1+1+");
    EXPECT_EQ(rig.marks(), marked({9}));

    // Shut, the marks go; the next roll brings new ones.
    rig.handle("CMD_closeit+9");
    EXPECT_EQ(rig.marks(), Marks{});
    rig.handle("CMD_placedice+1+1+2+4+");
    EXPECT_EQ(rig.marks(), marked({5}));
    EXPECT_EQ(rig.coach(), "Best move: 5 (expected round score 8.27)");
    EXPECT_EQ(rig.status(), "YOUR TURN.");

    // A roll without a move marks nothing, and the turn ends.
    rig.handle("CMD_closeit+5");
    rig.handle("CMD_placedice+1+3+2+4+");
    EXPECT_EQ(rig.marks(), marked({7}));
    rig.handle("CMD_closeit+1+6");  // not the advice: the player's own choice stands
    rig.handle("CMD_placedice+1+1+2+1+");
    EXPECT_EQ(rig.marks(), marked({2}));
    rig.handle("CMD_closeit+2");
    rig.handle("CMD_placedice+1+6+2+6+");  // 3, 4, 7 and 8 open
    EXPECT_EQ(rig.marks(), marked({4, 8}));
    rig.handle("CMD_closeit+4+8");
    rig.handle("CMD_placedice+1+1+2+1+");  // 3 and 7 open: no 2
    EXPECT_EQ(rig.marks(), Marks{});
    rig.handle("CMD_notvalid+1+2+");
    EXPECT_EQ(rig.marks(), Marks{});
    EXPECT_EQ(rig.status(), "TURN OVER! THERE ARE NO VALID MOVES.");
    EXPECT_EQ(rig.coach(), "");

    // Several tiles read as a list.
    rig.handle("CMD_nextplayer+1");
    rig.handle("CMD_placedice+1+6+2+6+");
    EXPECT_EQ(rig.marks(), marked({3, 9}));
    EXPECT_EQ(rig.coach(), "Best move: 3 and 9 (expected round score 9.94)");
    // A refused selection: both lines stand, the rejection and the advice.
    rig.session.clickTile(1);
    rig.handle("CMD_notvalid+1+1+");
    EXPECT_EQ(rig.status(), "THE BOXES YOU SELECTED DO NOT EQUAL THE SUM OF THE DICE");
    EXPECT_EQ(rig.coach(), "Best move: 3 and 9 (expected round score 9.94)");
    // The next seat's turn clears them.
    rig.handle("CMD_nextplayer+3");
    EXPECT_EQ(rig.marks(), Marks{});
    EXPECT_EQ(rig.coach(), "");
}

TEST(Coach, OnlyTheOwnTurnIsCoached) {
    Coached rig;
    rig.handle("CMD_nextplayer+3");
    rig.handle("CMD_placedice+1+4+2+5+");
    EXPECT_EQ(rig.marks(), Marks{});
    EXPECT_EQ(rig.status(), "CID'S TURN.");
    rig.handle("CMD_nextplayer+2");
    rig.handle("CMD_placedice+1+3+2+3+");
    EXPECT_EQ(rig.marks(), Marks{});

    // A spectator is never coached.
    SessionRig spy;
    spy.join(8, "Eve");
    spy.handle("CMD_existingplayers+1+Bob+0");
    spy.session.setShowBestMove(true);
    spy.handle("CMD_nextplayer+1");
    spy.handle("CMD_placedice+1+4+2+5+");
    EXPECT_EQ(spy.session.table().bestMove, Marks{});

    // Nor a seat the computer plays for its player.
    rig.handle("CMD_nextplayer+1");
    rig.handle("CMD_placedice+1+4+2+5+");
    ASSERT_EQ(rig.marks(), marked({9}));
    ASSERT_EQ(rig.coach(), "Best move: 9 (expected round score 7.62)");
    rig.handle("CMD_justwatching+1+1");
    EXPECT_EQ(rig.marks(), Marks{});
    EXPECT_EQ(rig.coach(), "");  // the line goes with the marks
    EXPECT_EQ(rig.status(), "YOUR TURN.");
    rig.handle("CMD_closeit+9");
    rig.handle("CMD_placedice+1+1+2+4+");
    EXPECT_EQ(rig.marks(), Marks{});
    // Playing again on that roll: the advice for it is back.
    rig.handle("CMD_justwatching+1+2");
    EXPECT_EQ(rig.marks(), marked({5}));
    EXPECT_EQ(rig.coach(), "Best move: 5 (expected round score 8.27)");
}

TEST(Coach, OffByDefaultAndSwitchedDuringATurn) {
    SessionRig rig;
    EXPECT_FALSE(rig.session.showBestMove());
    rig.host("Bob");
    rig.handle("CMD_newplayerinfo+1+Bob+0");
    rig.handle("CMD_startgame+Bob+5+");
    rig.handle("CMD_nextplayer+1");
    rig.handle("CMD_placedice+1+4+2+5+");
    EXPECT_EQ(rig.session.table().bestMove, Marks{});
    EXPECT_EQ(rig.session.table().status, "YOUR TURN.");

    // Switched on with a roll waiting: the advice for it shows at once, and
    // a tile selected but not submitted still counts as open.
    rig.session.clickTile(9);
    rig.view.take();
    rig.session.setShowBestMove(true);
    EXPECT_EQ(rig.session.table().bestMove, marked({9}));
    EXPECT_FALSE(sent(rig.view.take()));
    EXPECT_EQ(rig.session.table().coach, "Best move: 9 (expected round score 7.62)");
    EXPECT_EQ(rig.session.table().status, "YOUR TURN.");
    rig.session.setShowBestMove(false);
    EXPECT_EQ(rig.session.table().bestMove, Marks{});
    // Switched off, its line goes at once, not at the turn's end.
    EXPECT_EQ(rig.session.table().coach, "");
    EXPECT_EQ(rig.session.table().status, "YOUR TURN.");

    // A game's end leaves nothing marked.
    rig.session.setShowBestMove(true);
    rig.handle("CMD_winner+1+");
    EXPECT_EQ(rig.session.table().bestMove, Marks{});
    EXPECT_EQ(rig.session.table().coach, "");
}

TEST(RudiSettings, EachKeyIsWrittenAloneAndReadStrictly) {
    EXPECT_EQ(RudiSettings::rudiKey(tc::game::Rudi::Classic), (tc::store::KeyValues{{"RudiPlays", "classic"}}));
    EXPECT_EQ(RudiSettings::showBestMoveKey(false), (tc::store::KeyValues{{"ShowBestMove", "false"}}));
    const tc::storetest::TempDir dir;
    const std::string path = dir.file("velmoralobby.ini");
    tc::storetest::spill(path, "[Other]\r\nRudiPlays=expert\r\n[Tilecrest]\r\nTop=40\r\n");
    tc::store::SettingsFile file(path);
    RudiSettings s = RudiSettings::read(file);
    EXPECT_EQ(s.rudi, tc::game::Rudi::Classic);
    EXPECT_FALSE(s.showBestMove);

    ASSERT_TRUE(file.write(RudiSettings::rudiKey(tc::game::Rudi::Expert)));
    EXPECT_EQ(tc::storetest::slurp(path), "[Other]\r\nRudiPlays=expert\r\n[Tilecrest]\r\nTop=40\r\nRudiPlays=expert\r\n");
    ASSERT_TRUE(file.write(RudiSettings::showBestMoveKey(true)));
    EXPECT_EQ(tc::storetest::slurp(path),
              "[Other]\r\nRudiPlays=expert\r\n[Tilecrest]\r\nTop=40\r\nRudiPlays=expert\r\nShowBestMove=true\r\n");
    s = RudiSettings::read(tc::store::SettingsFile(path));
    EXPECT_EQ(s.rudi, tc::game::Rudi::Expert);
    EXPECT_TRUE(s.showBestMove);

    // Anything but the exact words gives the defaults.
    for (const char* rudi : {"Expert", "EXPERT", "", "best", "expert2"}) {
        tc::storetest::spill(path, std::string("[Tilecrest]\r\nRudiPlays=") + rudi + "\r\nShowBestMove=True\r\n");
        s = RudiSettings::read(tc::store::SettingsFile(path));
        EXPECT_EQ(s.rudi, tc::game::Rudi::Classic) << rudi;
        EXPECT_FALSE(s.showBestMove);
    }
}
