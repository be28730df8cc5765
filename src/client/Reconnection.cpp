#include "client/Reconnection.h"

#include "client/ClientSocket.h"
#include "client/InputGate.h"
#include "client/ReconnectBanner.h"
#include "session/Session.h"

namespace tc::client {

Reconnection::Reconnection(QWidget* board, Session& session, InputGate& gate, ClientSocket& game)
    : session_(session), gate_(gate), game_(game) {
    banner_ = new ReconnectBanner(board);
    banner_->setGeometry(28, 301, 670, 30);
    connect(&attempt_, &ReconnectAttempt::progress, this, &Reconnection::showBanner);
    // Cancel gives the kept seat up first (a moment at most), so the
    // table does not wait on it until the hold ends; then the game is left.
    connect(banner_, &ReconnectBanner::cancelled, this, [this] {
        banner_->hide();
        attempt_.giveUp();
    });
    connect(&attempt_, &ReconnectAttempt::givenUp, this, [this] {
        gate_.feed([this] { session_.reconnectFailed(tr("You stopped reconnecting; the game is left.").toStdString()); });
    });
    connect(&attempt_, &ReconnectAttempt::failed, this, [this](const QString& reason) {
        banner_->hide();
        gate_.feed([this, r = reason.toStdString()] { session_.reconnectFailed(r); });
    });
    connect(&attempt_, &ReconnectAttempt::reclaimed, this, [this] {
        banner_->hide();
        // Like received bytes, only queued: in order before what the taken
        // connection reports from here on, even while a message is up.
        session_.reclaimed(attempt_.rest());
        game_.takeOver(attempt_.socket());
        gate_.pump();
    });
}

void Reconnection::start(quint16 port, int holdSeconds) {
    const QString host = QString::fromStdString(session_.hostaddress());
    attempt_.start(host, port, session_.seatKey(), std::int64_t(holdSeconds) * 1000);
    showBanner();
}

void Reconnection::stop() {
    attempt_.cancel();
    banner_->hide();
}

void Reconnection::showBanner() {
    banner_->setText(attempt_.statusText());
    banner_->show();
    banner_->raise();
}

} // namespace tc::client
