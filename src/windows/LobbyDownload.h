#pragma once
// One GET of the lobby installer into a file, without a proxy, reporting
// what the download window shows: a dot per header, the start of the body,
// the bytes so far (and the total when the server sends a length), and the
// end with its reason. It never runs what it fetched.
//
// The body goes to NAME.part; only a complete transfer is renamed to NAME,
// so the final name never holds an empty or partial file. A stop, a stall
// (nothing received for `stallTimeoutMs`) or a broken connection keeps the
// part as NAME.part when it holds anything; a body past `maxBytes`
// (announced or received), an HTTP error status or a write that fails
// removes it.
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

    // Why a transfer ended without its file.
    enum class Failure { Stopped, Stalled, HttpStatus, TooLarge, Network, Disk };
    static constexpr const char* kPartSuffix = ".part";

    explicit LobbyDownload(QObject* parent = nullptr);
    ~LobbyDownload() override;

    void setStallTimeoutMs(int ms) { stallMs_ = ms; }
    int stallTimeoutMs() const { return stallMs_; }
    void setMaxBytes(qint64 bytes) { maxBytes_ = bytes; }

    // Starts fetching `url` into `filePath` + kPartSuffix (an old part is
    // removed first, so a link in its place is not followed); a complete
    // body replaces `filePath`. False when the part cannot be created;
    // nothing is started then.
    bool start(const QUrl& url, const QString& filePath);
    // Stops a running transfer; it ends with failed(). Harmless when idle.
    void stop();
    bool running() const { return reply_ != nullptr; }
    qint64 received() const { return received_; }

signals:
    void headerReceived();          // once per header line of the final response
    void bodyStarted();             // the final response's body begins
    // Bytes written so far, and the announced length (-1 when none).
    void progress(qint64 received, qint64 total);
    void finished(qint64 size);     // complete; the file is closed and has its name
    // Why it ended; `detail` is the server's status ("404 Not Found") or
    // the system's reason, when there is one.
    void failed(tc::windows::LobbyDownload::Failure why, const QString& detail);

private:
    void onMetaData();
    void onReadyRead();
    void onFinished();
    // Writes what has arrived; when it would pass the cap or the file
    // refuses it, fails the transfer and returns false.
    bool drainOrFail();
    // Ends a running transfer as failed, at once; the part is removed when
    // it holds nothing or `removeFile`.
    void fail(Failure why, const QString& detail, bool removeFile);
    // Takes the reply out of the transfer and closes the file.
    QNetworkReply* detach();
    static void release(QNetworkReply* reply);

    QNetworkAccessManager manager_;
    QPointer<QNetworkReply> reply_;
    QFile file_;
    QString finalPath_;
    qint64 total_ = -1;
    QTimer stall_;
    int stallMs_ = kStallTimeoutMs;
    qint64 maxBytes_ = kMaxBytes;
    qint64 received_ = 0;
    bool bodyStarted_ = false;
};

} // namespace tc::windows
