#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>

#include "GuiTestSupport.h"
#include "client/ClientSocket.h"

using tc::client::ClientSocket;
using tc::guitest::waitUntil;

namespace {

// A port on which nothing listens: bound, then released.
quint16 closedPort() {
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    const quint16 port = s.serverPort();
    s.close();
    return port;
}

struct Peer {
    QTcpServer server;
    QTcpSocket* conn = nullptr;
    Peer() {
        server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server, &QTcpServer::newConnection, [this] { conn = server.nextPendingConnection(); });
    }
};

} // namespace

TEST(ClientSocket, DeliversBytesBothWaysAndReportsTheEndOnce) {
    Peer peer;
    ClientSocket sock;
    QSignalSpy connected(&sock, &ClientSocket::connected);
    QSignalSpy failed(&sock, &ClientSocket::connectFailed);
    QSignalSpy closed(&sock, &ClientSocket::closed);
    QByteArray received;
    QObject::connect(&sock, &ClientSocket::bytesReceived, [&](const QByteArray& b) { received += b; });

    sock.connectTo("127.0.0.1", peer.server.serverPort());
    ASSERT_TRUE(waitUntil([&] { return connected.count() == 1 && peer.conn; }));
    EXPECT_TRUE(sock.isConnected());

    peer.conn->write(QByteArray("CMD_sendlogininfo+1\xFF", 20));
    ASSERT_TRUE(waitUntil([&] { return received.size() == 20; }));
    EXPECT_EQ(received, QByteArray("CMD_sendlogininfo+1\xFF", 20));

    QByteArray atPeer;
    QObject::connect(peer.conn, &QTcpSocket::readyRead, [&] { atPeer += peer.conn->readAll(); });
    sock.write(QByteArray("CMD_logininfo+1+1.0.3+Ann\xFF\xFF", 27));
    ASSERT_TRUE(waitUntil([&] { return atPeer.size() == 27; }));
    EXPECT_EQ(atPeer, QByteArray("CMD_logininfo+1+1.0.3+Ann\xFF\xFF", 27));

    peer.conn->close();
    ASSERT_TRUE(waitUntil([&] { return closed.count() == 1; }));
    QTest::qWait(50);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(failed.count(), 0);
    EXPECT_FALSE(sock.isConnected());
}

TEST(ClientSocket, ARefusedConnectReportsTheReasonAndNeverClosed) {
    ClientSocket sock;
    QSignalSpy connected(&sock, &ClientSocket::connected);
    QSignalSpy failed(&sock, &ClientSocket::connectFailed);
    QSignalSpy closed(&sock, &ClientSocket::closed);
    sock.connectTo("127.0.0.1", closedPort());
    ASSERT_TRUE(waitUntil([&] { return failed.count() == 1; }));
    EXPECT_EQ(failed.at(0).at(0).toString(), "Connection refused. Is a game hosted there on this port?");
    QTest::qWait(50);
    EXPECT_EQ(failed.count(), 1);
    EXPECT_EQ(connected.count(), 0);
    EXPECT_EQ(closed.count(), 0);
    // Writing to nothing is no fault.
    sock.write("x");
}

TEST(ClientSocket, AnUnknownHostFailsWithItsReason) {
    ClientSocket sock;
    QSignalSpy failed(&sock, &ClientSocket::connectFailed);
    sock.connectTo("no-such-host.invalid", 7772);
    ASSERT_TRUE(waitUntil([&] { return failed.count() == 1; }));
    EXPECT_FALSE(failed.at(0).at(0).toString().isEmpty());
}

TEST(ClientSocket, ClosingOurSideReportsClosedOnlyAfterAnEstablishedConnection) {
    Peer peer;
    ClientSocket sock;
    QSignalSpy connected(&sock, &ClientSocket::connected);
    QSignalSpy closed(&sock, &ClientSocket::closed);
    sock.close();  // nothing to close yet
    sock.connectTo("127.0.0.1", peer.server.serverPort());
    ASSERT_TRUE(waitUntil([&] { return connected.count() == 1; }));
    sock.close();
    ASSERT_TRUE(waitUntil([&] { return closed.count() == 1; }));
    QTest::qWait(50);
    EXPECT_EQ(closed.count(), 1);
}
