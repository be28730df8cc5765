#pragma once
// Getting back to the seat the server keeps after our connection dropped:
// tries on a connection of its own at the times Reconnector gives, each
// presenting the seat key (ReclaimHandshake), until the server gives the
// seat back (`reclaimed`: take socket() over, hand rest() to the session),
// says no seat is kept for the key, or the hold has run out (`failed`, with
// the words for the chat). `progress` comes about once a second for the
// window's line.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include "client/ClientSocket.h"
#include "session/Reconnector.h"

namespace tc::client {

class ReclaimHandshake;

class ReconnectAttempt final : public QObject {
    Q_OBJECT
public:
    // How long one try may take to reach the server and be answered.
    static constexpr int kTryMs = 5000;

    explicit ReconnectAttempt(QObject* parent = nullptr);
    ~ReconnectAttempt() override;

    void start(const QString& host, quint16 port, const std::string& key, std::int64_t holdMs);
    // Stops without a report.
    void cancel();
    bool running() const { return reconnector_.has_value(); }
    // "Connection lost, reconnecting… 1:54 left"; empty when not running.
    QString statusText() const;

    ClientSocket& socket() { return sock_; }
    std::string rest() const;

signals:
    void progress();
    void reclaimed();
    void failed(const QString& reason);

private:
    void tick();
    void tryNow();
    void tryFailed();
    void onBytes(const QByteArray& bytes);
    void fail(const QString& reason);
    std::int64_t now() const { return clock_.elapsed(); }

    ClientSocket sock_;
    QTimer ticker_;
    QTimer tryLimit_;
    QElapsedTimer clock_;
    QString host_;
    quint16 port_ = 0;
    std::string key_;
    std::optional<Reconnector> reconnector_;
    std::unique_ptr<ReclaimHandshake> handshake_;
    bool trying_ = false;
    std::int64_t lastProgress_ = -1;
};

} // namespace tc::client
