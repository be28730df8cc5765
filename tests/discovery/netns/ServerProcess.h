#pragma once
// A tilecrest-server process for the tests in the namespace.
#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTest>

namespace tc::discovery::test {

// A tilecrest-server process, stopped (SIGTERM) at the end of the test.
class ServerProcess {
public:
    // `inside`: a command that runs what follows it elsewhere (nsenter).
    explicit ServerProcess(QStringList args, QStringList inside = {}) {
        inside << QStringLiteral(TILECREST_SERVER_PATH);
        proc.setProgram(inside.takeFirst());
        proc.setArguments(inside + args);
        proc.setProcessChannelMode(QProcess::MergedChannels);
        proc.start();
    }
    ~ServerProcess() { stop(); }
    // Waits for a line of its log that starts with `prefix`.
    bool waitForLine(const QString& prefix, int ms = 10000) {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            for (const QString& line : QString::fromUtf8(output).split('\n'))
                if (line.startsWith(prefix)) return true;
            QTest::qWait(50);  // the test's own sockets and windows go on meanwhile
            output += proc.readAll();
        }
        return false;
    }
    void stop() {
        if (proc.state() == QProcess::NotRunning) return;
        proc.terminate();
        if (!proc.waitForFinished(5000)) proc.kill();
        proc.waitForFinished(1000);
    }
    QProcess proc;
    QByteArray output;
};

} // namespace tc::discovery::test
