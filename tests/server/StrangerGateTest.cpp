// Who may wait in a slot without a login, and who gives way to whom.
#include <gtest/gtest.h>

#include "server/StrangerGate.h"

namespace tc::server::test {
namespace {

using State = StrangerGate::Slot::State;
using Kind = StrangerGate::Admission::Kind;
using Admission = StrangerGate::Admission;

struct Table {
    StrangerGate::Slots slots;
    Table& seated(int s) {
        slots[s] = {State::Seated, {}};
        return *this;
    }
    Table& stranger(int s, const std::string& address) {
        slots[s] = {State::Stranger, address};
        return *this;
    }
};

Admission slot(int s, int giveWay = 0) { return {Kind::Slot, s, giveWay}; }

TEST(StrangerGate, AddressKeysNameOneParty) {
    EXPECT_EQ(StrangerGate::addressKey("10.1.2.3"), "10.1.2.3");
    EXPECT_EQ(StrangerGate::addressKey("::ffff:10.1.2.3"), "10.1.2.3");
    EXPECT_EQ(StrangerGate::addressKey("2001:db8:a:b:1:2:3:4"), "2001:db8:a:b::/64");
    EXPECT_EQ(StrangerGate::addressKey("2001:db8:a:b::99"), "2001:db8:a:b::/64");
    EXPECT_EQ(StrangerGate::addressKey("2001:db8:a:c::99"), "2001:db8:a:c::/64");
    EXPECT_EQ(StrangerGate::addressKey("::1"), "0:0:0:0::/64");
    EXPECT_EQ(StrangerGate::addressKey("not an address"), "not an address");
}

TEST(StrangerGate, AnEmptyTableGivesTheLowestFreeSlotAndAFullOneSaysSo) {
    StrangerGate gate;
    Table t;
    EXPECT_EQ(gate.admit(t.slots, "10.0.0.1", 0), slot(1));
    t.seated(1).seated(3);
    EXPECT_EQ(gate.admit(t.slots, "10.0.0.2", 0), slot(2));
    for (int s = 1; s <= 9; ++s) t.seated(s);
    EXPECT_EQ(gate.admit(t.slots, "10.0.0.3", 0), (Admission{Kind::Full, 0, 0}));
}

TEST(StrangerGate, TwoCopiesOfOneAddressMayWaitTogetherAThirdIsTurnedAway) {
    StrangerGate gate;
    Table t;
    t.seated(1).stranger(2, "10.0.0.5");
    // A friend's second copy behind the same router, both starting at once.
    EXPECT_EQ(gate.admit(t.slots, "10.0.0.5", 0), slot(3));
    t.stranger(3, "10.0.0.5");
    const Admission third = gate.admit(t.slots, "10.0.0.5", 100);
    EXPECT_EQ(third.kind, Kind::TurnAway);
    EXPECT_TRUE(third.firstOfEpisode);
    EXPECT_FALSE(gate.admit(t.slots, "10.0.0.5", 9'999).firstOfEpisode);
    // One episode while they come less than 10 s apart.
    EXPECT_FALSE(gate.admit(t.slots, "10.0.0.5", 19'998).firstOfEpisode);
    EXPECT_TRUE(gate.admit(t.slots, "10.0.0.5", 29'998).firstOfEpisode);
    // Another address turned away within it is the same episode.
    t.stranger(8, "10.0.0.6").stranger(9, "10.0.0.6");
    EXPECT_FALSE(gate.admit(t.slots, "10.0.0.6", 30'000).firstOfEpisode);
    // Another address of the same IPv6 /64 is the same party.
    t.stranger(2, "2001:db8::1").stranger(3, "2001:db8::2");
    EXPECT_EQ(gate.admit(t.slots, "2001:db8::3", 0).kind, Kind::TurnAway);
    EXPECT_EQ(gate.admit(t.slots, "2001:db8:0:1::3", 0), slot(4));
}

TEST(StrangerGate, ACopyOfASeatedPlayersAddressGetsInAsAnyOther) {
    StrangerGate gate;
    Table t;
    gate.admit(t.slots, "10.0.0.5", 0);
    gate.loggedIn("10.0.0.5");
    t.seated(1).seated(2);
    EXPECT_EQ(gate.admit(t.slots, "10.0.0.5", 10), slot(3));
    EXPECT_EQ(gate.standing("10.0.0.5", 10), 1);
    gate.loggedIn("10.0.0.5");
    EXPECT_EQ(gate.standing("10.0.0.5", 10), 0);
}

TEST(StrangerGate, ASquattersStrangerGivesWayToANewcomerOfAnotherAddress) {
    StrangerGate gate;
    Table t;
    t.seated(1);
    // Four tries without a login; one waits in slot 2.
    for (int i = 0; i < 4; ++i) gate.admit(t.slots, "10.6.6.6", i * 200);
    t.stranger(2, "10.6.6.6");
    EXPECT_EQ(gate.standing("10.6.6.6", 800), 4);
    // Ann, new here, stands at 1; 4 is at least 2 above: slot 2 is hers.
    EXPECT_EQ(gate.admit(t.slots, "10.0.0.2", 900), slot(2, 2));
    // The squatter's next try cannot push Ann out before her login.
    t.stranger(2, "10.0.0.2");
    EXPECT_EQ(gate.admit(t.slots, "10.6.6.6", 1000), slot(3));
    t.stranger(3, "10.6.6.6");
    // A squatter higher up gives way only where a lower slot is not free.
    EXPECT_EQ(gate.admit(t.slots, "10.0.0.3", 1100), slot(3, 3));
    t.seated(2);
    EXPECT_EQ(gate.admit(t.slots, "10.0.0.4", 1200), slot(3, 3));
    t.slots[3] = {};
    t.stranger(4, "10.6.6.6");
    EXPECT_EQ(gate.admit(t.slots, "10.0.0.4", 1200), slot(3));
}

TEST(StrangerGate, PlayersArrivingTogetherNeverPushEachOtherOut) {
    StrangerGate gate;
    Table t;
    t.seated(1);
    gate.admit(t.slots, "10.0.0.2", 0);
    t.stranger(2, "10.0.0.2");
    EXPECT_EQ(gate.admit(t.slots, "10.0.0.3", 1), slot(3));
    // Two copies of one address waiting stand at 2: not enough above a
    // newcomer's 1 to give way.
    gate.admit(t.slots, "10.0.0.2", 2);
    t.stranger(3, "10.0.0.2");
    EXPECT_EQ(gate.standing("10.0.0.2", 2), 2);
    EXPECT_EQ(gate.admit(t.slots, "10.0.0.4", 3), slot(4));
    // At a table held by seats and such strangers the newcomer is turned
    // away without a word: the table is not full.
    for (int s = 4; s <= 9; ++s) t.seated(s);
    const Admission a = gate.admit(t.slots, "10.0.0.5", 4);
    EXPECT_EQ(a.kind, Kind::TurnAway);
    EXPECT_EQ(a.giveWay, 0);
}

TEST(StrangerGate, TheStandingIsForgottenAMinuteAfterTheLastTryButNotWhileOneWaits) {
    StrangerGate gate;
    Table t;
    for (int i = 0; i < 5; ++i) gate.admit(t.slots, "10.6.6.6", 0);
    EXPECT_EQ(gate.standing("10.6.6.6", 59'999), 5);
    EXPECT_EQ(gate.standing("10.6.6.6", 60'000), 0);
    // A stranger still waiting (a long login time) counts all the same.
    t.seated(1).stranger(2, "10.6.6.6");
    EXPECT_EQ(gate.admit(t.slots, "10.0.0.2", 60'000), slot(3));
    gate.admit(t.slots, "10.6.6.6", 60'001);
    // 10.6.6.6 stands at 1 again (its one try since): not enough above 1.
    t.stranger(3, "10.0.0.2");
    EXPECT_EQ(gate.admit(t.slots, "10.0.0.7", 60'002), slot(4));
}

TEST(StrangerGate, AtMostSoManyAddressesAreRememberedTheQuietestForgottenFirst) {
    StrangerGate gate;
    Table t;
    for (int i = 0; i < 5; ++i) gate.admit(t.slots, "10.6.6.6", 0);
    for (std::size_t i = 0; i < kMaxAddresses + 10; ++i)
        gate.admit(t.slots, "10.1." + std::to_string(i / 250) + "." + std::to_string(i % 250), 1 + static_cast<int>(i));
    EXPECT_EQ(gate.addressesKept(), kMaxAddresses);
    EXPECT_EQ(gate.standing("10.6.6.6", 2000), 0);  // the quietest, forgotten first
    EXPECT_EQ(gate.standing("10.1.4.9", 2000), 1);  // the newest still known
}

} // namespace
} // namespace tc::server::test
