// The TXT record of an announced game, its reading from other machines,
// the list of games found and the announced name.
#include <gtest/gtest.h>

#include "discovery/FoundGames.h"
#include "discovery/GameTxt.h"
#include "discovery/ServiceName.h"

namespace tc::discovery {
namespace {

using Items = std::vector<std::string>;

TEST(GameTxt, BuildsEveryKeyInOrderAndKeepsValuesInRange) {
    EXPECT_EQ(buildTxt({"1.0.3", 2, 4, true}),
              (Items{"txtvers=1", "version=1.0.3", "players=2", "free=4", "game=running"}));
    EXPECT_EQ(buildTxt({"1.0.3", -1, 9, false}),
              (Items{"txtvers=1", "version=1.0.3", "players=0", "free=6", "game=waiting"}));
    // A version that is not plain text, or too long, is not sent as is.
    EXPECT_EQ(buildTxt({"1.0\n3", 0, 6, false})[1], "version=");
    EXPECT_EQ(buildTxt({"1.0.3.5.6.7.8.9.10.11", 0, 6, false})[1], "version=1.0.3.5.6.7.8.9.");
}

TEST(GameTxt, ReadsItsOwnRecordBack) {
    const GameTxtInfo info = parseTxt(buildTxt({"1.0.3", 3, 2, true}));
    EXPECT_EQ(info, (GameTxtInfo{"1.0.3", 3, 2, true}));
    EXPECT_EQ(playersText(info), "3 (2 free)");
    EXPECT_EQ(stateText(info), "running");
    EXPECT_EQ(stateText(parseTxt({"game=waiting"})), "waiting");
}

TEST(GameTxt, KeysIgnoreCaseAndTheFirstOfARepeatedKeyCounts) {
    EXPECT_EQ(parseTxt({"PLAYERS=1", "players=5", "Game=running", "game=waiting"}),
              (GameTxtInfo{"", 1, std::nullopt, true}));
    // A bare key still takes the key's place: a later value is not read.
    EXPECT_EQ(parseTxt({"free", "free=3"}).freeSeats, std::nullopt);
}

TEST(GameTxt, BadValuesStayUnknown) {
    const GameTxtInfo info = parseTxt({"players=7", "free=-1", "game=Running", "version=1.0\x01", "=x", "",
                                       "players=2"});
    EXPECT_EQ(info, GameTxtInfo{});
    EXPECT_EQ(parseTxt({"players=02"}).seated, std::nullopt);
    EXPECT_EQ(parseTxt({"players= 2"}).seated, std::nullopt);
    EXPECT_EQ(parseTxt({"version=12345678901234567"}).version, "");
    EXPECT_EQ(playersText(info), "?");
    EXPECT_EQ(playersText(parseTxt({"players=2"})), "2");
    EXPECT_EQ(stateText(info), "");
}

TEST(GameTxt, OnlyTheFirstItemsAndShortItemsAreRead) {
    Items many(kMaxTxtItems, "other=1");
    many.push_back("players=4");
    EXPECT_EQ(parseTxt(many).seated, std::nullopt);
    EXPECT_EQ(parseTxt({"players=4" + std::string(300, ' ')}).seated, std::nullopt);
    EXPECT_EQ(parseTxt({"x=" + std::string(300, 'a'), "players=4"}).seated, 4);
}

ServiceKey key(int iface, int proto, const std::string& name) { return {iface, proto, name, "local"}; }
Resolved at(const std::string& address, std::uint16_t port, bool ipv6, Items txt = {}) {
    return {address, port, ipv6, std::move(txt)};
}

TEST(FoundGames, OneRowPerNamePreferringIPv4ThenTheLowestInterface) {
    FoundGames g;
    ASSERT_TRUE(g.add(key(3, 1, "Ann")));
    ASSERT_TRUE(g.add(key(3, 0, "Ann")));
    ASSERT_TRUE(g.add(key(2, 0, "Ann")));
    EXPECT_FALSE(g.add(key(2, 0, "Ann")));  // already followed
    // Seen but not resolved yet: no row.
    EXPECT_TRUE(g.rows().empty());
    EXPECT_TRUE(g.resolved(key(3, 1, "Ann"), at("fd00::5", 7772, true, {"players=1"})));
    ASSERT_EQ(g.rows().size(), 1u);
    EXPECT_EQ(g.rows()[0].address, "fd00::5");
    EXPECT_TRUE(g.resolved(key(3, 0, "Ann"), at("192.168.7.3", 7772, false, {"players=2"})));
    EXPECT_EQ(g.rows()[0].address, "192.168.7.3");
    EXPECT_EQ(g.rows()[0].info.seated, 2);
    EXPECT_TRUE(g.resolved(key(2, 0, "Ann"), at("10.1.1.1", 7772, false)));
    EXPECT_EQ(g.rows()[0].address, "10.1.1.1");
    // The same answer again changes nothing.
    EXPECT_FALSE(g.resolved(key(2, 0, "Ann"), at("10.1.1.1", 7772, false)));

    // The row stays while any instance does.
    EXPECT_TRUE(g.remove(key(2, 0, "Ann")));
    EXPECT_EQ(g.rows()[0].address, "192.168.7.3");
    EXPECT_TRUE(g.remove(key(3, 0, "Ann")));
    EXPECT_FALSE(g.remove(key(3, 0, "Ann")));
    EXPECT_EQ(g.rows()[0].address, "fd00::5");
    EXPECT_TRUE(g.remove(key(3, 1, "Ann")));
    EXPECT_TRUE(g.rows().empty());
}

TEST(FoundGames, RowsAreSortedByNameAndCarryPortAndRecord) {
    FoundGames g;
    for (const char* n : {"Zoe", "Ann", "Bob #2"}) {
        g.add(key(2, 0, n));
        g.resolved(key(2, 0, n), at("10.0.0.1", 7000, false, {"players=1", "free=5", "game=waiting"}));
    }
    const auto rows = g.rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (FoundGame{"Ann", "local", "10.0.0.1", 7000, GameTxtInfo{"", 1, 5, false}}));
    EXPECT_EQ(rows[1].name, "Bob #2");
    EXPECT_EQ(rows[2].name, "Zoe");
    // A resolve for an instance never added is not listed.
    EXPECT_FALSE(g.resolved(key(9, 0, "Eve"), at("10.0.0.9", 1, false)));
    EXPECT_EQ(g.rows().size(), 3u);
}

TEST(FoundGames, AFloodOfInstancesIsCappedAndRemovalsMakeRoom) {
    FoundGames g;
    for (std::size_t i = 0; i < kMaxInstances; ++i) ASSERT_TRUE(g.add(key(2, 0, "G" + std::to_string(i))));
    EXPECT_FALSE(g.add(key(2, 0, "one too many")));
    EXPECT_EQ(g.instanceCount(), kMaxInstances);
    // An unresolved instance going away changes no row but frees a place.
    EXPECT_FALSE(g.remove(key(2, 0, "G0")));
    EXPECT_TRUE(g.add(key(2, 0, "one too many")));
}

TEST(ServiceName, ThePlayersNameCleanedForDnsSd) {
    EXPECT_EQ(serviceNameFor("Ann"), "Ann");
    EXPECT_EQ(serviceNameFor("  An\tn \x7f "), "Ann");
    EXPECT_EQ(serviceNameFor(" \n "), "Tilecrest");
    EXPECT_EQ(serviceNameFor(std::string(70, 'x')), std::string(63, 'x'));
    // 62 bytes then a two-byte character: cut before it, not inside.
    const std::string name = std::string(62, 'a') + "\xC3\xA9" + "b";
    EXPECT_EQ(serviceNameFor(name), std::string(62, 'a'));
    EXPECT_EQ(serviceNameFor(std::string(61, 'a') + "\xC3\xA9"), std::string(61, 'a') + "\xC3\xA9");
}

TEST(ServiceName, AFoundNameIsShownWithoutControlOrBidiCharacters) {
    EXPECT_EQ(shownGameName("Friday game"), "Friday game");
    // C0, DEL and C1 controls; a line feed would make two lines of one row.
    EXPECT_EQ(shownGameName("Ann\n\r\t\x1b[31m\x7f\xC2\x85\xC2\x9B!"), "Ann[31m!");
    // Right-to-left override, embeddings, isolates and marks: "Eve" must not
    // be drawn as "evE" nor turn the address column around.
    EXPECT_EQ(shownGameName("\xE2\x80\xAE" "evE\xE2\x80\xAC"), "evE");
    EXPECT_EQ(shownGameName("a\xE2\x80\xAA" "b\xE2\x80\xAB" "c\xE2\x80\xAD" "d\xE2\x81\xA6" "e\xE2\x81\xA7"
                            "f\xE2\x81\xA8" "g\xE2\x81\xA9" "h\xE2\x80\x8E" "i\xE2\x80\x8F" "j\xD8\x9C" "k"
                            "\xE2\x80\xA8" "l\xE2\x80\xA9"),
              "abcdefghijkl");
    // Other characters, right-to-left letters among them, stay.
    EXPECT_EQ(shownGameName("Zo\xC3\xAB \xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D \xF0\x9F\x8E\xB2"),
              "Zo\xC3\xAB \xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D \xF0\x9F\x8E\xB2");
    // Malformed UTF-8 (a lone continuation, a cut sequence, an overlong
    // form, a surrogate) is one U+FFFD per broken sequence.
    EXPECT_EQ(shownGameName("a\x80z"), "a\xEF\xBF\xBDz");
    EXPECT_EQ(shownGameName("a\xE2\x80"), "a\xEF\xBF\xBD");
    EXPECT_EQ(shownGameName("\xC0\xAF"), "\xEF\xBF\xBD");
    EXPECT_EQ(shownGameName("\xED\xA0\x80x"), "\xEF\xBF\xBDx");
    // Nothing left to show.
    EXPECT_EQ(shownGameName(" \xE2\x80\xAE\x01 "), "?");
    // The own announcement drops the same characters.
    EXPECT_EQ(serviceNameFor("\xE2\x80\xAE" "Ann\xC2\x85"), "Ann");
    EXPECT_EQ(serviceNameFor("\xE2\x81\xA6"), "Tilecrest");
}

TEST(FoundGames, RowsShowCleanedNamesInTheirOrder) {
    FoundGames g;
    const std::string spoof = "\xE2\x80\xAE" "Ann\n";
    for (const std::string& n : {spoof, std::string("Bob")}) {
        ASSERT_TRUE(g.add(key(2, 0, n)));
        g.resolved(key(2, 0, n), at("10.0.0.1", 7000, false));
    }
    const auto rows = g.rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].name, "Ann");
    EXPECT_EQ(rows[1].name, "Bob");
}

} // namespace
} // namespace tc::discovery
