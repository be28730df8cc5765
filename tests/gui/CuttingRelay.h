#pragma once
// A relay on 127.0.0.1 between clients and a server that can cut the line:
// every connection made to it is carried to the target port byte for byte
// until cut() ends them all at once (both sides see the connection drop).
// While down, new connections are taken and closed at once, as a line
// that is not back yet. cutClientSide() ends only the clients' side.
#include <memory>
#include <vector>

#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

namespace tc::guitest {

class CuttingRelay : public QObject {
public:
    explicit CuttingRelay(quint16 target) : target_(target) {
        server_.listen(QHostAddress::LocalHost, 0);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* in = server_.nextPendingConnection()) {
                ++arrivals;
                if (down_) {
                    in->abort();
                    in->deleteLater();
                    continue;
                }
                auto* out = new QTcpSocket(this);
                in->setParent(this);
                pairs_.push_back({in, out});
                auto carry = [](QTcpSocket* from, QPointer<QTcpSocket> to) {
                    const QByteArray bytes = from->readAll();
                    if (to && !bytes.isEmpty()) to->write(bytes);
                };
                connect(in, &QTcpSocket::readyRead, out, [in, out, carry] {
                    if (out->state() == QAbstractSocket::ConnectedState) carry(in, out);
                });
                connect(out, &QTcpSocket::connected, in, [in, out, carry] { carry(in, out); });
                connect(out, &QTcpSocket::readyRead, in, [in, out, carry] { carry(out, in); });
                connect(in, &QTcpSocket::disconnected, out, [out] { out->disconnectFromHost(); });
                connect(out, &QTcpSocket::disconnected, in, [in] { in->disconnectFromHost(); });
                out->connectToHost(QHostAddress::LocalHost, target_);
            }
        });
    }
    quint16 port() const { return server_.serverPort(); }
    // Ends every carried connection at once, without a word to either side.
    void cut() {
        for (auto& [in, out] : pairs_) {
            if (in) in->abort();
            if (out) out->abort();
        }
        pairs_.clear();
    }
    // Ends only the clients' side, as a client whose Wi-Fi changed sees it:
    // the server's side stays open and goes silent (nothing carried, no
    // FIN, no RST), so the server learns of it only from keepalive.
    void cutClientSide() {
        for (auto& [in, out] : pairs_) {
            if (in && out) {
                QObject::disconnect(in, nullptr, out, nullptr);
                QObject::disconnect(out, nullptr, in, nullptr);
            }
            if (in) in->abort();
            if (out) silent_.push_back(out);
        }
        pairs_.clear();
    }
    // While down, connections are closed as soon as they arrive.
    void setDown(bool down) { down_ = down; }
    int arrivals = 0;

private:
    QTcpServer server_;
    quint16 target_;
    bool down_ = false;
    std::vector<std::pair<QPointer<QTcpSocket>, QPointer<QTcpSocket>>> pairs_;
    std::vector<QPointer<QTcpSocket>> silent_;  // the servers' sides of lines cut on the clients' side
};

} // namespace tc::guitest
