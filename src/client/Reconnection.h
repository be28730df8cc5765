#pragma once
// The way back to the own seat after a drop: the banner over the chat with
// what is happening, the time left and Cancel, the attempts (ReconnectAttempt)
// and, once back, the game's connection taken over from the attempt.
#include <QObject>

#include "client/ReconnectAttempt.h"

class QWidget;

namespace tc::client {

class ClientSocket;
class InputGate;
class ReconnectBanner;
class Session;

class Reconnection final : public QObject {
    Q_OBJECT
public:
    // The banner goes over the top of the chat on `board` and scales with the
    // table like the chat. A seat won back moves the attempt's connection
    // into `game`. `session`, `gate` and `game` must outlive it.
    Reconnection(QWidget* board, Session& session, InputGate& gate, ClientSocket& game);

    // The connection was lost and the server keeps the seat for
    // `holdSeconds`: tries the session's host on `port` until then.
    void start(quint16 port, int holdSeconds);
    // Stops trying and hides the banner (the game is left).
    void stop();

    ReconnectAttempt& attempt() { return attempt_; }

private:
    void showBanner();

    Session& session_;
    InputGate& gate_;
    ClientSocket& game_;
    ReconnectAttempt attempt_;
    ReconnectBanner* banner_ = nullptr;
};

} // namespace tc::client
