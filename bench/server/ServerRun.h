#pragma once
// What the benchmarks that drive the real tilecrest-server share: the server
// started on 127.0.0.1 at a port of its choosing, its log read line by line,
// its resident memory, and waiting on the event loop.
#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <functional>

namespace tc::bench {

inline long rssKiB(qint64 pid) {
    QFile f(QStringLiteral("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').front().toLong();
    return -1;
}

template <typename Pred>
bool spin(Pred done, int timeoutMs) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

class ServerRun {
public:
    // `onLine` sees every line of the server's log, trimmed.
    explicit ServerRun(std::function<void(const QByteArray&)> onLine = {}) : onLine_(std::move(onLine)) {
        QObject::connect(&process, &QProcess::readyReadStandardOutput, [this] {
            while (process.canReadLine()) {
                const QByteArray line = process.readLine().trimmed();
                if (onLine_) onLine_(line);
                if (line.startsWith("listening on "))
                    port_ = static_cast<quint16>(line.split(' ').at(4).chopped(1).toUInt());
            }
        });
    }
    ~ServerRun() {
        process.terminate();
        process.waitForFinished(5000);
    }

    // Starts `binary` on 127.0.0.1, port 0, with `more` arguments; its port,
    // or 0 when it did not say it listens within ten seconds.
    quint16 start(const QString& binary, const QStringList& more) {
        process.setProgram(binary);
        process.setArguments(QStringList{"--bind", "127.0.0.1", "--port", "0"} + more);
        process.setProcessChannelMode(QProcess::SeparateChannels);
        process.start();
        spin([this] { return port_ != 0; }, 10000);
        return port_;
    }
    long rssKiB() const { return bench::rssKiB(process.processId()); }

    QProcess process;

private:
    std::function<void(const QByteArray&)> onLine_;
    quint16 port_ = 0;
};

} // namespace tc::bench
