#pragma once
// A join from the menu, tried on a connection of its own while the player
// stays in the game he is in: connect, answer the host's login request and
// wait for its answer (JoinHandshake). `joined` hands over a logged-in
// connection; `failed` says why in words for the Join dialog. Either comes
// once per start(): reaching the host and being taken in each have the time
// set (10 s unless set).
#include <memory>
#include <string>

#include <QObject>
#include <QString>
#include <QTimer>

#include "client/ClientSocket.h"

namespace tc::client {

class JoinHandshake;

class JoinAttempt final : public QObject {
    Q_OBJECT
public:
    explicit JoinAttempt(QObject* parent = nullptr);
    ~JoinAttempt() override;

    // Starts over: a try still running is dropped without a report.
    void start(const QString& host, quint16 port, const std::string& name);
    // Drops the try without a report.
    void cancel();
    bool running() const { return running_; }
    // Connecting may take this long, and so may the login after it.
    void setTimeout(int ms);

    // After `joined`: the connection to take over, the slot the host gave
    // and what it sent after the login request.
    ClientSocket& socket() { return sock_; }
    int seat() const;
    std::string rest() const;

signals:
    void joined();
    void failed(const QString& reason);

private:
    void onBytes(const QByteArray& bytes);
    void fail(const QString& reason);

    ClientSocket sock_;
    QTimer deadline_;
    int timeoutMs_ = kConnectTimeoutMs;
    std::unique_ptr<JoinHandshake> handshake_;
    bool running_ = false;
};

} // namespace tc::client
