#include "server/ServerHost.h"

#include <QCoreApplication>
#include <QTcpSocket>
#include <algorithm>
#include <string_view>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "net/KeepAlive.h"

namespace tc::server {
namespace {
// Qt reads no further from the OS while this much is waiting for us, so a
// flooding peer cannot grow our buffers; the line framer caps the rest.
constexpr qint64 kReadBuffer = 64 * 1024;
// A peer that will not take its last bytes is cut off after this long.
constexpr int kCloseGraceMs = 5000;
// How often the server looks for peers that stopped reading and for
// connections that never logged in.
constexpr int kOutputCheckMs = 1000;
} // namespace

ServerHost::ServerHost(tc::game::Lcg& rng, QObject* parent)
    : QObject(parent), server_(*this, rng) {
    pauseTimer_.setInterval(1000);
    connect(&pauseTimer_, &QTimer::timeout, this, [this] { server_.pauseTick(); });
    outputTimer_.setInterval(kOutputCheckMs);
    connect(&outputTimer_, &QTimer::timeout, this, [this] {
        server_.checkOutput();
        server_.checkLogins();
        server_.checkHolds();
    });
    listener_.onDescriptor = [this](qintptr descriptor) { onDescriptor(descriptor); };
    server_.setSeatObserver([this](const SeatSummary& summary) { emit seatsChanged(summary); });
}

ServerHost::~ServerHost() {
    pauseTimer_.stop();
    outputTimer_.stop();
    listener_.close();
    server_.shutdown();
    // Sockets must not report to a server that is going away.
    for (auto& [id, socket] : sockets_) {
        socket->disconnect(this);
        socket->flush();  // the closing notice reaches the system before the socket goes
        socket->abort();
        delete socket;
    }
    sockets_.clear();
}

bool ServerHost::listen(const QHostAddress& address, quint16 port, QString* error) {
    if (listener_.listen(address, port)) {
        listenAddress_ = address;
        listenPort_ = listener_.serverPort();
        outputTimer_.start();
        return true;
    }
    if (error)
        *error = QCoreApplication::translate("ServerHost", "Cannot listen on port %1: %2")
                     .arg(port)
                     .arg(listener_.errorString());
    return false;
}

void ServerHost::stopListening() { listener_.close(); }

bool ServerHost::listenAgain() {
    return listener_.isListening() || (listenPort_ != 0 && listener_.listen(listenAddress_, listenPort_));
}

quint16 ServerHost::serverPort() const { return listener_.isListening() ? listener_.serverPort() : 0; }

void ServerHost::setPauseMs(int ms) { pauseTimer_.setInterval(ms); }

void ServerHost::setLoginTimeoutMs(std::int64_t ms) {
    server_.setLoginTimeoutMs(ms);
    const std::int64_t quarter = ms > 0 ? ms / 4 : kOutputCheckMs;
    outputTimer_.setInterval(static_cast<int>(std::clamp<std::int64_t>(quarter, 10, kOutputCheckMs)));
}

void ServerHost::onDescriptor(qintptr descriptor) {
    const int fd = static_cast<int>(descriptor);
    sockaddr_storage peerAddress{};
    socklen_t length = sizeof peerAddress;
    if (::getpeername(fd, reinterpret_cast<sockaddr*>(&peerAddress), &length) != 0) {
        ::close(fd);  // gone before we looked
        return;
    }
    QHostAddress address(reinterpret_cast<const sockaddr*>(&peerAddress));
    const quint16 peerPort = ntohs(peerAddress.ss_family == AF_INET6
                                       ? reinterpret_cast<const sockaddr_in6*>(&peerAddress)->sin6_port
                                       : reinterpret_cast<const sockaddr_in*>(&peerAddress)->sin_port);
    bool mapped = false;
    const quint32 v4 = address.toIPv4Address(&mapped);
    if (mapped) address = QHostAddress(v4);  // show ::ffff:a.b.c.d as a.b.c.d
    const QString peer = address.toString() + ':' + QString::number(peerPort);
    arriving_ = descriptor;
    arrivingOut_.clear();
    arrivingClosed_ = false;
    arrivingId_ = server_.nextConnection();
    const ConnId id = server_.connectionArrived(peer.toStdString());
    arriving_ = -1;
    if (arrivingClosed_) return;
    // It has a slot (or waits for one): from here on a socket of its own.
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        ::close(fd);
        server_.connectionClosed(id);
        return;
    }
    socket->setReadBufferSize(kReadBuffer);
    // Turns are short messages answered at once; Nagle's algorithm would
    // hold each one back until the peer's delayed ack of the last.
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    // A player whose machine vanished sends no FIN: probes end his
    // connection in time for the seat hold to mean something.
    net::enableKeepAlive(fd);
    adopt(id, socket);
    if (!arrivingOut_.empty()) socket->write(arrivingOut_.data(), static_cast<qint64>(arrivingOut_.size()));
    arrivingOut_.clear();
}

