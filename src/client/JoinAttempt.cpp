#include "client/JoinAttempt.h"

#include "session/JoinHandshake.h"

namespace tc::client {

JoinAttempt::JoinAttempt(QObject* parent) : QObject(parent) {
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, [this] {
        const int seconds = (timeoutMs_ + 999) / 1000;
        fail(tr("The host did not take you in within %1 %2. Try again in a moment.")
                 .arg(seconds)
                 .arg(seconds == 1 ? QStringLiteral("second") : QStringLiteral("seconds")));
    });
    connect(&sock_, &ClientSocket::connectFailed, this, &JoinAttempt::fail);
    // Reaching the host has the socket's own time; taking in, this one.
    connect(&sock_, &ClientSocket::connected, this, [this] { deadline_.start(timeoutMs_); });
    connect(&sock_, &ClientSocket::bytesReceived, this, &JoinAttempt::onBytes);
    connect(&sock_, &ClientSocket::closed, this, [this] {
        fail(tr("The host closed the connection before taking you in."));
    });
}

JoinAttempt::~JoinAttempt() = default;

void JoinAttempt::setTimeout(int ms) {
    timeoutMs_ = ms;
    sock_.setConnectTimeout(ms);
}

void JoinAttempt::start(const QString& host, quint16 port, const std::string& name) {
    cancel();
    handshake_ = std::make_unique<JoinHandshake>(name);
    running_ = true;
    sock_.connectTo(host, port);
}

void JoinAttempt::cancel() {
    running_ = false;
    deadline_.stop();
    sock_.drop();
}

int JoinAttempt::seat() const { return handshake_ ? handshake_->seat() : 0; }

std::string JoinAttempt::rest() const { return handshake_ ? handshake_->rest() : std::string(); }

void JoinAttempt::onBytes(const QByteArray& bytes) {
    if (!running_ || !handshake_) return;
    const std::string reply = handshake_->onBytes(std::string_view(bytes.constData(), bytes.size()));
    if (!reply.empty()) sock_.write(QByteArray::fromStdString(reply));
    switch (handshake_->state()) {
    case JoinHandshake::State::Joined:
        running_ = false;
        deadline_.stop();
        emit joined();
        break;
    case JoinHandshake::State::Full:
        fail(tr("Game is full"));
        break;
    case JoinHandshake::State::Removed:
        fail(tr("The host removed you from this game."));
        break;
    case JoinHandshake::State::NotAGame:
        fail(tr("Something answered on this port, but it is not a Tilecrest game. Check the port."));
        break;
    default:
        break;
    }
}

void JoinAttempt::fail(const QString& reason) {
    if (!running_) return;
    cancel();
    emit failed(reason);
}

} // namespace tc::client
