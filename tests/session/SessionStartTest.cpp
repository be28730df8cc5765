// Start-up, command line, hosting, joining, login and the dispatch timer.
#include <gtest/gtest.h>

#include "RecordingView.h"

using namespace tc::client;
using namespace tc::client::test;
using Events = std::vector<std::string>;

TEST(SessionParams, NoParametersHostsASoloGameAsYou) {
    SessionRig rig;
    rig.session.processParams({});
    EXPECT_EQ(rig.view.take(), (Events{"chat[" + kBlue + "] 0+Loading Solo Game..Please wait.", "download",
                                       "startServer", "connect:127.0.0.1"}));
    EXPECT_EQ(rig.session.myname(), "You");
    EXPECT_EQ(rig.session.hostaddress(), "127.0.0.1");
    EXPECT_EQ(rig.session.loginname(), "You\xFF");
    EXPECT_TRUE(rig.session.ishost());
    EXPECT_TRUE(rig.session.table().startVisible);
    EXPECT_TRUE(rig.session.table().startGameEnabled);
    EXPECT_TRUE(rig.session.table().spyRemoveEnabled);

    // The login: the name carries its own 0xFF, so an empty line follows.
    rig.session.onConnected();
    EXPECT_EQ(rig.handle("CMD_sendlogininfo+1"), (Events{"send:CMD_logininfo+1+1.0.3+You\xFF\xFF"}));
    EXPECT_EQ(rig.session.myseat(), 1);
    EXPECT_TRUE(rig.session.loggedin());
}

TEST(SessionParams, OneOrTwoParametersOnlyShowTheLoadingLine) {
    for (const auto& params : {std::vector<std::string>{"Ann"}, std::vector<std::string>{"Ann", "10.0.0.5"}}) {
        SessionRig rig;
        rig.session.processParams(params);
        EXPECT_EQ(rig.view.take(), (Events{"chat[" + kBlue + "] 0+Loading Multi-player Game.. Please Wait."}));
        EXPECT_FALSE(rig.session.ishost());
        EXPECT_EQ(rig.session.loginname(), "");
        EXPECT_FALSE(rig.session.table().startVisible);
    }
}

TEST(SessionParams, ExactlyTrueHostsAndExtraParametersAreIgnored) {
    SessionRig rig;
    rig.session.processParams({"Bob", "10.0.0.9", "true", "extra", "more"});
    EXPECT_EQ(rig.view.take(), (Events{"chat[" + kBlue + "] 0+Loading Multi-player Game.. Please Wait.",
                                       "startServer", "connect:127.0.0.1", "side"}));
    EXPECT_EQ(rig.session.myname(), "Bob");
    EXPECT_EQ(rig.session.hostaddress(), "10.0.0.9");
    EXPECT_TRUE(rig.session.ishost());
    EXPECT_TRUE(rig.session.table().startVisible);
}

TEST(SessionParams, AnyOtherThirdParameterJoins) {
    for (const std::string third : {"True", "TRUE", "false", ""}) {
        SessionRig rig;
        rig.session.processParams({"Ann", "10.0.0.5", third});
        EXPECT_EQ(rig.view.take(), (Events{"chat[" + kBlue + "] 0+Loading Multi-player Game.. Please Wait.",
                                           "connect:10.0.0.5", "side"}))
            << third;
        EXPECT_FALSE(rig.session.ishost());
        EXPECT_FALSE(rig.session.table().startVisible);
        EXPECT_FALSE(rig.session.table().startGameEnabled);
        EXPECT_FALSE(rig.session.table().spyRemoveEnabled);
        EXPECT_EQ(rig.session.loginname(), "Ann\xFF");
    }
}

TEST(SessionParams, NameIsMadeWireSafe) {
    // "ÿ" would end the message and "+" would split the name at every
    // receiver; both travel as "?", and the session knows itself by that.
    SessionRig rig;
    rig.session.processParams({"Zo\u00eb+\u00ff\u4e2d", "10.0.0.5", "no"});
    EXPECT_EQ(rig.session.myname(), "Zo\u00eb???");
    rig.session.onConnected();
    EXPECT_EQ(rig.handle("CMD_sendlogininfo+3"), (Events{"send:CMD_logininfo+3+1.0.3+Zo\xEB???\xFF\xFF"}));
}

TEST(SessionHosting, PortThatCannotBeBoundIsReportedAndNothingConnects) {
    SessionRig rig;
    rig.session.setPort(7800);
    rig.view.serverStarts = false;
    rig.session.processParams({"Bob", "127.0.0.1", "true"});
    EXPECT_EQ(rig.view.take(),
              (Events{"chat[" + kBlue + "] 0+Loading Multi-player Game.. Please Wait.", "startServer",
                      "chat[" + kBlue + "] 0+Cannot host the game: port 7800 is not available (Address already in use). Choose another port.",
                      "side"}));
    EXPECT_FALSE(rig.session.ishost());
    EXPECT_FALSE(rig.session.table().startVisible);
    EXPECT_FALSE(rig.session.table().startGameEnabled);
}

