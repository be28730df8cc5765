// The list of removed players: names without regard to case, per address,
// bounded, and emptied by the host.
#include <gtest/gtest.h>

#include <string>

#include "server/RemovedPlayers.h"

namespace tc::server {
namespace {

TEST(RemovedPlayers, NamesMatchWithoutCaseAndOnlyFromTheirAddress) {
    RemovedPlayers r;
    r.add("10.0.0.1", "Cid");
    r.add("10.0.0.1", "\xC9lise \x8Ailvo");  // "Élise Šilvo" in Windows-1252
    for (const char* name : {"Cid", "cid", "CID", "cId"}) EXPECT_TRUE(r.contains("10.0.0.1", name)) << name;
    EXPECT_TRUE(r.contains("10.0.0.1", "\xE9lise \x9Ailvo"));  // "élise šilvo"
    EXPECT_TRUE(r.contains("10.0.0.1", "\xC9LISE \x8AILVO"));
    EXPECT_FALSE(r.contains("10.0.0.2", "Cid"));
    EXPECT_FALSE(r.contains("10.0.0.1", "Cid2"));
    EXPECT_FALSE(r.contains("10.0.0.1", "Ci"));
    // "×" and "÷" are no letters: not folded into each other.
    r.add("10.0.0.1", "a\xD7" "b");
    EXPECT_FALSE(r.contains("10.0.0.1", "a\xF7" "b"));
    EXPECT_EQ(RemovedPlayers::foldCase("AZaz@[\xC0\xDE\xDF\x8C\x8E\x9F"), "azaz@[\xE0\xFE\xDF\x9C\x9E\xFF");
}

TEST(RemovedPlayers, TheOldestIsForgottenPastTheBoundAndTheHostEmptiesTheList) {
    RemovedPlayers r;
    for (std::size_t i = 0; i < RemovedPlayers::kMaxRemembered; ++i) r.add("10.0.0.1", "P" + std::to_string(i));
    r.add("10.0.0.1", "p0");  // already kept out: no second entry
    EXPECT_EQ(r.size(), RemovedPlayers::kMaxRemembered);
    r.add("10.0.0.1", "Last");
    EXPECT_EQ(r.size(), RemovedPlayers::kMaxRemembered);
    EXPECT_FALSE(r.contains("10.0.0.1", "P0"));
    EXPECT_TRUE(r.contains("10.0.0.1", "P1"));
    EXPECT_TRUE(r.contains("10.0.0.1", "Last"));
    EXPECT_EQ(r.clear(), RemovedPlayers::kMaxRemembered);
    EXPECT_FALSE(r.contains("10.0.0.1", "Last"));
    EXPECT_EQ(r.clear(), 0u);
}

} // namespace
} // namespace tc::server
