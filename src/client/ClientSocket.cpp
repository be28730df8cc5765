#include "client/ClientSocket.h"

#include <QTcpSocket>

#include "net/KeepAlive.h"

namespace tc::client {

ClientSocket::ClientSocket(QObject* parent) : QObject(parent), socket_(new QTcpSocket(this)) {
    timeout_.setSingleShot(true);
    connect(&timeout_, &QTimer::timeout, this, [this] {
        if (!attempting_ || established_) return;
        const int seconds = (timeoutMs_ + 999) / 1000;
        fail(tr("No answer within %1 %2. Check the address, and that the host's firewall lets "
                            "the port through.")
                 .arg(seconds)
                 .arg(seconds == 1 ? QStringLiteral("second") : QStringLiteral("seconds")));
    });
    wire();
}

void ClientSocket::wire() {
    connect(socket_, &QTcpSocket::connected, this, [this] {
        // A server whose machine vanished sends no FIN: probes tell us
        // within about half a minute instead of many.
        net::enableKeepAlive(static_cast<int>(socket_->socketDescriptor()));
        timeout_.stop();
        attempting_ = false;
        established_ = true;
        emit connected();
    });
    connect(socket_, &QTcpSocket::readyRead, this, [this] {
        const QByteArray bytes = socket_->readAll();
        if (!bytes.isEmpty()) emit bytesReceived(bytes);
    });
    connect(socket_, &QTcpSocket::errorOccurred, this, &ClientSocket::onError);
    connect(socket_, &QTcpSocket::disconnected, this, &ClientSocket::onDisconnected);
}

void ClientSocket::takeOver(ClientSocket& other) {
    if (&other == this || !other.established_) return;
    drop();
    socket_->disconnect(this);
    socket_->deleteLater();
    socket_ = other.socket_;
    socket_->disconnect(&other);
    socket_->setParent(this);
    wire();
    established_ = true;
    other.established_ = false;
    other.attempting_ = false;
    other.timeout_.stop();
    other.socket_ = new QTcpSocket(&other);
    other.wire();
    // What arrived while nobody listened, and an end that came meanwhile.
    QTimer::singleShot(0, this, [this, socket = socket_] {
        if (socket != socket_ || !established_) return;
        const QByteArray bytes = socket_->readAll();
        if (!bytes.isEmpty()) emit bytesReceived(bytes);
        if (socket_->state() == QAbstractSocket::UnconnectedState) onDisconnected();
    });
}

ClientSocket::~ClientSocket() {
    // Going away is not the peer closing: nobody is told.
    socket_->disconnect(this);
    socket_->abort();
}

void ClientSocket::connectTo(const QString& host, quint16 port) {
    socket_->blockSignals(true);
    socket_->abort();
    socket_->blockSignals(false);
    established_ = false;
    attempting_ = true;
    timeout_.start(timeoutMs_);
    socket_->connectToHost(host, port);
}

void ClientSocket::write(const QByteArray& bytes) {
    if (established_) socket_->write(bytes);
}

void ClientSocket::close() {
    timeout_.stop();
    if (established_) {
        socket_->flush();  // the program may end before the event loop writes it
        socket_->disconnectFromHost();
    }
    else if (attempting_) {
        attempting_ = false;
        socket_->blockSignals(true);
        socket_->abort();
        socket_->blockSignals(false);
    }
}

void ClientSocket::drop() {
    timeout_.stop();
    attempting_ = false;
    established_ = false;
    socket_->blockSignals(true);
    socket_->abort();
    socket_->blockSignals(false);
}

void ClientSocket::leave() {
    if (!established_) {
        drop();
        return;
    }
    // The old socket finishes on its own, and goes when it is done (or
    // after a while, whatever the peer does).
    QTcpSocket* old = socket_;
    old->disconnect(this);
    old->setParent(nullptr);
    connect(old, &QTcpSocket::disconnected, old, &QObject::deleteLater);
    QTimer::singleShot(5000, old, &QObject::deleteLater);
    old->flush();
    old->disconnectFromHost();
    socket_ = new QTcpSocket(this);
    wire();
    established_ = false;
    attempting_ = false;
    timeout_.stop();
}

void ClientSocket::fail(const QString& reason) {
    timeout_.stop();
    attempting_ = false;
    socket_->blockSignals(true);
    socket_->abort();
    socket_->blockSignals(false);
    emit connectFailed(reason);
}

void ClientSocket::onError() {
    if (attempting_ && !established_) {
        // The system's words first, then what the player can do about it.
        switch (socket_->error()) {
        case QAbstractSocket::HostNotFoundError:
            fail(tr("Host not found. Check the address."));
            break;
        case QAbstractSocket::ConnectionRefusedError:
            fail(tr("Connection refused. Is a game hosted there on this port?"));
            break;
        default:
            fail(socket_->errorString());
            break;
        }
    }
    // Errors on an established connection normally end in `disconnected`;
    // should the socket already be down without it, report the end here.
    if (established_ && socket_->state() == QAbstractSocket::UnconnectedState) onDisconnected();
}

void ClientSocket::onDisconnected() {
    if (!established_) return;
    established_ = false;
    // What the peer sent before it closed comes first.
    const QByteArray rest = socket_->readAll();
    if (!rest.isEmpty()) emit bytesReceived(rest);
    emit closed();
}

} // namespace tc::client