TEST(SessionHosting, ConnectFailureNamesTheAddressAndKeepsTheWindow) {
    SessionRig rig;
    rig.session.processParams({"Ann", "10.0.0.5", "false"});
    rig.view.take();
    rig.session.onConnectFailed("Connection refused");
    rig.session.onSocketClosed();  // a failed connect may also report a close
    EXPECT_EQ(rig.view.take(),
              (Events{"chat[" + kBlue + "] 0+Could not connect to 10.0.0.5 port 7772: Connection refused"}));
    // An IPv6 address reads the same way (the chat's head is the ": ").
    rig.session.processParams({"Ann", "fd00::2", "false"});
    rig.view.take();
    rig.session.onConnectFailed("Connection refused");
    EXPECT_EQ(rig.view.take(),
              (Events{"chat[" + kBlue + "] 0+Could not connect to fd00::2 port 7772: Connection refused"}));
}

TEST(SessionHosting, ClosedConnectionClosesTheWindowOnce) {
    SessionRig rig;
    rig.join(3);
    rig.session.onSocketClosed();
    rig.session.onSocketClosed();
    EXPECT_EQ(rig.view.take(), (Events{"close"}));
}

TEST(SessionHosting, GameIsFullShowsTheMessageThenCloses) {
    SessionRig rig;
    rig.session.processParams({"Ann", "10.0.0.5", "false"});
    rig.session.onConnected();
    EXPECT_EQ(rig.handle("CMD_full+"), (Events{"message:Game is full", "close"}));
    rig.session.onSocketClosed();
    EXPECT_TRUE(rig.view.take().empty());
}

TEST(SessionHosting, LinesThatArriveWithTheCloseAreHandledBeforeItAndOnePerTick) {
    SessionRig rig;
    rig.session.processParams({"Ann", "10.0.0.5", "false"});
    rig.session.onConnected();
    rig.view.take();
    rig.feed("CMD_full+");
    rig.session.onSocketClosed();
    EXPECT_TRUE(rig.view.take().empty());
    EXPECT_TRUE(rig.session.needsTicks());
    rig.session.tick();
    EXPECT_EQ(rig.view.take(), (Events{"message:Game is full", "close"}));

    SessionRig other;
    other.join(3);
    other.feed("CMD_chat+4+Cid chats: bye");
    other.feed("CMD_playerdisconnected+4+Cid");
    other.session.onSocketClosed();
    other.session.tick();
    const Events first = other.view.take();
    ASSERT_FALSE(first.empty());
    EXPECT_NE(first.back(), "close");
    other.session.tick();
    const Events second = other.view.take();
    ASSERT_FALSE(second.empty());
    EXPECT_EQ(second.back(), "close");
    EXPECT_FALSE(other.session.needsTicks());
    other.session.onSocketClosed();
    EXPECT_TRUE(other.view.take().empty());
}

TEST(SessionDispatch, ReceivedListLineIsTakenFirstAndOneLinePerTick) {
    RecordingView view;
    tc::game::Lcg rng(1);
    Session session(view, rng);
    session.formCreate();
    session.processParams({"Ann", "10.0.0.5", "x"});
    session.onConnected();
    view.take();
    EXPECT_TRUE(session.needsTicks());
    EXPECT_EQ(session.queuedLines(), 1u);
    session.onBytes("CMD_wrongversion+\xFF" "CMD_havewrongversion+Cid\xFF");
    EXPECT_EQ(session.queuedLines(), 3u);
    session.tick();  // "receivedlist": no effect
    EXPECT_TRUE(view.take().empty());
    session.tick();
    EXPECT_EQ(view.take(),
              (Events{"chat[" + kBlue + "] 0+You have a differnt version of the game then the host."}));
    session.tick();
    EXPECT_EQ(view.take(), (Events{"chat[" + kBlue + "] 0+Cid has a different version of the game then you."}));
    EXPECT_FALSE(session.needsTicks());
    session.tick();  // an empty queue does nothing
    EXPECT_TRUE(view.take().empty());
}

TEST(SessionDispatch, LoginNeedsAValidSlotAndUnknownLinesAreIgnored) {
    SessionRig rig;
    rig.session.processParams({"Ann", "10.0.0.5", "x"});
    rig.session.onConnected();
    rig.view.take();
    for (const char* line : {"CMD_sendlogininfo+0", "CMD_sendlogininfo+10", "CMD_sendlogininfo+", "CMD_sendlogininfo+3+",
                             "CMD_unknown+1", "CMD_sendlogininfo", "", "cmd_sendlogininfo+3"})
        EXPECT_TRUE(rig.handle(line).empty()) << line;
    EXPECT_FALSE(rig.session.loggedin());
    EXPECT_EQ(rig.session.myseat(), 0);
}

TEST(SessionDispatch, MessageSplitOverReadsIsHandledWhole) {
    SessionRig rig;
    rig.session.processParams({"Ann", "10.0.0.5", "x"});
    rig.session.onConnected();
    rig.view.take();
    rig.session.onBytes("CMD_sendlog");
    rig.session.onBytes("ininfo+");
    EXPECT_EQ(rig.session.queuedLines(), 0u);
    rig.session.onBytes("4\xFF");
    rig.drain();
    EXPECT_EQ(rig.view.take(), (Events{"send:CMD_logininfo+4+1.0.3+Ann\xFF\xFF"}));
}
