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
    connect(&stall_, &QTimer::timeout, this, [this] { fail(Failure::Stalled, QString(), false); });
}

LobbyDownload::~LobbyDownload() {
    if (reply_) {
        reply_->disconnect(this);
        release(reply_);
    }
}

bool LobbyDownload::start(const QUrl& url, const QString& filePath) {
    if (reply_) return false;
    finalPath_ = filePath;
    const QString part = filePath + QLatin1String(kPartSuffix);
    file_.setFileName(part);
    QFile::remove(part);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return false;
    received_ = 0;
    total_ = -1;
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
    if (reply_) fail(Failure::Stopped, QString(), false);
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
    if (status >= 400) {
        const QString reason = reply_->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
        fail(Failure::HttpStatus, reason.isEmpty() ? QString::number(status) : QStringLiteral("%1 %2").arg(status).arg(reason),
             true);
        return;
    }
    if (length.isValid() && length.toLongLong() > maxBytes_) {
        fail(Failure::TooLarge, QString(), true);
        return;
    }
    total_ = length.isValid() && length.toLongLong() >= 0 ? length.toLongLong() : -1;
    if (!bodyStarted_) {
        bodyStarted_ = true;
        emit bodyStarted();
    }
}

void LobbyDownload::onReadyRead() {
    if (!reply_) return;
    stall_.start(stallMs_);
    // Too large, or the disk refused: what is there is no installer.
    drainOrFail();
}

bool LobbyDownload::drainOrFail() {
    const qint64 before = received_;
    while (reply_->bytesAvailable() > 0) {
        const QByteArray piece = reply_->read(kChunk);
        if (piece.isEmpty()) break;
        if (received_ + piece.size() > maxBytes_) {
            fail(Failure::TooLarge, QString(), true);
            return false;
        }
        if (file_.write(piece) != piece.size()) {
            fail(Failure::Disk, file_.errorString(), true);
            return false;
        }
        received_ += piece.size();
    }
    if (received_ != before) emit progress(received_, total_);
    return true;
}

void LobbyDownload::onFinished() {
    if (!reply_) return;
    if (reply_->error() != QNetworkReply::NoError) {
        fail(Failure::Network, reply_->errorString(), false);
        return;
    }
    if (!drainOrFail()) return;
    const bool flushed = file_.flush();
    QNetworkReply* reply = detach();
    release(reply);
    // Only now does the file take its name, replacing an older one.
    QFile part(file_.fileName());
    QFile::remove(finalPath_);
    if (!flushed || !part.rename(finalPath_)) {
        const QString why = flushed ? part.errorString() : file_.errorString();
        part.remove();
        emit failed(Failure::Disk, why);
        return;
    }
    emit finished(received_);
}

void LobbyDownload::fail(Failure why, const QString& detail, bool removeFile) {
    QNetworkReply* reply = detach();
    if (!reply) return;
    release(reply);
    if (removeFile || received_ == 0) file_.remove();
    emit failed(why, detail);
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
