#pragma once
// One GET of the lobby installer into a file, without a proxy, reporting
// what the download window shows: a dot per header, the start of the body,
// the bytes so far, and the end. It never runs what it fetched.
//
// Bounds: a transfer that receives nothing for `stallTimeoutMs` ends as
// failed and keeps its partial file, like a stop; a body past `maxBytes`
// (announced or received) ends as failed and its partial file is removed.
// An HTTP error status ends as failed before any body is written.
#include <QElapsedTimer>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>



namespace tc::windows {

class LobbyDownload : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kUserAgent = "Mozilla/3.0 (compatible)";
    static constexpr const char* kAccept = "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*";
    static constexpr int kStallTimeoutMs = 30000;
    static constexpr qint64 kMaxBytes = qint64(512) << 20;
    static constexpr int kMaxRedirects = 5;

    explicit LobbyDownload(QObject* parent = nullptr);
    ~LobbyDownload() override;

    void setStallTimeoutMs(int ms) { stallMs_ = ms; }
    void setMaxBytes(qint64 bytes) { maxBytes_ = bytes; }

    // Starts fetching `url` into `filePath`, replacing any file there (the
    // old file is removed first, so a link in its place is not followed).
    // False when the file cannot be created; nothing is started then.
    bool start(const QUrl& url, const QString& filePath);
    // Stops a running transfer; it ends with failed(). Harmless when idle.
    void stop();
    bool running() const { return reply_ != nullptr; }
    qint64 received() const { return received_; }

signals:
    void headerReceived();          // once per header line of the final response
    void bodyStarted();             // the final response's body begins
    void progress(qint64 received); // bytes written so far
    void finished(qint64 size);     // complete; the file is closed
    void failed();                  // stopped, refused, stalled, too large or an error

private:
    void onMetaData();
    void onReadyRead();
    void onFinished();
    // Writes what has arrived; false when it would pass the cap or the
    // file refused it.
    bool drain();
    // Ends a running transfer as failed, at once.
    void fail(bool removeFile);
    // Takes the reply out of the transfer and closes the file.
    QNetworkReply* detach();
    static void release(QNetworkReply* reply);

    QNetworkAccessManager manager_;
    QPointer<QNetworkReply> reply_;
    QFile file_;
    QTimer stall_;
    int stallMs_ = kStallTimeoutMs;
    qint64 maxBytes_ = kMaxBytes;
    qint64 received_ = 0;
    bool bodyStarted_ = false;
};

} // namespace tc::windows
