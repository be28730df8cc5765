#pragma once
// Gives the game server real sockets and a real pause timer: accepts TCP
// connections, feeds their bytes to TServer and carries its output back.
//
// A connection is a bare descriptor until the server gives it a slot: one
// it turns away or refuses at once (a storm of them) is answered and closed
// on the descriptor, without a socket object, buffers or timers.
//
// Bounds: at most kInputBudget bytes of one connection are handled per turn
// of the event loop, so one busy peer cannot starve the others; the rest
// waits in the socket. What each peer has taken and still has queued is
// reported to the server, whose output rule closes stalled peers. Any end
// of a connection (close, reset, error) releases the slot exactly once.
#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "game/Lcg.h"
#include "server/ServerPorts.h"
#include "server/TServer.h"

class QTcpSocket;

namespace tc::server {

inline constexpr qint64 kInputBudget = 16 * 1024;

// Hands each accepted descriptor over as it is, instead of a socket object.
class DescriptorListener : public QTcpServer {
public:
    std::function<void(qintptr)> onDescriptor;

protected:
    void incomingConnection(qintptr descriptor) override { onDescriptor(descriptor); }
};

class ServerHost : public QObject, private ServerPorts {
    Q_OBJECT
public:
    // `rng` must outlive the host; it draws the first seat and the dice.
    explicit ServerHost(tc::game::Lcg& rng, QObject* parent = nullptr);
    ~ServerHost() override;

    // Starts accepting. On failure returns false and, when `error` is set,
    // a text naming the port ("Cannot listen on port 7772: ...").
    bool listen(const QHostAddress& address, quint16 port, QString* error);
    // The port listened on (the chosen one when listening on port 0), or 0.
    quint16 serverPort() const;
    // The listening socket's descriptor (-1 when not listening), for a look
    // at what the system really bound.
    qintptr listeningSocket() const { return listener_.socketDescriptor(); }
    // Stops taking new connections; the game and its connections go on.
    // listenAgain() takes up the same address and port again.
    void stopListening();
    bool listenAgain();
    // Length of one pause tick; 1000 ms unless set.
    void setPauseMs(int ms);

    // See TServer::setLoginTimeoutMs. Logins are looked at once a second,
    // or four times within a shorter login time, so a connection goes at
    // most that much later than this.
    void setLoginTimeoutMs(std::int64_t ms);

    // See TServer::setHoldMs; holds are looked at with the logins.
    void setHoldMs(std::int64_t ms) { server_.setHoldMs(ms); }

    const TServer& server() const { return server_; }
    // See TServer::setRudi.
    void setRudi(tc::game::Rudi rudi) { server_.setRudi(rudi); }
    // See TServer::setFloodLimits.
    void setFloodLimits(const FloodLimits& talk, const FloodLimits& slides) { server_.setFloodLimits(talk, slides); }

signals:
    // One event of the server, UTF-8 text without a newline.
    void logLine(const QString& line);
    // The seats or the game's state changed (see TServer::seatSummary).
    void seatsChanged(const tc::server::SeatSummary& summary);

private:
    void onDescriptor(qintptr descriptor);
    void onReadyRead(ConnId id);
    void onEnded(ConnId id);
    void readMoreLater(ConnId id);
    QTcpSocket* socketFor(ConnId id);
    void adopt(ConnId id, QTcpSocket* socket);
    // Sends what was queued for the arriving descriptor and closes it.
    void closeArriving();

    // ServerPorts
    void send(ConnId conn, const std::string& bytes) override;
    void close(ConnId conn) override;
    void startPauseTimer() override;
    void stopPauseTimer() override;
    void log(const std::string& line) override;
    Output output(ConnId conn) const override;

    DescriptorListener listener_;
    QHostAddress listenAddress_;
    quint16 listenPort_ = 0;
    QTimer pauseTimer_;
    QTimer outputTimer_;
    TServer server_;
    std::unordered_map<ConnId, QTcpSocket*> sockets_;
    std::unordered_map<ConnId, std::uint64_t> taken_;
    // Connections with input left over from this turn of the event loop.
    std::unordered_set<ConnId> readLater_;
    // The descriptor whose connectionArrived is running (-1: none): the
    // server sends to it, and may close it, before it has returned the id.
    qintptr arriving_ = -1;
    ConnId arrivingId_ = 0;
    std::string arrivingOut_;
    bool arrivingClosed_ = false;
};

} // namespace tc::server
