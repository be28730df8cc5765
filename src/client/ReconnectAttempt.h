#pragma once
// Getting back to the seat the server keeps after our connection dropped:
// tries on a connection of its own at the times Reconnector gives, each
// presenting the seat key (ReclaimHandshake), until the server gives the
// seat back (`reclaimed`: take socket() over, hand rest() to the session),
// says no seat is kept for the key, or the hold has run out (`failed`, with
// the words for the chat). `progress` comes about once a second for the
// window's line.
//
// giveUp() ends the tries on the player's word: one more connection
// presents the key and leaves the seat at once (ReclaimHandshake's Leave),
// so the table stops waiting on a seat nobody will come back to. When the
// server cannot be reached within kGiveUpMs the hold ends by itself as it
// would have. `givenUp` comes once either way.
#include <cstdint>
#include <functional>
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
    // How long giving the seat up may take before the window goes on.
    static constexpr int kGiveUpMs = 3000;

    // Stops without a report.
    void cancel();
    void giveUp();
    // The player leaves the game while the tries run (closing the window,
    // joining another game): the kept seat is given up as giveUp() does,
    // within kGiveUpMs, and `done` follows; at once when nothing is tried.
    // A later start() or cancel() calls a pending `done` at once.
    void leave(std::function<void()> done = {});
    bool running() const { return reconnector_.has_value(); }
    bool givingUp() const { return givingUp_; }
    // "Connection lost, reconnecting… 1:54 left"; empty when not running.
    QString statusText() const;

    ClientSocket& socket() { return sock_; }
    std::string rest() const;

signals:
    void progress();
    void reclaimed();
    void failed(const QString& reason);
    void givenUp();

private:
    void tick();
    void tryNow();
    void tryFailed();
    void onBytes(const QByteArray& bytes);
    void fail(const QString& reason);
    void doneGivingUp();
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
    bool givingUp_ = false;
    std::function<void()> afterLeaving_;
    std::int64_t lastProgress_ = -1;
};

} // namespace tc::client
