// Keepalive on a real loopback connection: every timing as the system
// reads it back, and descriptors that are no TCP socket refused.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include "net/KeepAlive.h"

namespace tc::net {
namespace {

int option(int fd, int level, int name) {
    int value = -1;
    socklen_t size = sizeof value;
    if (::getsockopt(fd, level, name, &value, &size) != 0) return -100;
    return value;
}

// A connected client socket to a listener on 127.0.0.1 (both closed at the end).
struct LoopbackPair {
    LoopbackPair() {
        listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof a;
        if (::bind(listener, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(listener, 1) != 0 ||
            ::getsockname(listener, reinterpret_cast<sockaddr*>(&a), &size) != 0)
            return;
        client = ::socket(AF_INET, SOCK_STREAM, 0);
        if (::connect(client, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) return;
        accepted = ::accept(listener, nullptr, nullptr);
    }
    ~LoopbackPair() {
        for (int fd : {client, accepted, listener})
            if (fd >= 0) ::close(fd);
    }
    int listener = -1;
    int client = -1;
    int accepted = -1;
};

TEST(KeepAlive, BothEndsOfAConnectionTakeTheShortTimings) {
    LoopbackPair pair;
    ASSERT_GE(pair.accepted, 0);
    for (int fd : {pair.client, pair.accepted}) {
        EXPECT_EQ(option(fd, SOL_SOCKET, SO_KEEPALIVE), 0);
        ASSERT_TRUE(enableKeepAlive(fd));
        EXPECT_EQ(option(fd, SOL_SOCKET, SO_KEEPALIVE), 1);
        EXPECT_EQ(option(fd, IPPROTO_TCP, TCP_KEEPIDLE), 15);
        EXPECT_EQ(option(fd, IPPROTO_TCP, TCP_KEEPINTVL), 5);
        EXPECT_EQ(option(fd, IPPROTO_TCP, TCP_KEEPCNT), 4);
        // Data left unacknowledged ends the connection as soon as silence does.
        EXPECT_EQ(option(fd, IPPROTO_TCP, TCP_USER_TIMEOUT), 35000);
    }
}

TEST(KeepAlive, OtherTimingsAreTakenAsGiven) {
    LoopbackPair pair;
    ASSERT_GE(pair.client, 0);
    ASSERT_TRUE(enableKeepAlive(pair.client, KeepAliveTimes{2, 1, 3}));
    EXPECT_EQ(option(pair.client, IPPROTO_TCP, TCP_KEEPIDLE), 2);
    EXPECT_EQ(option(pair.client, IPPROTO_TCP, TCP_KEEPINTVL), 1);
    EXPECT_EQ(option(pair.client, IPPROTO_TCP, TCP_KEEPCNT), 3);
    EXPECT_EQ(option(pair.client, IPPROTO_TCP, TCP_USER_TIMEOUT), 5000);
}

TEST(KeepAlive, ADescriptorThatIsNoTcpSocketIsRefused) {
    EXPECT_FALSE(enableKeepAlive(-1));
    int local[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, local), 0);
    EXPECT_FALSE(enableKeepAlive(local[0]));
    ::close(local[0]);
    ::close(local[1]);
    const int udp = ::socket(AF_INET, SOCK_DGRAM, 0);
    ASSERT_GE(udp, 0);
    EXPECT_FALSE(enableKeepAlive(udp));
    ::close(udp);
}

} // namespace
} // namespace tc::net
