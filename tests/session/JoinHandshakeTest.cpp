#include <gtest/gtest.h>

#include "session/JoinHandshake.h"

using tc::client::JoinHandshake;
using State = JoinHandshake::State;

TEST(JoinHandshake, LogsInAndIsDoneAtTheHostsFirstAnswer) {
    JoinHandshake h("Bob+Ann");
    // In pieces, as the network hands it over.
    EXPECT_EQ(h.onBytes("CMD_sendlog"), "");
    EXPECT_EQ(h.state(), State::Waiting);
    EXPECT_EQ(h.onBytes("ininfo+3\xFF" "CMD_existingpl"), "CMD_logininfo+3+1.0.3+Bob?Ann\xFF\xFF");
    EXPECT_EQ(h.state(), State::LoggedIn);
    EXPECT_EQ(h.seat(), 3);
    EXPECT_FALSE(h.finished());
    // An empty line is no answer; the first whole message is.
    EXPECT_EQ(h.onBytes("ayers+1+Ann+0+"), "");
    EXPECT_EQ(h.state(), State::LoggedIn);
    EXPECT_EQ(h.onBytes("\xFF" "CMD_chat+0+hi"), "");
    EXPECT_EQ(h.state(), State::Joined);
    EXPECT_EQ(h.rest(), "CMD_existingplayers+1+Ann+0+\xFF" "CMD_chat+0+hi");
    EXPECT_EQ(h.onBytes("\xFF" "more"), "");  // the session takes it from here
    EXPECT_EQ(h.rest(), "CMD_existingplayers+1+Ann+0+\xFF" "CMD_chat+0+hi");

    JoinHandshake j(reinterpret_cast<const char*>(u8"J\u00fcrgen"));
    EXPECT_EQ(j.onBytes("\xFF" "CMD_sendlogininfo+9\xFF\xFF"), "CMD_logininfo+9+1.0.3+J\xFCrgen\xFF\xFF");
    EXPECT_EQ(j.onBytes("\xFF"), "");
    EXPECT_EQ(j.state(), State::LoggedIn);
    EXPECT_EQ(j.onBytes("CMD_wrongversion+\xFF"), "");
    EXPECT_EQ(j.state(), State::Joined);
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
