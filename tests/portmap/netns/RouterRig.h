#pragma once
// The home network of the router tests (tests/portmap/router-netns.sh):
// this process runs in "home" (10.77.0.2); Debian's miniupnpd runs in
// "router" (10.77.0.1 inside, 11.22.33.1 outside) with a configuration of
// the test; a joiner connects from "internet" (11.22.33.2).
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <sys/socket.h>
#include <netinet/in.h>
#include <arpa/inet.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>
#include <set>
#include <vector>

#include "portmap/MappingSwitch.h"

namespace tc::portmap::test {

inline const QString kOutside = QStringLiteral("11.22.33.1");

// Every test here needs the three namespaces; outside them they say so and
// skip, and nothing in them ever clears the switch.
// Inside the namespaces of router-netns.sh (either kind).
inline bool inRouterNetns() {
    return qEnvironmentVariable("TILECREST_IN_NETNS") == QLatin1String("1") &&
           (!qEnvironmentVariableIsEmpty("TILECREST_ROUTER_PID") ||
            qEnvironmentVariable("TILECREST_ROUTER_ISOLATED") == QLatin1String("1"));
}

#define REQUIRE_ROUTER_NETNS()                                                                               \
    do {                                                                                                     \
        if (qEnvironmentVariable("TILECREST_IN_NETNS") != QLatin1String("1") ||                             \
            qEnvironmentVariableIsEmpty("TILECREST_ROUTER_PID"))                                             \
            GTEST_SKIP() << "runs only inside the private namespaces of tests/portmap/router-netns.sh";     \
    } while (0)

inline bool waitFor(const std::function<bool()>& ok, int ms = 15000) {
    QElapsedTimer t;
    t.start();
    while (!ok()) {
        if (t.elapsed() > ms) return false;
        QTest::qWait(20);
    }
    return true;
}

inline QStringList inNamespace(const char* variable) {
    return {QStringLiteral("nsenter"), QStringLiteral("-t"), qEnvironmentVariable(variable), QStringLiteral("-n"),
            QStringLiteral("-m"), QStringLiteral("--")};
}

// Runs a command in the router's namespace; its standard output.
inline QString onRouter(const QStringList& command) {
    QProcess p;
    QStringList all = inNamespace("TILECREST_ROUTER_PID") + command;
    p.start(all.takeFirst(), all);
    p.waitForFinished(10000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The DNAT rules miniupnpd keeps now, as nft lists them.
inline QString routerRules() {
    return onRouter({QStringLiteral("nft"), QStringLiteral("list"), QStringLiteral("chain"), QStringLiteral("inet"),
                     QStringLiteral("miniupnpd"), QStringLiteral("prerouting_miniupnpd")});
}
inline bool routerForwards(int externalPort) {
    return routerRules().contains(QStringLiteral("dport %1 dnat").arg(externalPort));
}

// Debian's miniupnpd in the router's namespace, stopped at the end.
class Router {
public:
    struct Config {
        bool natpmp = true;
        bool upnp = true;
        bool secure = true;  // UPnP maps only to the asking machine
    };
    explicit Router(Config c) : config_(c) { start(); }
    ~Router() { stop(); }
    void start() {
        QFile f(dir_.filePath(QStringLiteral("miniupnpd.conf")));
        f.open(QIODevice::WriteOnly);
        f.write(QStringLiteral("ext_ifname=rwan\nlistening_ip=rlan\nhttp_port=5555\n"
                               "enable_natpmp=%1\nenable_upnp=%2\nsecure_mode=%3\nsystem_uptime=no\n"
                               "uuid=3a6ee4a2-7d4c-4c6e-9d59-8f0a4b2c1e01\n"
                               "upnp_table_name=miniupnpd\nupnp_nat_table_name=miniupnpd\n"
                               "upnp_forward_chain=forward_miniupnpd\nupnp_nat_chain=prerouting_miniupnpd\n"
                               "upnp_nat_postrouting_chain=postrouting_miniupnpd\n"
                               "allow 1024-65535 10.77.0.0/24 1024-65535\ndeny 0-65535 0.0.0.0/0 0-65535\n")
                    .arg(config_.natpmp ? "yes" : "no", config_.upnp ? "yes" : "no", config_.secure ? "yes" : "no")
                    .toUtf8());
        f.close();
        QStringList all = inNamespace("TILECREST_ROUTER_PID") +
                          QStringList{QStringLiteral("miniupnpd"), QStringLiteral("-d"), QStringLiteral("-f"),
                                      f.fileName(), QStringLiteral("-P"), dir_.filePath(QStringLiteral("pid"))};
        proc_.setProcessChannelMode(QProcess::MergedChannels);
        proc_.start(all.takeFirst(), all);
        proc_.waitForStarted(5000);
        // Ready when it listens where home asks.
        waitFor([this] {
            log_ += proc_.readAll();
            return log_.contains("Listening for NAT-PMP") || log_.contains("HTTP listening");
        }, 5000);
    }
    // Stopped, with every mapping gone, as a router that restarts.
    void stop() {
        if (proc_.state() != QProcess::NotRunning) {
            proc_.terminate();
            if (!proc_.waitForFinished(5000)) proc_.kill();
            proc_.waitForFinished(1000);
        }
        log_ += proc_.readAll();
        onRouter({QStringLiteral("nft"), QStringLiteral("flush"), QStringLiteral("chain"), QStringLiteral("inet"),
                  QStringLiteral("miniupnpd"), QStringLiteral("prerouting_miniupnpd")});
        onRouter({QStringLiteral("nft"), QStringLiteral("flush"), QStringLiteral("chain"), QStringLiteral("inet"),
                  QStringLiteral("miniupnpd"), QStringLiteral("forward_miniupnpd")});
    }
    const QByteArray& log() {
        log_ += proc_.readAll();
        return log_;
    }

private:
    Config config_;
    QTemporaryDir dir_;
    QProcess proc_;
    QByteArray log_;
};

// The environment of a program that may ask the router: the switch
// cleared, only here inside the namespaces.
inline QProcessEnvironment mappingOn() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (inRouterNetns()) env.remove(QLatin1String(kSwitchVariable));
    return env;
}

// Clears the switch for this process while it lives (a copy of the game
// hosted in the test process), inside the namespaces only.
class MappingOnHere {
public:
    MappingOnHere() : was_(qgetenv(kSwitchVariable)) {
        if (inRouterNetns()) qunsetenv(kSwitchVariable);
    }
    ~MappingOnHere() {
        if (!was_.isEmpty()) qputenv(kSwitchVariable, was_);
    }

private:
    QByteArray was_;
};

// A tilecrest-server process in home, stopped (SIGTERM) at the end.
class ServerRun {
public:
    ServerRun(const QStringList& args, const QProcessEnvironment& env) {
        proc.setProcessEnvironment(env);
        proc.setProcessChannelMode(QProcess::MergedChannels);
        proc.start(QStringLiteral(TILECREST_SERVER_PATH), args);
    }
    ~ServerRun() { stop(); }
    bool waitForLine(const QString& prefix, int ms = 15000) {
        return waitFor([&] {
            output += proc.readAll();
            for (const QString& line : QString::fromUtf8(output).split('\n'))
                if (line.startsWith(prefix)) return true;
            return false;
        }, ms);
    }
    int count(const QString& prefix) {
        output += proc.readAll();
        int n = 0;
        for (const QString& line : QString::fromUtf8(output).split('\n'))
            if (line.startsWith(prefix)) ++n;
        return n;
    }
    void stop() {
        if (proc.state() == QProcess::NotRunning) return;
        proc.terminate();
        if (!proc.waitForFinished(10000)) proc.kill();
        proc.waitForFinished(1000);
        output += proc.readAll();
    }
    QProcess proc;
    QByteArray output;
};

// A TCP connection made from the namespace of process `pid` (its socket
// is made there; the rest of this process stays home). -1 when it fails.
inline int connectFrom(const QString& pid, const QString& address, quint16 port, int timeoutMs = 5000) {
    const int home = ::open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC);
    const int there = ::open(QStringLiteral("/proc/%1/ns/net").arg(pid).toLocal8Bit().constData(), O_RDONLY | O_CLOEXEC);
    int fd = -1;
    if (home >= 0 && there >= 0 && ::setns(there, CLONE_NEWNET) == 0) {
        fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        ::setns(home, CLONE_NEWNET);
    }
    if (home >= 0) ::close(home);
    if (there >= 0) ::close(there);
    if (fd < 0) return -1;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    inet_pton(AF_INET, address.toLatin1().constData(), &to.sin_addr);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0 && errno != EINPROGRESS) {
        ::close(fd);
        return -1;
    }
    pollfd p{fd, POLLOUT, 0};
    int error = 0;
    socklen_t len = sizeof error;
    if (::poll(&p, 1, timeoutMs) != 1 || ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &len) != 0 || error != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// A player speaking the wire protocol: logs in with its name, plays its
// own turns (the fewest open tiles that make the roll), and counts the
// moves of its seat the server accepted.
class WirePlayer : public QObject {
public:
    WirePlayer(QByteArray name) : name_(std::move(name)) {
        connect(&socket, &QTcpSocket::readyRead, this, [this] { read(); });
    }
    // From home, on loopback.
    void connectHome(quint16 port) { socket.connectToHost(QHostAddress::LocalHost, port); }
    // From the internet namespace; false when nothing answered there.
    bool connectFromInternet(const QString& address, quint16 port) {
        const int fd = connectFrom(qEnvironmentVariable("TILECREST_INTERNET_PID"), address, port);
        return fd >= 0 && socket.setSocketDescriptor(fd);
    }
    void send(const QByteArray& line) { socket.write(line + '\xFF'); }
    bool closed() const { return socket.state() == QAbstractSocket::UnconnectedState; }

