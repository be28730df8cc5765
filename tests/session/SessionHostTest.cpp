// Who is the host (slot 1, however the window began), a join already made
// (processJoined), removal told to the removed player, and the table of a
// player whose own seat the computer takes over.
#include <gtest/gtest.h>

#include "RecordingView.h"

namespace tc::client::test {
namespace {

using Events = std::vector<std::string>;

Events sends(const Events& events) {
    Events out;
    for (const auto& e : events)
        if (e.rfind("send:", 0) == 0) out.push_back(e);
    return out;
}

// A join made by JoinHandshake: the session starts logged in at `slot`.
void joined(SessionRig& rig, int slot, const std::string& name = "Ann") {
    rig.session.processJoined({name, "10.0.0.5", "x"}, slot);
}

TEST(SessionJoined, EverySlotOneToNineIsTakenAndNothingIsSent) {
    for (int slot = 1; slot <= 9; ++slot) {
        SessionRig rig;
        joined(rig, slot);
        EXPECT_EQ(rig.view.take(),
                  (Events{"chat[" + kBlue + "] 0+Loading Multi-player Game.. Please Wait.", "side"}))
            << slot;
        EXPECT_TRUE(rig.session.loggedin()) << slot;
        EXPECT_EQ(rig.session.myseat(), slot);
        EXPECT_EQ(rig.session.table().spectating, slot > 6) << slot;
        EXPECT_EQ(rig.session.hostaddress(), "10.0.0.5");
        EXPECT_EQ(rig.session.loginname(), "Ann\xFF");
    }
    for (int slot : {0, 10, -1}) {
        SessionRig rig;
        joined(rig, slot);
        EXPECT_TRUE(rig.view.take().empty()) << slot;
        EXPECT_FALSE(rig.session.loggedin()) << slot;
        EXPECT_EQ(rig.session.myseat(), 0) << slot;
    }
}

TEST(SessionJoined, TheTakenConnectionIsTheGamesOwnToLeaveAndToLose) {
    // Leaving tells the server at once, as from a connection made here.
    SessionRig leaving;
    joined(leaving, 3);
    leaving.view.take();
    leaving.session.leave();
    EXPECT_EQ(leaving.view.take(), (Events{"send:CMD_leaving+3+\xFF"}));

    // Its end ends the game (no seat key was given, so none is kept).
    SessionRig closed;
    joined(closed, 3);
    closed.view.take();
    closed.session.onSocketClosed();
    closed.drain();
    EXPECT_EQ(closed.view.take(), (Events{"close"}));
}

TEST(SessionHost, SeatOneOfAHeadlessServerStartsGamesAndModerates) {
    SessionRig rig;
    joined(rig, 1, "Ann");
    rig.view.take();
    rig.handle("CMD_newplayerinfo+1+Ann+0");
    rig.handle("CMD_existingplayers+3+Cid+0+8+Spy+0");
    EXPECT_TRUE(rig.session.ishost());
    EXPECT_TRUE(rig.session.table().startVisible);
    EXPECT_TRUE(rig.session.table().startGameEnabled);
    EXPECT_TRUE(rig.session.table().spyRemoveEnabled);

    rig.session.clickStart();
    EXPECT_EQ(rig.view.take(), (Events{"gamestart"}));
    rig.session.startGame(3);
    EXPECT_EQ(rig.view.take(), (Events{"send:CMD_startgame+Ann+3+\xFF"}));
    rig.handle("CMD_startgame+Ann+3+");
    EXPECT_FALSE(rig.session.table().startVisible);

    const SeatPopup popup = rig.session.openSeatPopup(3);
    EXPECT_TRUE(popup.removeEnabled && popup.setJustWatchEnabled && popup.unsetJustWatchEnabled);
    EXPECT_TRUE(popup.letBackInEnabled);
    rig.session.removeFromGame();
    rig.session.spyRemove("8: Spy");
    EXPECT_EQ(rig.view.take(), (Events{"send:CMD_kickhim+1+3+\xFF", "send:CMD_kickhim+1+8+\xFF"}));

    // The Start Game button comes back after a win.
    rig.handle("CMD_winner+3+");
    EXPECT_TRUE(rig.session.table().startVisible);
}

TEST(SessionHost, SeatOneTakenDuringAGameWaitsForItsWinToStartTheNext) {
    SessionRig rig;
    joined(rig, 1, "Ann");
    rig.handle("CMD_newplayerinfo+1+Ann+0");
    rig.handle("CMD_gamestats+2+4+6+5+");
    EXPECT_FALSE(rig.session.table().startVisible);
    EXPECT_TRUE(rig.session.table().startGameEnabled);  // the menu item starts over at any time
    rig.handle("CMD_winner+2+");
    EXPECT_TRUE(rig.session.table().startVisible);
}

TEST(SessionHost, AnyOtherSlotIsNoHostWhateverTheWindowBeganAs) {
    // A hosting window whose own client was not given slot 1.
    SessionRig rig;
    rig.session.processParams({"Bob", "127.0.0.1", "true"});
    EXPECT_TRUE(rig.session.ishost());
    rig.login(3);
    EXPECT_FALSE(rig.session.ishost());
    EXPECT_FALSE(rig.session.table().startVisible);
    EXPECT_FALSE(rig.session.table().startGameEnabled);
    EXPECT_FALSE(rig.session.table().spyRemoveEnabled);
    const SeatPopup popup = rig.session.openSeatPopup(2);
    EXPECT_FALSE(popup.removeEnabled || popup.setJustWatchEnabled || popup.letBackInEnabled);
    rig.session.letRemovedBackIn();
    rig.handle("CMD_winner+1+");
    EXPECT_FALSE(rig.session.table().startVisible);
    // An answer meant for the host is not shown to anyone else.
    EXPECT_TRUE(rig.handle("CMD_letbackin+2+").empty());
    EXPECT_TRUE(sends(rig.view.take()).empty());

    // A joined window given slot 2 is no host either.
    SessionRig other;
    joined(other, 2);
    EXPECT_FALSE(other.session.ishost());
    EXPECT_FALSE(other.session.table().startGameEnabled);
}

TEST(SessionHost, TheHostLetsRemovedPlayersBackInAndIsToldHowMany) {
    SessionRig rig;
    rig.host("Bob");
    rig.session.openSeatPopup(4);
    rig.session.letRemovedBackIn();
    EXPECT_EQ(rig.view.take(), (Events{"send:CMD_letbackin+1+\xFF"}));
    EXPECT_EQ(rig.handle("CMD_letbackin+0+"), (Events{"chat[" + kBlue + "] 0+No removed player was kept out."}));
    EXPECT_EQ(rig.handle("CMD_letbackin+1+"), (Events{"chat[" + kBlue + "] 0+1 removed player may join again."}));
    EXPECT_EQ(rig.handle("CMD_letbackin+3+"), (Events{"chat[" + kBlue + "] 0+3 removed players may join again."}));
    EXPECT_TRUE(rig.handle("CMD_letbackin+x+").empty());
    EXPECT_TRUE(rig.handle("CMD_letbackin+-1+").empty());
}

TEST(SessionRemoved, TheRemovedPlayerIsToldAndTheWindowClosesOnce) {
    SessionRig rig;
    rig.join(3, "Cid");
    rig.session.onBytes("CMD_removed+\xFF");
    rig.session.onSocketClosed();
    rig.drain();
    EXPECT_EQ(rig.view.take(), (Events{"message:The host removed you from this game.", "close"}));
}

TEST(TakeOver, JustWatchOnAJoinedPlayersOwnTurnEndsHisSelectionAndRollButton) {
    SessionRig rig;
    rig.join(3, "Cid");
    for (const char* line : {"CMD_existingplayers+1+Bob+0", "CMD_startgame+Bob+5+", "CMD_nextplayer+3",
                             "CMD_placedice+1+4+2+5+"})
        rig.handle(line);
    ASSERT_TRUE(rig.session.mayselect());
    rig.session.clickTile(9);
    EXPECT_TRUE(rig.session.table().rollVisible);
    rig.session.justWatchClicked();
    EXPECT_EQ(sends(rig.view.take()), (Events{"send:CMD_slide+3+down+9+\xFF", "send:CMD_justwatch+3+1\xFF"}));
    rig.handle("CMD_justwatching+3+1");
    EXPECT_TRUE(rig.session.table().justWatchChecked);
    EXPECT_FALSE(rig.session.mayselect());
    EXPECT_FALSE(rig.session.table().rollVisible);
    EXPECT_EQ(rig.tile(9), "u");
    rig.session.clickTile(4);
    rig.session.clickRoll();
    EXPECT_TRUE(sends(rig.view.take()).empty());
    EXPECT_FALSE(rig.session.table().rollVisible);
}

TEST(InputSafety, AScoreForNoSeatIsDropped) {
    SessionRig rig;
    rig.join(3, "Cid");
    rig.handle("CMD_startgame+Bob+5+");
    const TableState before = rig.session.table();
    for (const char* line : {"CMD_scores+0+12+12+", "CMD_scores+7+12+12+", "CMD_scores+-1+0+0+",
                             "CMD_scores+3+12+", "CMD_scores+x+1+1+"}) {
        EXPECT_TRUE(rig.handle(line).empty()) << line;
        EXPECT_TRUE(rig.session.table() == before) << line;
    }
    rig.handle("CMD_scores+6+12+12+");
    EXPECT_EQ(rig.seat(6).score, "12");
}

} // namespace
} // namespace tc::client::test
