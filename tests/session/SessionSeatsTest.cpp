// Players and spectators arriving and leaving, just watching, and the
// host's moderation.
#include <gtest/gtest.h>

#include "RecordingView.h"

using namespace tc::client;
using namespace tc::client::test;
using Events = std::vector<std::string>;

namespace {
std::string sys(const std::string& text) { return "chat[" + kBlue + "] 0+" + text; }
} // namespace

TEST(SessionSeats, OwnEntryPostsTheConnectionLinesThenLoadsSettings) {
    SessionRig rig;
    rig.join(3, "Ann");
    EXPECT_EQ(rig.handle("CMD_newplayerinfo+3+Ann+0"),
              (Events{sys("You are Connected."), sys("Press Control-I to see Quick Instructions."), "loadSettings",
                      "sound:entered"}));
    EXPECT_EQ(rig.seat(3).caption, "Ann");
    EXPECT_FALSE(rig.seat(3).eyes);
}

TEST(SessionSeats, ExistingPlayersArriveWithOneEnteredSound) {
    SessionRig rig;
    rig.join(4, "Dee");
    EXPECT_EQ(rig.handle("CMD_existingplayers+1+Bob+0+2+Cid+1+7+Eve+0"),
              (Events{sys("Bob is Connected."), sys("Cid is Connected."), sys("Eve is Connected."),
                      sys("Eve is spying."), "sound:entered"}));
    EXPECT_EQ(rig.seat(1).caption, "Bob");
    EXPECT_EQ(rig.seat(2).caption, "Cid");
    EXPECT_TRUE(rig.seat(2).eyes);
    EXPECT_FALSE(rig.seat(1).eyes);
    EXPECT_EQ(rig.session.table().spyList, (std::vector<std::string>{"7: Eve"}));
    for (int n = 3; n <= 6; ++n) EXPECT_EQ(rig.seat(n).caption, "<Waiting>") << n;
}

TEST(SessionSeats, SpectatorAnnArrivesAndLeavesInNavy) {
    SessionRig rig;
    rig.host("Bob");
    rig.handle("CMD_newplayerinfo+1+Bob+0");
    const auto seatsBefore = rig.session.table().seats;
    EXPECT_EQ(rig.handle("CMD_newplayerinfo+8+Ann+1"),
              (Events{sys("Ann is Connected."), sys("Ann is spying."), "sound:entered"}));
    EXPECT_EQ(rig.session.table().spyList, (std::vector<std::string>{"8: Ann"}));
    for (int n = 1; n <= 6; ++n) {
        EXPECT_EQ(rig.seat(n).caption, seatsBefore[static_cast<std::size_t>(n - 1)].caption);
        EXPECT_FALSE(rig.seat(n).eyes);
    }
    EXPECT_EQ(rig.handle("CMD_playerdisconnected+8+Ann"), (Events{"chat[" + kNavyHex + "] 0+Ann has left."}));
    EXPECT_TRUE(rig.session.table().spyList.empty());
    // Leaving again (a repeated report) finds no entry and says nothing.
    EXPECT_TRUE(rig.handle("CMD_playerdisconnected+8+Ann").empty());
}

TEST(SessionSeats, OwnSpectatorEntryAndOneEntryPerSlot) {
    SessionRig rig;
    rig.join(9, "Zed");
    EXPECT_EQ(rig.handle("CMD_newplayerinfo+9+Zed+0"),
              (Events{sys("You are Connected."), sys("Press Control-I to see Quick Instructions."), "loadSettings",
                      sys("You are spying."), "sound:entered"}));
    // A slot holds one connection at a time, so its entry is replaced.
    rig.handle("CMD_newplayerinfo+8+Ann+0");
    rig.handle("CMD_newplayerinfo+8+Ann+0");
    rig.handle("CMD_newplayerinfo+8+Art+0");
    EXPECT_EQ(rig.session.table().spyList, (std::vector<std::string>{"9: Zed", "8: Art"}));
}

TEST(SessionSeats, SeatTwoRevertsToRudiOthersToWaiting) {
    SessionRig rig;
    rig.host("Bob");
    rig.handle("CMD_existingplayers+2+Cid+1+4+Dee+0");
    EXPECT_TRUE(rig.seat(2).eyes);
    // The name in the message is not what is shown: the caption is.
    EXPECT_EQ(rig.handle("CMD_playerdisconnected+2+whoever"), (Events{sys("Cid disconnected.")}));
    EXPECT_EQ(rig.seat(2).caption, "Rudi");
    EXPECT_FALSE(rig.seat(2).eyes);
    EXPECT_EQ(rig.handle("CMD_playerdisconnected+4+Dee"), (Events{sys("Dee disconnected.")}));
    EXPECT_EQ(rig.seat(4).caption, "<Waiting>");
}