    int slot = 0;
    int current = 0;
    int accepted = 0;  // moves of this seat the server closed
    QList<QByteArray> lines;

private:
    void read() {
        buffer_ += socket.readAll();
        qsizetype end;
        while ((end = buffer_.indexOf('\xFF')) >= 0) {
            const QByteArray line = buffer_.left(end);
            buffer_.remove(0, end + 1);
            lines << line;
            handle(line);
        }
    }
    void handle(const QByteArray& line) {
        const QList<QByteArray> f = line.split('+');
        if (f[0] == "CMD_sendlogininfo" && f.size() > 1) {
            slot = f[1].toInt();
            socket.write("CMD_logininfo+" + QByteArray::number(slot) + "+1.0.3+" + name_ + "\xFF");
        } else if (f[0] == "CMD_nextplayer" && f.size() > 1) {
            current = f[1].toInt();
            open_ = {1, 2, 3, 4, 5, 6, 7, 8, 9};
        } else if (f[0] == "CMD_placedice" && f.size() > 4 && current == slot) {
            play(f[2].toInt() + f[4].toInt());
        } else if (f[0] == "CMD_closeit") {
            for (qsizetype i = 1; i < f.size(); ++i) open_.erase(f[i].toInt());
            if (current == slot) ++accepted;
        }
    }
    void play(int total) {
        std::vector<int> tiles(open_.begin(), open_.end());
        std::vector<int> best;
        for (unsigned mask = 1; mask < (1u << tiles.size()); ++mask) {
            std::vector<int> pick;
            int sum = 0;
            for (std::size_t i = 0; i < tiles.size(); ++i)
                if (mask & (1u << i)) { pick.push_back(tiles[i]); sum += tiles[i]; }
            if (sum == total && (best.empty() || pick.size() < best.size())) best = pick;
        }
        if (best.empty()) return;  // the server ends the turn itself
        QByteArray request = "CMD_closethem+" + QByteArray::number(slot);
        for (int t : best) request += "+" + QByteArray::number(t);
        send(request);
    }

    QByteArray name_;
    QByteArray buffer_;
    std::set<int> open_;

public:
    QTcpSocket socket;
};

} // namespace tc::portmap::test
