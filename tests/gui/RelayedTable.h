#pragma once
// The real headless server on a port of its own, Bob seated straight to it
// on a bare socket, and a relay that can cut the other players' lines.
#include "CuttingRelay.h"
#include "GameCopy.h"
#include "LoopbackServer.h"

namespace tc::guitest {

inline constexpr int kWait = 20000;

// tilecrest-server as these tests run it (its pauses short, never
// announced), with `extra` after.
struct HeadlessServer : LoopbackServer {
    explicit HeadlessServer(const QStringList& extra)
        : LoopbackServer(QStringList{"--seed", "11", "--pause-ms", "20", "--no-announce"} + extra, kWait) {}
};

// Bob in seat 1, straight to the server: logs in, hands his seat to the
// computer and starts the game once asked.
class Bob : public QObject {
public:
    explicit Bob(quint16 port) {
        connect(&sock, &QTcpSocket::readyRead, this, [this] {
            buffer += sock.readAll();
            qsizetype end;
            while ((end = buffer.indexOf('\xFF')) >= 0) {
                const QByteArray line = buffer.left(end);
                buffer.remove(0, end + 1);
                if (line.isEmpty()) continue;
                lines << line;
                if (line == "CMD_sendlogininfo+1") sock.write("CMD_logininfo+1+1.0.3+Bob\xFF");
            }
        });
        sock.connectToHost(QHostAddress::LocalHost, port);
    }
    void startGame() {
        sock.write("CMD_startgame+Bob+10+\xFF");
        // A game start lets every seat play again: then Bob watches.
        sock.write("CMD_justwatch+1+1\xFF");
    }
    bool heard(const QByteArray& start) const {
        for (const auto& l : lines)
            if (l.startsWith(start)) return true;
        return false;
    }
    QTcpSocket sock;
    QByteArray buffer;
    QList<QByteArray> lines;
};

// The table of these tests: a tilecrest-server with `extra`, Bob seated
// straight to it, and a relay that can cut Ann's line to it.
struct RelayedTable {
    explicit RelayedTable(const QStringList& extra) : server(extra), bob(server.port), relay(server.port) {}
    // The server listens and Bob has his seat.
    bool ready() { return server.port != 0 && waitUntil([&] { return bob.heard("CMD_newplayerinfo+1+Bob"); }, kWait); }
    HeadlessServer server;
    Bob bob;
    CuttingRelay relay;
};

inline QStringList annArgs(quint16 port) { return {"Ann", "127.0.0.1", "false", "--port", QString::number(port)}; }


} // namespace tc::guitest