TEST(SessionSeats, JustWatchingShowsEyesChecksOwnItemAndIgnoresSpectatorSlots) {
    SessionRig rig;
    rig.join(3, "Ann");
    rig.handle("CMD_existingplayers+1+Bob+0+3+Ann+0");
    EXPECT_EQ(rig.handle("CMD_justwatching+3+1"), (Events{"chat[" + kWatchHex + "] 0+Ann is just watching"}));
    EXPECT_TRUE(rig.session.table().justWatchChecked);
    EXPECT_TRUE(rig.seat(3).eyes);
    EXPECT_EQ(rig.handle("CMD_justwatching+1+1"), (Events{"chat[" + kWatchHex + "] 0+Bob is just watching"}));
    EXPECT_TRUE(rig.seat(1).eyes);
    // Any flag but "1" means playing again, a trailing "+" included.
    EXPECT_EQ(rig.handle("CMD_justwatching+3+1+"), (Events{"chat[" + kWatchHex + "] 0+Ann now playing again"}));
    EXPECT_FALSE(rig.session.table().justWatchChecked);
    EXPECT_FALSE(rig.seat(3).eyes);
    EXPECT_TRUE(rig.seat(1).eyes);

    const auto before = rig.session.table().seats;
    EXPECT_TRUE(rig.handle("CMD_justwatching+7+1").empty());
    EXPECT_TRUE(rig.handle("CMD_justwatching+9+2").empty());
    for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(rig.session.table().seats[i].eyes, before[i].eyes);
}

TEST(SessionSeats, JustWatchClickSendsTheOppositeOfTheCheckMark) {
    SessionRig rig;
    rig.session.justWatchClicked();  // not logged in yet
    EXPECT_TRUE(rig.view.take().empty());
    rig.join(3, "Ann");
    rig.session.justWatchClicked();
    EXPECT_EQ(rig.view.take(), (Events{"send:CMD_justwatch+3+1\xFF"}));
    EXPECT_FALSE(rig.session.table().justWatchChecked);  // follows the server's answer only
    rig.handle("CMD_justwatching+3+1");
    rig.session.justWatchClicked();
    EXPECT_EQ(rig.view.take(), (Events{"send:CMD_justwatch+3+2\xFF"}));
}

TEST(SessionSeats, SpectatorJustWatchSendsNothing) {
    SessionRig rig;
    rig.join(8, "Ann");
    rig.session.justWatchClicked();
    EXPECT_TRUE(rig.view.take().empty());
}

TEST(SessionSeats, StartingAGameClearsEyesAndTheCheckMark) {
    SessionRig rig;
    rig.join(3, "Ann");
    rig.handle("CMD_existingplayers+1+Bob+1+3+Ann+0");
    rig.handle("CMD_justwatching+3+1");
    rig.handle("CMD_startgame+Bob+5+");
    EXPECT_FALSE(rig.session.table().justWatchChecked);
    for (int n = 1; n <= 6; ++n) EXPECT_FALSE(rig.seat(n).eyes) << n;
}

TEST(SessionModeration, HostPopupOnAFreeSeatAndOnAnOccupiedOne) {
    SessionRig rig;
    rig.host("Bob");
    rig.handle("CMD_existingplayers+2+Cid+0");
    const SeatPopup free = rig.session.openSeatPopup(4);
    EXPECT_EQ(free.seat, 4);
    EXPECT_FALSE(free.removeEnabled);
    EXPECT_TRUE(free.setJustWatchEnabled);
    EXPECT_TRUE(free.unsetJustWatchEnabled);
    rig.session.setJustWatch();
    rig.session.removeFromGame();  // disabled on a free seat
    EXPECT_EQ(rig.view.take(), (Events{"send:CMD_justwatch+4+1\xFF"}));

    rig.session.openSeatPopup(6);
    rig.session.setJustWatch();
    rig.session.unsetJustWatch();
    EXPECT_EQ(rig.view.take(), (Events{"send:CMD_justwatch+6+1\xFF", "send:CMD_justwatch+6+2\xFF"}));

    const SeatPopup taken = rig.session.openSeatPopup(2);
    EXPECT_TRUE(taken.removeEnabled);
    rig.session.removeFromGame();
    EXPECT_EQ(rig.view.take(), (Events{"send:CMD_kickhim+1+2+\xFF"}));
}

TEST(SessionModeration, NonHostPopupHasEverythingDisabledAndSendsNothing) {
    SessionRig rig;
    rig.join(3, "Ann");
    rig.handle("CMD_existingplayers+1+Bob+0+2+Cid+0");
    for (int n = 1; n <= 6; ++n) {
        const SeatPopup p = rig.session.openSeatPopup(n);
        EXPECT_EQ(p.seat, n);
        EXPECT_FALSE(p.removeEnabled || p.setJustWatchEnabled || p.unsetJustWatchEnabled) << n;
    }
    rig.session.openSeatPopup(1);
    rig.session.removeFromGame();
    rig.session.setJustWatch();
    rig.session.unsetJustWatch();
    rig.session.spyRemove("8: Eve");
    EXPECT_TRUE(rig.view.take().empty());
    const SeatPopup outside = rig.session.openSeatPopup(7);
    EXPECT_EQ(outside.seat, 0);
}

TEST(SessionModeration, SpyListRemovalKicksTheSlotBeforeTheColon) {
    SessionRig rig;
    rig.host("Bob");
    rig.session.spyRemove("8: Ann");
    rig.session.spyRemove("");
    rig.session.spyRemove("none");
    rig.session.spyRemove("x: Ann");
    rig.session.spyRemove("12: Far");
    EXPECT_EQ(rig.view.take(), (Events{"send:CMD_kickhim+1+8+\xFF"}));
}
