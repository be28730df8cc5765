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
    connect(&stall_, &QTimer::timeout, this, [this] {
        failing_ = true;
        if (reply_) reply_->abort();
    });
}

LobbyDownload::~LobbyDownload() {
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
        reply_->deleteLater();
    }
}

bool LobbyDownload::start(const QUrl& url, const QString& filePath) {
    if (reply_) return false;
    file_.setFileName(filePath);
    QFile::remove(filePath);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return false;
    received_ = 0;
    bodyStarted_ = false;
    failing_ = false;
    removeOnEnd_ = false;

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
    if (!reply_) return;
    // Ends here and now, whatever the reply still reports.
    failing_ = true;
    reply_->disconnect(this);
    reply_->abort();
    end(false);
    emit failed();
}

void LobbyDownload::onMetaData() {
    if (!reply_) return;
    stall_.start(stallMs_);
    const int status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    // A redirect's own headers are not the installer's.
    if (status >= 300 && status < 400) return;
    const auto headers = reply_->rawHeaderPairs();
    for (qsizetype i = 0; i < headers.size(); ++i) emit headerReceived();
    if (status >= 400) {
        // An error page is not the installer: nothing is written.
        removeOnEnd_ = true;
        failing_ = true;
        reply_->abort();
        return;
    }
    const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() > maxBytes_) {
        removeOnEnd_ = true;
        failing_ = true;
        reply_->abort();
        return;
    }
    if (!bodyStarted_) {
        bodyStarted_ = true;
        emit bodyStarted();
    }
}

void LobbyDownload::onReadyRead() {
    if (!reply_ || failing_) return;
    stall_.start(stallMs_);
    if (!drain()) {
        // Too large, or the disk refused: what is there is no installer.
        removeOnEnd_ = true;
        failing_ = true;
        reply_->abort();
    }
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
    // Nothing more from this reply, whatever the last bytes bring.
    reply_->disconnect(this);
    bool ok = !failing_ && reply_->error() == QNetworkReply::NoError;
    if (ok && !drain()) {
        ok = false;
        removeOnEnd_ = true;
    }
    end(ok ? false : removeOnEnd_);
    if (ok) emit finished(received_);
    else emit failed();
}

void LobbyDownload::end(bool removeFile) {
    stall_.stop();
    QNetworkReply* reply = reply_;
    reply_ = nullptr;
    if (reply) {
        reply->disconnect(this);
        reply->deleteLater();
    }
    file_.close();
    if (removeFile) file_.remove();
}

} // namespace tc::windows
