#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "session/JoinHandshake.h"

using tc::client::JoinHandshake;
using State = JoinHandshake::State;

TEST(JoinHandshake, LogsInAndIsDoneWhenTheHostSeatsIt) {
    JoinHandshake h("Bob+Ann");
    // In pieces, as the network hands it over.
    EXPECT_EQ(h.onBytes("CMD_sendlog"), "");
    EXPECT_EQ(h.state(), State::Waiting);
    EXPECT_EQ(h.onBytes("ininfo+3\xFF" "CMD_chat+1+Ann chats: hi|clRed\xFF" "CMD_newplayer"),
              "CMD_logininfo+3+1.0.3+Bob?Ann\xFF\xFF");
    EXPECT_EQ(h.state(), State::LoggedIn);
    EXPECT_EQ(h.seat(), 3);
    EXPECT_FALSE(h.finished());
    // An empty line, a relay or another player's entry is no answer; the
    // own entry is.
    EXPECT_EQ(h.onBytes("info+4+Cid+0\xFF\xFF"), "");
    EXPECT_EQ(h.state(), State::LoggedIn);
    EXPECT_EQ(h.onBytes("CMD_newplayerinfo+3+Bob?Ann+0\xFF" "CMD_existingplayers+1+Ann+0+\xFF" "CMD_ga"), "");
    EXPECT_EQ(h.state(), State::Joined);
    EXPECT_EQ(h.rest(), "CMD_chat+1+Ann chats: hi|clRed\xFF" "CMD_newplayerinfo+4+Cid+0\xFF\xFF"
                        "CMD_newplayerinfo+3+Bob?Ann+0\xFF" "CMD_existingplayers+1+Ann+0+\xFF" "CMD_ga");
    const std::string kept = h.rest();
    EXPECT_EQ(h.onBytes("mestats+1+4+6+5+\xFF"), "");  // the session takes it from here
    EXPECT_EQ(h.rest(), kept);

    // A wrong version is no refusal: the host seats the newcomer and then
    // tells him.
    JoinHandshake j(reinterpret_cast<const char*>(u8"J\u00fcrgen"));
    EXPECT_EQ(j.onBytes("\xFF" "CMD_sendlogininfo+9\xFF\xFF"), "CMD_logininfo+9+1.0.3+J\xFCrgen\xFF\xFF");
    EXPECT_EQ(j.onBytes("\xFF"), "");
    EXPECT_EQ(j.state(), State::LoggedIn);
    EXPECT_EQ(j.onBytes("CMD_newplayerinfo+9+J\xFCrgen+0\xFF" "CMD_wrongversion+\xFF"), "");
    EXPECT_EQ(j.state(), State::Joined);
    EXPECT_EQ(j.rest(), "\xFF\xFF" "CMD_newplayerinfo+9+J\xFCrgen+0\xFF" "CMD_wrongversion+\xFF");
}

TEST(JoinHandshake, ALoginTurnedAwayIsAFailedJoin) {
    // Full after the login (another newcomer took the last slot meanwhile),
    // or kept out as removed: neither is a join.
    for (const auto& [answer, state] : {std::pair<std::string, State>{"CMD_full+\xFF", State::Full},
                                        std::pair<std::string, State>{"CMD_removed+\xFF", State::Removed}}) {
        JoinHandshake h("Cid");
        EXPECT_EQ(h.onBytes("CMD_sendlogininfo+3\xFF"), "CMD_logininfo+3+1.0.3+Cid\xFF\xFF");
        EXPECT_EQ(h.onBytes(answer), "");
        EXPECT_EQ(h.state(), state) << answer;
        EXPECT_TRUE(h.finished());
    }
    // An entry for a slot that is not ours does not seat us.
    JoinHandshake other("Cid");
    other.onBytes("CMD_sendlogininfo+3\xFF");
    other.onBytes("CMD_newplayerinfo+1+Cid+0\xFF" "CMD_newplayerinfo+x+Cid+0\xFF" "CMD_newplayerinfo+\xFF");
    EXPECT_EQ(other.state(), State::LoggedIn);
}

TEST(JoinHandshake, AFullGameOrAStrangerEndsIt) {
    JoinHandshake full("Bob");
    EXPECT_EQ(full.onBytes("CMD_full+\xFF"), "");
    EXPECT_EQ(full.state(), State::Full);
    EXPECT_TRUE(full.finished());
    for (const char* bytes : {"HTTP/1.1 400 Bad Request\r\n\r\n\xFF", "CMD_sendlogininfo+0\xFF",
                              "CMD_sendlogininfo+10\xFF", "CMD_sendlogininfo+x\xFF", "CMD_chat+0+hi\xFF"}) {
        JoinHandshake h("Bob");
        EXPECT_EQ(h.onBytes(bytes), "") << bytes;
        EXPECT_EQ(h.state(), State::NotAGame) << bytes;
        EXPECT_EQ(h.seat(), 0) << bytes;
    }
    // A peer that talks on and on without a line end is no game either.
    JoinHandshake endless("Bob");
    const std::string chunk(16 * 1024, 'a');
    for (int i = 0; i < 4; ++i) endless.onBytes(chunk);
    EXPECT_EQ(endless.state(), State::Waiting);
    endless.onBytes("a");
    EXPECT_EQ(endless.state(), State::NotAGame);
}
