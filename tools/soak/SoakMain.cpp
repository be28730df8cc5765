// tilecrest-soak: whole games against the real tilecrest-server on
// 127.0.0.1, played at full speed (--pause-ms 0) by scripted clients, while
// faults are injected at random moments: players drop out and come back
// under the same name, watchers come and go, the host removes players and
// sets seats to just watching, clients send malformed, oversized, half and
// out-of-turn lines and bursts over the flood limits, and connections
// arrive that never log in. Every game is checked from the wire as the
// host's client receives it (WireCheck); every client that was not meant
// to leave must stay connected; the server must not exit, and its resident
// memory must stay flat.
//
//   tilecrest-soak [--games N | --seconds S] [--seed N] [--server PATH]
//                  [--login-ms N] [--hold-s N] [--fault-rate P] [--verbose]
//
// Prints a report; exits 0 when nothing was violated.
#include "Soak.h"

namespace tc::soak {

namespace {

// Once a move of the bot is answered, every request it sent before that move
// has had its answer, or was dropped without one.
void forgetAnsweredJunk(Bot* b) {
    if (!b->movePending) return;
    while (!b->junkCloses.empty() && b->junkCloses.front().seq < b->moveSeq) b->junkCloses.pop_front();
}

} // namespace

Bot* Soak::spawn(Bot::Kind kind, const std::string& name) {
    auto owned = std::make_unique<Bot>();
    Bot* b = owned.get();
    b->kind = kind;
    b->name = name;
    b->openedMs = now();
    b->closing = kind == Bot::Silent || kind == Bot::Junk;
    b->sock = new QTcpSocket;
    // Small messages both ways: without this every reply waits for an ack.
    b->sock->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    QObject::connect(b->sock, &QTcpSocket::readyRead, [this, b] { onBytes(b); });
    QObject::connect(b->sock, &QTcpSocket::disconnected, [this, b] { onClosed(b); });
    QObject::connect(b->sock, &QTcpSocket::errorOccurred, [this, b] { onClosed(b); });
    // Each from an address of its own on the loopback network, as from a
    // machine of its own: the server lets only two connections of one
    // address wait for their login at a time.
    const long n = spawned_++;
    b->sock->bind(QHostAddress(QStringLiteral("127.0.%1.%2").arg(n / 250 % 250).arg(n % 250 + 2)), 0);
    b->sock->connectToHost(QHostAddress(QHostAddress::LocalHost), port_);
    bots_.push_back(std::move(owned));
    return b;
}

int Soak::liveConnections() const {
    int n = 0;
    for (const auto& b : bots_) n += !b->closed;
    return n;
}

Bot* Soak::anyBot(bool seatedOnly, bool includeHost) {
    std::vector<Bot*> pool;
    for (const auto& b : bots_)
        if (b->live() && b->loggedIn && (includeHost || b.get() != host_) && (!seatedOnly || b->seated()))
            pool.push_back(b.get());
    return pool.empty() ? nullptr : pool[static_cast<std::size_t>(pick(static_cast<int>(pool.size())))];
}

void Soak::onBytes(Bot* b) {
    if (b->closed) return;
    const QByteArray data = b->sock->readAll();
    std::vector<std::string> lines;
    b->framer.feed(std::string_view(data.constData(), static_cast<std::size_t>(data.size())), lines);
    for (const auto& l : lines) {
        if (b->closed) break;
        onLine(b, l);
    }
}

void Soak::onLine(Bot* b, const std::string& line) {
    std::string key, data;
    if (!tc::net::splitKey(line, key, data)) return;
    const std::string me = std::to_string(b->slot);
    if (b == host_) {
        check_.feed(line, now());
        if (key == "CMD_nextplayer" || key == "CMD_placedice" || key == "CMD_closeit")
            if (!stopping_ && chance(opt_.faultRate)) inject();
    }
    try {
        if (key == "CMD_sendlogininfo") {
            b->slot = tc::net::toInt(data);
            if (b->kind == Bot::Silent) return;
            if (b->kind == Bot::Junk) {
                for (const char* junk : {"GET / HTTP/1.0", "", "hello", "CMD_nosuch+1+"}) b->send(junk);
                return;
            }
            if (!b->reclaimKey.empty()) {
                b->send("CMD_reclaim+" + std::to_string(b->slot) + "+" + b->reclaimKey + "+");
                return;
            }
            // Our own client's name ends with a 0xFF of its own: an empty line follows.
            b->send("CMD_logininfo+" + std::to_string(b->slot) + "+1.0.3+" + b->name + (chance(0.5) ? "\xFF" : ""));
        } else if (key == "CMD_seatkey") {
            b->key = tc::net::FieldReader(data).positional();
            b->keyed = b->kind == Bot::Player && chance(0.5);
            if (b->keyed) b->send("CMD_keyack+" + me + "+");
        } else if (key == "CMD_yourseat") {
            const int seat = tc::net::FieldReader(data).positionalInt();
            if (seat != b->reclaimSeat)
                violation(b->name + " came back to seat " + std::to_string(seat) + ", not to " +
                          std::to_string(b->reclaimSeat));
            b->slot = seat;
            b->loggedIn = b->keyed = b->reclaimed = true;
            b->key = b->reclaimKey;
            b->reclaimKey.clear();
            ++returns_;
        } else if (key == "CMD_reclaimrefused") {
            // Only a game that ended meanwhile releases a kept seat this
            // soon; the host's view may lag, so look a little later.
            ++returnsRefused_;
            QTimer::singleShot(500, [this, game = b->reclaimGame, name = b->name] {
                if (check_.gameOn() && check_.gamesStarted() == game)
                    violation("the kept seat of " + name + " was refused to its key in the same game");
            });
            b->reclaimKey.clear();
            b->send("CMD_logininfo+" + me + "+1.0.3+" + b->name);
        } else if (key == "CMD_updatescores" && b->reclaimed) {
            b->reclaimed = false;
            const auto items = tc::net::readList(data);
            for (std::size_t i = 0; i + 3 <= items.size(); i += 3)
                if (tc::net::toInt(items[i]) == b->slot)
                    check_.expectBack(b->slot, tc::net::toInt(items[i + 1]), tc::net::toInt(items[i + 2]), now());
        } else if (key == "CMD_shuttiles") {
            const std::string digits = tc::net::FieldReader(data).positional();
            b->open = 0;
            for (std::size_t t = 0; t < digits.size() && t < 9; ++t)
                if (digits[t] == '0') b->open |= 1u << t;
        } else if (key == "CMD_full") {
            ++fullRefusals_;
            b->closing = true;
            b->reconnect = b->kind == Bot::Player;
        } else if (key == "CMD_removed") {
            // Removed now, or kept out as removed earlier: back under another name.
            b->closing = true;
            b->removed = true;
            b->reconnect = b->kind == Bot::Player;
        } else if (key == "CMD_newplayerinfo") {
            if (data.rfind(me + "+", 0) == 0) b->loggedIn = true;
            if (b == host_ && !check_.gameOn() && check_.gamesStarted() == 0 && check_.held().size() >= 5) startGame();
        } else if (key == "CMD_startgame") {
            b->current = 0;
            b->watching = b->watchAsked = b->rollPending = b->movePending = false;
        } else if (key == "CMD_gamestats") {
            tc::net::FieldReader r(data);
            b->current = r.positionalInt();
            b->total = r.positionalInt() + r.positionalInt();
            b->open = 0x1FF;
            // Joined in the middle of its own seat's turn: the tiles shut
            // before it came are unknown, so the computer plays the rest of
            // this turn for it.
            if (b->current == b->slot && b->seated()) {
                b->send("CMD_justwatch+" + me + "+1");
                b->watchAsked = true;
            }
        } else if (key == "CMD_nextplayer") {
            b->current = tc::net::toInt(data);
            b->open = 0x1FF;
            forgetAnsweredJunk(b);
            b->rollPending = b->movePending = b->watchedByOther = false;
            if (b->watching && !b->watchAsked && b->current != b->slot) {
                b->send("CMD_justwatch+" + me + "+2");
                b->watchAsked = true;
            }
        } else if (key == "CMD_placedice") {
            tc::net::FieldReader r(data);
            r.positional();
            const int d1 = r.positionalInt();
            r.positional();
            b->total = d1 + r.positionalInt();
            b->rollPending = findMove(b->open, b->total) != 0;
            forgetAnsweredJunk(b);
            b->movePending = false;
            maybePlay(b);
        } else if (key == "CMD_closeit") {
            for (const auto& t : tc::net::readList(data)) b->open &= ~(1u << (tc::net::toInt(t) - 1));
            forgetAnsweredJunk(b);
            b->rollPending = b->movePending = false;
        } else if (key == "CMD_notvalid") {
            tc::net::FieldReader r(data);
            const int s = r.positionalInt();
            const int why = r.positionalInt();
            // Junk that met no turn of its own was dropped without an answer;
            // what is still unanswered after 10 s is forgotten.
            while (!b->junkCloses.empty() && now() - b->junkCloses.front().at > 10000) b->junkCloses.pop_front();
            if (s == b->slot && why == 1) {
                // The server answers one connection's requests in the order it
                // reads them, however late they arrive on a loaded machine:
                // junk sent before the pending move is answered before it.
                if (!b->junkCloses.empty() && (!b->movePending || b->junkCloses.front().seq < b->moveSeq)) {
                    b->junkCloses.pop_front();
                } else if (b->movePending) {
                    // A move crossed a just-watch switch by someone else: the
                    // computer played that roll first. Anything else is a
                    // legal move refused.
                    if (b->watchedByOther) {
                        ++excusedRefusals_;
                    } else {
                        ++honestRefusals_;
                        violation("a legal move of " + b->name + " was refused: " + line);
                    }
                    forgetAnsweredJunk(b);
                    b->movePending = false;
                }
            }
            if (s == b->current && why == 2) b->rollPending = false;
        } else if (key == "CMD_justwatching") {
            tc::net::FieldReader r(data);
            const int s = r.positionalInt();
            if (s == b->slot) {
                const bool was = b->watchAsked;
                b->watching = r.rest() == "1";
                b->watchAsked = false;
                if (b->watching && !was) b->watchedByOther = true;
                if (b->watching) {
                    // Back to playing a little later, from a turn of another seat on.
                    QTimer::singleShot(pick(200), [this, b] {
                        if (b->closed || !b->watching || b->watchAsked || b->current == b->slot) return;
                        b->send("CMD_justwatch+" + std::to_string(b->slot) + "+2");
                        b->watchAsked = true;
                    });
                }
                maybePlay(b);
            }
        } else if (key == "CMD_winner" && b == host_) {
            if (opt_.games > 0 && check_.gamesWon() >= opt_.games) stopping_ = true;
            if (opt_.seconds > 0 && now() >= opt_.seconds * 1000LL) stopping_ = true;
            if (rssWarm_ < 0 && check_.gamesWon() >= std::max(20, opt_.games / 10) && now() > 2000) {
                rssWarm_ = rssKiB(server_.processId());
                warmMs_ = now();
            }
            if (stopping_) {
                QTimer::singleShot(0, [this] { finish(); });
                return;
            }
            QTimer::singleShot(pick(3), [this] { startGame(); });
        }
    } catch (const tc::net::ConversionError& e) {
        violation("client " + b->name + " could not read: " + line);
    }
}

void Soak::maybePlay(Bot* b) {
    if (!b->loggedIn || b->closing || b->watching || b->watchAsked || !b->seated()) return;
    if (b->current != b->slot || !b->rollPending || b->movePending) return;
    // Any move that makes the roll, chosen at random among them.
    std::vector<unsigned> moves;
    for (unsigned m = 1; m < 512; ++m)
        if ((m & b->open) == m && tc::soak::maskSum(m) == b->total) moves.push_back(m);
    if (moves.empty()) return;
    const unsigned m = moves[static_cast<std::size_t>(pick(static_cast<int>(moves.size())))];
    std::string close = "CMD_closethem+" + std::to_string(b->slot);
    for (int t = 1; t <= 9; ++t)
        if (m & (1u << (t - 1))) {
            if (chance(0.3)) b->send("CMD_slide+" + std::to_string(b->slot) + "+down+" + std::to_string(t) + "+");
            close += "+" + std::to_string(t);
        }
    b->send(close);
    b->moveSeq = ++b->closeRequests;
    b->movePending = true;
    ++movesSent_;
}

void Soak::startGame() {
    if (stopping_ || !host_ || host_->closed) return;
    host_->send("CMD_startgame+Host+" + std::to_string(3 + pick(3)) + "+");
}

void Soak::onClosed(Bot* b) {
    if (b->closed) return;
    if (b->sock && b->sock->bytesAvailable() > 0) onBytes(b);  // a "CMD_full+" first
    b->closed = true;
    if ((b->kind == Bot::Player || b->kind == Bot::Watcher) && b->slot == 0 && !b->closing) {
        // Turned away without a word while others waited for their login
        // in every free slot: the table is not full, a player tries again.
        b->closing = true;
        b->reconnect = b->kind == Bot::Player;
    }
    if (b->kind == Bot::Silent || b->kind == Bot::Junk) {
        const std::int64_t limit = b->kind == Bot::Silent ? ghostLimit(opt_) : 2500;
        if (now() - b->openedMs > limit)
            violation("a connection that did not log in was kept " + std::to_string(now() - b->openedMs) + " ms");
    } else if (!b->closing && !done_) {
        violation("client " + b->name + " (slot " + std::to_string(b->slot) + ") was closed by the server");
    }
    if (b->kind == Bot::Watcher) --watcherCount_;
    if (b == host_ && !done_) violation("the host's client was closed");
    b->sock->disconnect();
    b->sock->abort();
    b->sock->deleteLater();
    b->sock = nullptr;
    if (b->reconnect && !stopping_) {
        const std::string name = b->removed ? b->name.substr(0, b->name.find('.')) + "." + std::to_string(++renames_)
                                            : b->name;
        QTimer::singleShot(pick(30), [this, name] {
            if (!stopping_) spawn(Bot::Player, name);
        });
    }
}

void Soak::housekeeping() {
    const std::int64_t t = now();
    check_.idle(t);
    for (auto& b : bots_) {
        if (b->closed) continue;
        if (b->kind == Bot::Watcher && b->leaveAtMs && t >= b->leaveAtMs && !b->closing) {
            b->closing = true;
            b->sock->disconnectFromHost();
        }
        if ((b->kind == Bot::Silent && t - b->openedMs > ghostLimit(opt_)) ||
            (b->kind == Bot::Junk && t - b->openedMs > 2500)) {
            violation("a connection that did not log in is still open after " + std::to_string(t - b->openedMs) +
                      " ms");
            b->closing = true;
            b->kind = Bot::Watcher;  // reported once
            b->sock->abort();
        }
    }
    for (auto& b : bots_)
        if (b->closed) gone_.push_back(std::move(b));
    bots_.erase(std::remove(bots_.begin(), bots_.end(), nullptr), bots_.end());
    if (check_.gamesStarted() == 0 && t > 3000) startGame();
    const long rss = rssKiB(server_.processId());
    if (rss > rssMax_ && rssWarm_ >= 0) rssMax_ = rss;
    // A game that cannot finish is reported by the checker; stop then.
    const bool overTime = opt_.seconds > 0 && t > opt_.seconds * 1000LL + 60'000;
    if ((overTime || (!check_.violations().empty() && check_.violations().back().what.rfind("game stuck", 0) == 0)) &&
        !done_)
        finish();
}

void Soak::finish() {
    if (done_) return;
    stopping_ = true;
    rssEnd_ = rssKiB(server_.processId());
    done_ = true;
    QCoreApplication::quit();
}

int Soak::run() {
    clock_.start();
    server_.setProgram(opt_.server);
    // Loopback only, and never announced on any network.
    server_.setArguments({"--bind", "127.0.0.1", "--port", "0", "--pause-ms", "0", "--no-announce", "--seed",
                          QString::number(opt_.seed), "--login-ms", QString::number(opt_.loginMs), "--hold-s",
                          QString::number(opt_.holdS)});
    QObject::connect(&server_, &QProcess::readyReadStandardOutput, [this] {
        while (server_.canReadLine()) {
            const QByteArray line = server_.readLine().trimmed();
            if (line.startsWith("listening on ")) port_ = static_cast<quint16>(line.split(' ').at(4).chopped(1).toUInt());
            // "close slot 3: no login within 1500 ms" -> "close: no login within"
            std::string s = line.toStdString();
            std::string kind = s.substr(0, s.find(' '));
            const auto colon = s.find(": ");
            if (colon != std::string::npos) {
                std::string why = s.substr(colon + 2);
                const auto cut = why.find_first_of("0123456789(");
                kind += ": " + why.substr(0, cut == std::string::npos ? why.size() : cut);
                while (!kind.empty() && kind.back() == ' ') kind.pop_back();
            }
            ++serverLog_[kind];
        }
    });
    QObject::connect(&server_, &QProcess::finished, [this] {
        if (!done_) {
            serverGone_ = true;
            violation("the server exited during the run");
            finish();
        }
    });
    server_.start();
    QElapsedTimer wait;
    wait.start();
    while (port_ == 0 && wait.elapsed() < 10000 && !serverGone_) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if (port_ == 0) {
        std::fprintf(stderr, "tilecrest-soak: the server did not start\n");
        return 2;
    }
    host_ = spawn(Bot::Host, "Host");
    QTimer::singleShot(50, [this] {
        for (int i = 2; i <= 5; ++i) spawn(Bot::Player, "P" + std::to_string(i));
    });
    QTimer house;
    QObject::connect(&house, &QTimer::timeout, [this] { housekeeping(); });
    house.start(200);
    QCoreApplication::exec();
    house.stop();

    // Everyone leaves; the server must still be running, then stop cleanly.
    for (auto& b : bots_)
        if (!b->closed && b->sock) {
            b->closing = true;
            b->sock->disconnect();
            b->sock->abort();
            b->sock->deleteLater();
            b->closed = true;
        }
    const double seconds = static_cast<double>(now()) / 1000.0;
    if (!serverGone_) {
        server_.terminate();
        if (!server_.waitForFinished(10000)) {
            violation("the server did not stop on SIGTERM");
            server_.kill();
            server_.waitForFinished(5000);
        } else if (server_.exitStatus() != QProcess::NormalExit || server_.exitCode() != 0) {
            violation("the server did not exit cleanly");
        }
    }

    std::vector<Violation> all = check_.violations();
    all.insert(all.end(), violations_.begin(), violations_.end());
    long faultTotal = 0;
    for (long f : faults_) faultTotal += f;
    std::printf("tilecrest-soak: seed %u, login time %d ms, fault rate %.3f per game message\n", opt_.seed, opt_.loginMs,
                opt_.faultRate);
    std::printf("games: %d finished of %d started in %.1f s: %.1f games/s; %d rounds, %d turns, %ld moves sent\n",
                check_.gamesWon(), check_.gamesStarted(), seconds, check_.gamesWon() / std::max(seconds, 0.001),
                check_.rounds(), check_.turns(), movesSent_);
    std::printf("longest wait for a message while a logged-in seat was on turn: %lld ms\n",
                static_cast<long long>(check_.longestWaitMs()));
    std::printf("seats kept for dropped players: %d turns played by the computer; %ld returns with the key "
                "(%d scores and Marks compared), %ld refused after their game ended\n",
                check_.awayTurns(), returns_, check_.backsCompared(), returnsRefused_);
    std::printf("faults injected: %ld\n", faultTotal);
    for (int k = 0; k < kFaultKinds; ++k) std::printf("  %6ld  %s\n", faults_[k], kFaultNames[k]);
    std::printf("moves refused after a just-watch switch crossed them: %ld; connections refused as full: %ld\n",
                excusedRefusals_, fullRefusals_);
    std::printf("server log lines by kind:\n");
    for (const auto& [kind, n] : serverLog_) std::printf("  %6ld  %s\n", n, kind.c_str());
    std::printf("server memory (VmRSS): %ld KiB after warm-up (%.1f s), %ld KiB at most, %ld KiB at the end\n", rssWarm_,
                static_cast<double>(warmMs_) / 1000.0, rssMax_, rssEnd_);
    if (rssWarm_ > 0 && rssEnd_ > rssWarm_ + 8 * 1024)
        all.push_back({0, "server memory grew by " + std::to_string(rssEnd_ - rssWarm_) + " KiB", ""});
    if (check_.gamesWon() == 0) all.push_back({0, "no game was finished", ""});
    if (opt_.games > 0 && check_.gamesWon() < opt_.games)
        all.push_back({0, "only " + std::to_string(check_.gamesWon()) + " games finished", ""});
    std::printf("invariants violated: %zu\n", all.size());
    for (std::size_t i = 0; i < all.size() && i < 40; ++i)
        std::printf("  at %.3f s: %s%s%s\n", static_cast<double>(all[i].ms) / 1000.0, all[i].what.c_str(),
                    all[i].line.empty() ? "" : " | ", all[i].line.c_str());
    return all.empty() ? 0 : 1;
}

} // namespace tc::soak

