#include "client/ReconnectAttempt.h"

#include "session/ReclaimHandshake.h"

namespace tc::client {

ReconnectAttempt::ReconnectAttempt(QObject* parent) : QObject(parent) {
    ticker_.setInterval(100);
    connect(&ticker_, &QTimer::timeout, this, &ReconnectAttempt::tick);
    tryLimit_.setSingleShot(true);
    connect(&tryLimit_, &QTimer::timeout, this, &ReconnectAttempt::tryFailed);
    connect(&sock_, &ClientSocket::connectFailed, this, &ReconnectAttempt::tryFailed);
    connect(&sock_, &ClientSocket::closed, this, &ReconnectAttempt::tryFailed);
    connect(&sock_, &ClientSocket::bytesReceived, this, &ReconnectAttempt::onBytes);
}

ReconnectAttempt::~ReconnectAttempt() = default;

void ReconnectAttempt::start(const QString& host, quint16 port, const std::string& key, std::int64_t holdMs) {
    cancel();
    host_ = host;
    port_ = port;
    key_ = key;
    clock_.start();
    reconnector_.emplace(now(), holdMs);
    lastProgress_ = -1;
    ticker_.start();
    tick();
}

void ReconnectAttempt::cancel() {
    givingUp_ = false;
    ticker_.stop();
    tryLimit_.stop();
    sock_.drop();
    handshake_.reset();
    reconnector_.reset();
    trying_ = false;
}

void ReconnectAttempt::giveUp() {
    const bool hadSeat = reconnector_.has_value() && !reconnector_->expired(now());
    cancel();
    if (!hadSeat) {
        // Nothing kept any more: said at once, from the event loop.
        QTimer::singleShot(0, this, [this] { emit givenUp(); });
        return;
    }
    givingUp_ = true;
    handshake_ = std::make_unique<ReclaimHandshake>(key_, ReclaimHandshake::Purpose::Leave);
    sock_.setConnectTimeout(kGiveUpMs);
    tryLimit_.start(kGiveUpMs);
    sock_.connectTo(host_, port_);
}

void ReconnectAttempt::doneGivingUp() {
    if (!givingUp_) return;
    givingUp_ = false;
    tryLimit_.stop();
    handshake_.reset();
    if (sock_.isConnected()) sock_.leave();  // what was said goes out first
    else sock_.drop();
    emit givenUp();
}

QString ReconnectAttempt::statusText() const {
    return reconnector_ ? QString::fromStdString(reconnector_->statusText(now())) : QString();
}

std::string ReconnectAttempt::rest() const { return handshake_ ? handshake_->rest() : std::string(); }

void ReconnectAttempt::tick() {
    if (!reconnector_) return;
    const std::int64_t t = now();
    if (reconnector_->expired(t)) {
        fail(tr("The connection to the game could not be restored in time; your seat is no longer "
                            "kept."));
        return;
    }
    if (!trying_ && t >= reconnector_->nextTryAt()) tryNow();
    const std::int64_t second = reconnector_->leftMs(t) / 1000;
    if (second != lastProgress_) {
        lastProgress_ = second;
        emit progress();
    }
}

void ReconnectAttempt::tryNow() {
    trying_ = true;
    handshake_ = std::make_unique<ReclaimHandshake>(key_);
    const int limit = static_cast<int>(std::min<std::int64_t>(kTryMs, reconnector_->leftMs(now()) + 1));
    sock_.setConnectTimeout(limit);
    tryLimit_.start(limit);
    sock_.connectTo(host_, port_);
}

void ReconnectAttempt::tryFailed() {
    if (givingUp_) {
        doneGivingUp();
        return;
    }
    if (!reconnector_ || !trying_) return;
    trying_ = false;
    tryLimit_.stop();
    sock_.drop();
    reconnector_->failed(now());
}

void ReconnectAttempt::onBytes(const QByteArray& bytes) {
    if (givingUp_ && handshake_) {
        const std::string reply = handshake_->onBytes(std::string_view(bytes.constData(), bytes.size()));
        if (!reply.empty()) sock_.write(QByteArray::fromStdString(reply));
        // Left, refused or no game: either way there is nothing more to do.
        if (handshake_->finished()) doneGivingUp();
        return;
    }
    if (!reconnector_ || !handshake_) return;
    const std::string reply = handshake_->onBytes(std::string_view(bytes.constData(), bytes.size()));
    if (!reply.empty()) sock_.write(QByteArray::fromStdString(reply));
    switch (handshake_->state()) {
    case ReclaimHandshake::State::Reclaimed:
        ticker_.stop();
        tryLimit_.stop();
        reconnector_.reset();
        trying_ = false;
        emit reclaimed();
        break;
    case ReclaimHandshake::State::Refused:
        fail(tr("Back on the line, but the game no longer keeps your seat."));
        break;
    case ReclaimHandshake::State::Full:
    case ReclaimHandshake::State::NotAGame:
        tryFailed();
        break;
    default:
        break;
    }
}

void ReconnectAttempt::fail(const QString& reason) {
    if (!reconnector_) return;
    cancel();
    emit failed(reason);
}

} // namespace tc::client
