#include "windows/LobbyDownload.h"

#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace tc::windows {

namespace {
// Pieces read at a time; also the most the reply holds unread.
constexpr qint64 kChunk = 64 * 1024;
}

LobbyDownload::LobbyDownload(QObject* parent) : QObject(parent) {
    manager_.setProxy(QNetworkProxy::NoProxy);
    stall_.setSingleShot(true);
    // A silent server: the part so far is kept, as after a stop.
    connect(&stall_, &QTimer::timeout, this, [this] { fail(false); });
}

LobbyDownload::~LobbyDownload() {
    if (reply_) {
        reply_->disconnect(this);
        release(reply_);
    }
}

bool LobbyDownload::start(const QUrl& url, const QString& filePath) {
    if (reply_) return false;
    file_.setFileName(filePath);
    QFile::remove(filePath);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return false;
    received_ = 0;
    bodyStarted_ = false;

    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QString::fromLatin1(kUserAgent));
    request.setRawHeader("Accept", kAccept);
    // Follow a moved installer, but never from https down to http.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(kMaxRedirects);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    reply_ = manager_.get(request);
    reply_->setReadBufferSize(kChunk);
    connect(reply_, &QNetworkReply::metaDataChanged, this, &LobbyDownload::onMetaData);
    connect(reply_, &QIODevice::readyRead, this, &LobbyDownload::onReadyRead);
    connect(reply_, &QNetworkReply::finished, this, &LobbyDownload::onFinished);
    connect(reply_, &QNetworkReply::redirected, this, [this] { stall_.start(stallMs_); });
    stall_.start(stallMs_);
    return true;
}

void LobbyDownload::stop() {
    if (reply_) fail(false);
}

void LobbyDownload::onMetaData() {
    if (!reply_) return;
    stall_.start(stallMs_);
    const int status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    // A redirect's own headers are not the installer's.
    if (status >= 300 && status < 400) return;
    const auto headers = reply_->rawHeaderPairs();
    for (qsizetype i = 0; i < headers.size(); ++i) emit headerReceived();
    // An error page is not the installer, and an announced body past the
    // cap is not fetched at all.
    const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
    if (status >= 400 || (length.isValid() && length.toLongLong() > maxBytes_)) {
        fail(true);
        return;
    }
    if (!bodyStarted_) {
        bodyStarted_ = true;
        emit bodyStarted();
    }
}

void LobbyDownload::onReadyRead() {
    if (!reply_) return;
    stall_.start(stallMs_);
    // Too large, or the disk refused: what is there is no installer.
    if (!drain()) fail(true);
}

bool LobbyDownload::drain() {
    const qint64 before = received_;
    while (reply_->bytesAvailable() > 0) {
        const QByteArray piece = reply_->read(kChunk);
        if (piece.isEmpty()) break;
        if (received_ + piece.size() > maxBytes_ || file_.write(piece) != piece.size()) return false;
        received_ += piece.size();
    }
    if (received_ != before) emit progress(received_);
    return true;
}

void LobbyDownload::onFinished() {
    if (!reply_) return;
    if (reply_->error() != QNetworkReply::NoError) {
        fail(false);
        return;
    }
    if (!drain()) {
        fail(true);
        return;
    }
    QNetworkReply* reply = detach();
    release(reply);
    emit finished(received_);
}

void LobbyDownload::fail(bool removeFile) {
    QNetworkReply* reply = detach();
    if (!reply) return;
    release(reply);
    if (removeFile) file_.remove();
    emit failed();
}

QNetworkReply* LobbyDownload::detach() {
    stall_.stop();
    QNetworkReply* reply = reply_;
    reply_ = nullptr;
    if (reply) reply->disconnect(this);
    file_.close();
    return reply;
}

void LobbyDownload::release(QNetworkReply* reply) {
    // Deleting a reply ends its connection. abort() would do it too, but
    // Qt warns when the reply meanwhile reports an error of its own (an
    // error status, say) and we no longer listen anyway.
    reply->deleteLater();
}

} // namespace tc::windows
