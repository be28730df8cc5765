#pragma once
// tilecrest-server (TILECREST_SERVER_BINARY) in a process of its own on
// 127.0.0.1, at a port it picks; its log is kept. Stopped (SIGTERM) at the
// end of the test.
#include <QProcess>
#include <QStringList>
#include <QTest>

namespace tc::guitest {

struct LoopbackServer {
    // `args` follow the port and address; `waitMs` bounds each wait.
    LoopbackServer(const QStringList& args, int waitMs) : waitMs_(waitMs) {
        proc.start(QStringLiteral(TILECREST_SERVER_BINARY), QStringList{"--port", "0", "--bind", "127.0.0.1"} + args);
        if (!proc.waitForStarted(waitMs)) return;
        (void)QTest::qWaitFor([&] { return log().contains("listening on"); }, waitMs);
        const QString first = QString::fromUtf8(out.left(out.indexOf('\n')));
        port = static_cast<quint16>(first.mid(first.indexOf(" port ") + 6).section(',', 0, 0).toUInt());
    }
    ~LoopbackServer() {
        proc.terminate();
        proc.waitForFinished(waitMs_);
    }
    const QByteArray& log() {
        out += proc.readAllStandardOutput();
        return out;
    }
    QProcess proc;
    QByteArray out;
    quint16 port = 0;

private:
    int waitMs_;
};

} // namespace tc::guitest