using tc::soak::Options;
using tc::soak::Soak;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Options o;
    o.server = QStringLiteral(TILECREST_SERVER_BINARY);
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "tilecrest-soak: %s needs a value\n", a.c_str());
                std::exit(2);
            }
            return argv[++i];
        };
        if (a == "--games") o.games = std::atoi(value().c_str());
        else if (a == "--seconds") o.seconds = std::atoi(value().c_str());
        else if (a == "--seed") o.seed = static_cast<std::uint32_t>(std::strtoul(value().c_str(), nullptr, 10));
        else if (a == "--server") o.server = QString::fromStdString(value());
        else if (a == "--login-ms") o.loginMs = std::atoi(value().c_str());
        else if (a == "--hold-s") o.holdS = std::atoi(value().c_str());
        else if (a == "--fault-rate") o.faultRate = std::atof(value().c_str());
        else if (a == "--verbose") o.verbose = true;
        else {
            std::fprintf(stderr,
                         "usage: tilecrest-soak [--games N | --seconds S] [--seed N] [--server PATH] [--login-ms N] "
                         "[--hold-s N] [--fault-rate P] [--verbose]\n");
            return 2;
        }
    }
    if (o.games <= 0 && o.seconds <= 0) o.seconds = 30;
    if (o.loginMs < 1) {
        std::fprintf(stderr, "tilecrest-soak: --login-ms must be 1 or more\n");
        return 2;
    }
    return Soak(o).run();
}
