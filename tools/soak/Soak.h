#pragma once
// The soak's scripted clients and the run that drives them (SoakMain.cpp),
// with the faults it injects (SoakFaults.cpp).
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "WireCheck.h"
#include "net/Fields.h"
#include "net/LineFramer.h"

namespace tc::soak {

enum Fault {
    Reconnect,
    WatcherJoins,
    Kick,
    JustWatch,
    Malformed,
    Oversized,
    FloodBurst,
    OutOfTurn,
    Silent,
    JunkBeforeLogin,
    HalfLine,
    DropAndReturn,
    kFaultKinds
};
inline constexpr const char* kFaultNames[kFaultKinds] = {
    "disconnect and reconnect under the same name", "watcher joins", "host removes a player",
    "just-watch switch", "malformed line", "oversized line (20 KiB)", "burst over the flood limit",
    "request out of turn", "connection that never logs in", "junk before the login", "line sent in two halves",
    "drop and come back with the key"};

struct Options {
    int games = 0;
    int seconds = 0;
    std::uint32_t seed = 1;
    QString server;
    int loginMs = 200;
    int holdS = 3;  // seats of dropped players are kept this long
    int stallMs = 5000;
    double faultRate = 0.01;  // chance per turn start, roll and close seen by the host
    bool verbose = false;
};

inline long rssKiB(qint64 pid) {
    QFile f(QStringLiteral("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').front().toLong();
    return -1;
}

class Soak;

// One scripted client. Plays its seat honestly unless told to misbehave.
struct Bot {
    enum Kind { Host, Player, Watcher, Silent, Junk } kind = Player;
    std::string name;
    QTcpSocket* sock = nullptr;
    tc::net::LineFramer framer{1 << 20};
    int slot = 0;
    bool loggedIn = false;
    bool closing = false;  // meant to end: it leaves, is removed, or never logs in
    bool closed = false;
    bool reconnect = false;  // comes back once closed
    bool removed = false;    // by the host: comes back under another name, the server keeps his out
    std::int64_t openedMs = 0;
    std::int64_t leaveAtMs = 0;
    // What it knows of the game.
    int current = 0;
    unsigned open = 0x1FF;
    int total = 0;
    bool rollPending = false, movePending = false, watching = false, watchAsked = false;
    bool watchedByOther = false;  // set to just watching by someone else this turn
    // Close requests of its own that may come back refused: when each was
    // sent and its place among the bot's close requests, junk and moves alike.
    struct JunkClose {
        std::int64_t at;
        std::uint64_t seq;
    };
    std::deque<JunkClose> junkCloses;
    std::uint64_t closeRequests = 0;
    std::uint64_t moveSeq = 0;  // the place of the last move it sent
    // The seat key, acknowledged by half of the players (as our program
    // does); the others are older clients, released at once.
    std::string key;
    bool keyed = false;
    // Coming back to a kept seat: the key presented instead of a login, the
    // seat it must get, and the game it dropped from.
    std::string reclaimKey;
    int reclaimSeat = 0;
    int reclaimGame = 0;
    bool reclaimed = false;      // told its seat; the scores that follow are compared
    // Output held back while a line is sent in two halves.
    bool holding = false;
    std::string held;

    bool seated() const { return slot >= 1 && slot <= 6; }
    bool live() const { return !closed && !closing; }
    void write(const std::string& bytes) {
        if (closed || !sock) return;
        if (holding) {
            held += bytes;
            return;
        }
        sock->write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    void send(const std::string& line) { write(line + '\xFF'); }
};

class Soak {
public:
    // The server looks at logins four times within the login time (at
    // most once a second): a seat without a login may last that long and a
    // little more.
    explicit Soak(const Options& o) : opt_(o), rng_(o.seed), check_(o.stallMs) {}
    static std::int64_t ghostLimit(const Options& o) {
        return o.loginMs + std::min(1000, std::max(10, o.loginMs / 4)) + 500;
    }

    int run();

private:
    std::int64_t now() const { return clock_.elapsed(); }
    int pick(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }
    void violation(const std::string& what) {
        violations_.push_back({now(), what, ""});
        if (opt_.verbose) std::fprintf(stderr, "VIOLATION %s\n", what.c_str());
    }

    Bot* spawn(Bot::Kind kind, const std::string& name);
    void onBytes(Bot* b);
    void onLine(Bot* b, const std::string& line);
    void onClosed(Bot* b);
    void maybePlay(Bot* b);
    void startGame();
    void inject();
    void housekeeping();
    Bot* anyBot(bool seatedOnly, bool includeHost);
    int liveConnections() const;
    void finish();

    Options opt_;
    std::mt19937 rng_;
    WireCheck check_;
    std::vector<Violation> violations_;
    QElapsedTimer clock_;
    QProcess server_;
    quint16 port_ = 0;
    bool serverGone_ = false;
    std::vector<std::unique_ptr<Bot>> bots_;
    // Closed bots stay alive till the end: timers may still name them.
    std::vector<std::unique_ptr<Bot>> gone_;
    Bot* host_ = nullptr;
    int watcherCount_ = 0;
    long renames_ = 0;
    long spawned_ = 0;  // every bot so far, for an address of its own
    long returns_ = 0, returnsRefused_ = 0;
    // When the host's connection last asked for just watching (another
    // seat's, or its own, which it takes back later): a person does not do
    // it faster than the server's request limit lets through, and a request
    // dropped there would leave the bot waiting for an answer for ever.
    std::int64_t hostWatchMs_ = -1'000'000;
    std::array<long, kFaultKinds> faults_{};
    long honestRefusals_ = 0, excusedRefusals_ = 0, fullRefusals_ = 0, movesSent_ = 0;
    std::map<std::string, long> serverLog_;
    long rssWarm_ = -1, rssMax_ = -1, rssEnd_ = -1;
    std::int64_t warmMs_ = 0;
    bool stopping_ = false;
    bool done_ = false;
};

} // namespace tc::soak