void ServerHost::closeArriving() {
    const int fd = static_cast<int>(arriving_);
    // A fresh connection's send buffer is empty, so a short answer (the
    // table is full) goes whole or not at all.
    if (!arrivingOut_.empty()) {
        [[maybe_unused]] const auto n = ::send(fd, arrivingOut_.data(), arrivingOut_.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
        ::shutdown(fd, SHUT_WR);
    }
    // What the peer sent already is read and dropped, so that the close is
    // an orderly one where it can be (unread input would make it a reset).
    char sink[4096];
    for (int i = 0; i < 4 && ::recv(fd, sink, sizeof sink, MSG_DONTWAIT) > 0; ++i) {
    }
    ::close(fd);
    arrivingOut_.clear();
    arrivingClosed_ = true;
}

void ServerHost::adopt(ConnId id, QTcpSocket* socket) {
    sockets_.emplace(id, socket);
    taken_[id] = 0;
    connect(socket, &QTcpSocket::readyRead, this, [this, id] { onReadyRead(id); });
    connect(socket, &QTcpSocket::bytesWritten, this,
            [this, id](qint64 n) { taken_[id] += static_cast<std::uint64_t>(n); });
    // Queued: an end report must never run inside a server call.
    connect(socket, &QTcpSocket::disconnected, this, [this, id] { onEnded(id); }, Qt::QueuedConnection);
    connect(socket, &QTcpSocket::errorOccurred, this, [this, id] { onEnded(id); }, Qt::QueuedConnection);
}

QTcpSocket* ServerHost::socketFor(ConnId id) {
    const auto it = sockets_.find(id);
    return it == sockets_.end() ? nullptr : it->second;
}

void ServerHost::onReadyRead(ConnId id) {
    const auto it = sockets_.find(id);
    if (it == sockets_.end()) return;
    QTcpSocket* socket = it->second;
    const QByteArray data = socket->read(kInputBudget);
    // The server may close this very socket while handling the bytes.
    server_.bytesArrived(id, std::string_view(data.constData(), static_cast<std::size_t>(data.size())));
    // Qt signals readyRead only for new data, so what is left over is
    // picked up again once the other connections had their turn.
    const auto again = sockets_.find(id);
    if (again != sockets_.end() && again->second->bytesAvailable() > 0) readMoreLater(id);
}

void ServerHost::readMoreLater(ConnId id) {
    if (!readLater_.insert(id).second) return;
    QMetaObject::invokeMethod(
        this,
        [this, id] {
            readLater_.erase(id);
            onReadyRead(id);
        },
        Qt::QueuedConnection);
}

void ServerHost::onEnded(ConnId id) {
    const auto it = sockets_.find(id);
    if (it == sockets_.end()) return;
    QTcpSocket* socket = it->second;
    sockets_.erase(it);
    taken_.erase(id);
    socket->disconnect(this);
    // Lines that arrived before the end still count, even those the input
    // budget left for a later turn (at most the read buffer).
    const QByteArray rest = socket->readAll();
    socket->abort();
    socket->deleteLater();
    if (!rest.isEmpty())
        server_.bytesArrived(id, std::string_view(rest.constData(), static_cast<std::size_t>(rest.size())));
    server_.connectionClosed(id);
}

void ServerHost::send(ConnId conn, const std::string& bytes) {
    QTcpSocket* socket = socketFor(conn);
    // Only the arriving connection's own id, never any id not known here.
    if (!socket && arriving_ >= 0 && !arrivingClosed_ && conn == arrivingId_) {
        arrivingOut_ += bytes;  // the arriving one: its id is not returned yet
        return;
    }
    if (!socket) return;
    socket->write(bytes.data(), static_cast<qint64>(bytes.size()));
}

ServerPorts::Output ServerHost::output(ConnId conn) const {
    const auto it = sockets_.find(conn);
    if (it == sockets_.end()) return {};
    const auto taken = taken_.find(conn);
    return {static_cast<std::uint64_t>(it->second->bytesToWrite()), taken == taken_.end() ? 0 : taken->second};
}

void ServerHost::close(ConnId conn) {
    QTcpSocket* socket = socketFor(conn);
    if (!socket && arriving_ >= 0 && !arrivingClosed_ && conn == arrivingId_) {
        closeArriving();
        return;
    }
    if (!socket) return;
    sockets_.erase(conn);
    taken_.erase(conn);
    socket->disconnect(this);
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(kCloseGraceMs, socket, [socket] {
        socket->abort();
        socket->deleteLater();
    });
    socket->disconnectFromHost();  // flushes what is queued first
    if (socket->state() == QAbstractSocket::UnconnectedState) socket->deleteLater();
}

void ServerHost::startPauseTimer() {
    if (!pauseTimer_.isActive()) pauseTimer_.start();
}

void ServerHost::stopPauseTimer() { pauseTimer_.stop(); }

void ServerHost::log(const std::string& line) { emit logLine(QString::fromStdString(line)); }

} // namespace tc::server
