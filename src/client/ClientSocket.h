#pragma once
// The client's TCP connection to the game server (`sock`), reduced to the
// four events the session needs: connected, the connect failed (with a
// reason a player can act on), bytes arrived, and the established
// connection ended. A connect that gets no answer gives up after
// kConnectTimeoutMs instead of waiting for the system's own timeout.
#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

class QTcpSocket;

namespace tc::client {

inline constexpr int kConnectTimeoutMs = 10000;

class ClientSocket : public QObject {
    Q_OBJECT
public:
    explicit ClientSocket(QObject* parent = nullptr);
    ~ClientSocket() override;

    // Non-blocking connect; a connection still open is dropped first
    // without a `closed` report.
    void connectTo(const QString& host, quint16 port);
    // Queues bytes for sending; ignored while not connected.
    void write(const QByteArray& bytes);
    // Ends the connection; reports `closed` when it had been established.
    void close();
    // Ends the connection or the attempt at once and reports nothing.
    void drop();
    // Ends the connection after what was written has gone out, and reports
    // nothing; the object may connect again at once.
    void leave();
    // How long a connect (name lookup included) may take; tests shorten it.
    void setConnectTimeout(int ms) { timeoutMs_ = ms; }
    bool isConnected() const { return established_; }
    // Takes `other`'s established connection over, with whatever it has
    // received and not yet reported (reported from here on, after the
    // caller has returned); this one's own connection is dropped without a
    // report, and `other` is left unconnected. Nothing happens when `other`
    // holds no established connection.
    void takeOver(ClientSocket& other);

signals:
    void connected();
    // Reported once per connect attempt that never got established.
    void connectFailed(const QString& reason);
    void bytesReceived(const QByteArray& bytes);
    // Reported exactly once when a connection that had been established
    // ends, whichever side ended it.
    void closed();

private:
    void onError();
    void onDisconnected();

    void fail(const QString& reason);
    void wire();

    QTcpSocket* socket_;
    QTimer timeout_;
    int timeoutMs_ = kConnectTimeoutMs;
    bool attempting_ = false;
    bool established_ = false;
};

} // namespace tc::client
