#pragma once
// Helpers of the tests that run inside the private network namespace made
// by netns-run.sh: what avahi-browse sees, waiting for it, free ports.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTcpServer>
#include <QTest>
#include <functional>
#include <optional>
#include <vector>

namespace tc::discovery::test {

// Every test here needs the namespace; outside it they say so and skip.
#define REQUIRE_NETNS()                                                                                      \
    do {                                                                                                     \
        if (qEnvironmentVariable("TILECREST_IN_NETNS") != QLatin1String("1"))                              \
            GTEST_SKIP() << "runs only inside the private network namespace (ctest runs it through "       \
                            "tests/discovery/netns-run.sh)";                                                \
    } while (0)

// Runs the event loop until `ok`, for at most `ms`.
inline bool waitFor(const std::function<bool()>& ok, int ms = 15000) {
    QElapsedTimer t;
    t.start();
    while (!ok()) {
        if (t.elapsed() > ms) return false;
        QTest::qWait(20);
    }
    return true;
}

// One resolved line of `avahi-browse -p -r`.
struct BrowsedService {
    QString iface;
    QString name;
    QString address;
    quint16 port = 0;
    QStringList txt;  // "key=value", in the order avahi-browse prints them
    bool has(const QString& item) const { return txt.contains(item); }
};

// avahi-browse writes a name's special characters as \DDD (decimal).
inline QString unescapeAvahi(const QString& s) {
    QByteArray out;
    const QByteArray in = s.toUtf8();
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] == '\\' && i + 3 < in.size()) {
            bool ok = false;
            const int code = in.mid(i + 1, 3).toInt(&ok);
            if (ok && code < 256) {
                out += static_cast<char>(code);
                i += 3;
                continue;
            }
        }
        out += in[i];
    }
    return QString::fromUtf8(out);
}

// The _tilecrest._tcp services the namespace's Avahi daemon knows now.
// The event loop keeps running meanwhile (the test process may announce).
// `inside`: a command that runs avahi-browse elsewhere (nsenter).
inline std::vector<BrowsedService> browse(QStringList inside = {}) {
    QProcess p;
    inside << QStringLiteral("avahi-browse") << QStringLiteral("-p") << QStringLiteral("-r") << QStringLiteral("-t")
           << QStringLiteral("_tilecrest._tcp");
    const QString program = inside.takeFirst();
    p.start(program, inside);
    if (!p.waitForStarted(5000)) return {};
    for (int i = 0; i < 100 && p.state() != QProcess::NotRunning; ++i) QTest::qWait(50);
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished(1000);
        return {};
    }
    std::vector<BrowsedService> out;
    for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split('\n')) {
        if (!line.startsWith(QLatin1String("=;"))) continue;
        // =;iface;proto;name;type;domain;host;address;port;txt
        const QStringList f = line.split(';');
        if (f.size() < 10) continue;
        BrowsedService s;
        s.iface = f[1];
        s.name = unescapeAvahi(f[3]);
        s.address = f[7];
        s.port = static_cast<quint16>(f[8].toUInt());
        const QString txt = f.mid(9).join(';');
        for (QString item : txt.split(QLatin1String("\" \""), Qt::SkipEmptyParts)) {
            item.remove('"');
            if (!item.isEmpty()) s.txt << item;
        }
        out.push_back(s);
    }
    return out;
}

inline std::optional<BrowsedService> find(const std::vector<BrowsedService>& list, const QString& name) {
    for (const auto& s : list)
        if (s.name == name) return s;
    return std::nullopt;
}

// Browses again until `ok` holds, for at most `ms`.
inline bool browseUntil(const std::function<bool(const std::vector<BrowsedService>&)>& ok, int ms = 10000,
                        const QStringList& inside = {}) {
    QElapsedTimer t;
    t.start();
    do {
        if (ok(browse(inside))) return true;
        QTest::qWait(200);
    } while (t.elapsed() < ms);
    return false;
}

// A port nothing listens on now.
inline quint16 freePort() {
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    return s.serverPort();
}

} // namespace tc::discovery::test
