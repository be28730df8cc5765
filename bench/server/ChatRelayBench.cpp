// A chat line from one client relayed by the server host to nine loopback
// clients, all on one event loop: lines per second when the sender keeps
// lines in flight, and the round trip of a single line (sent until all
// nine have it) as median and 99th percentile. The flood limits are lifted
// here: this measures what the relay costs, not what a sender is allowed.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpSocket>
#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "game/Lcg.h"
#include "server/ServerHost.h"

namespace {

constexpr int kClients = 9;

class Rig {
public:
    Rig() : host_(rng_) {
        constexpr tc::server::FloodLimits kOpen{1'000'000'000, 1'000'000'000, 1'000'000'000, 1'000'000'000};
        host_.setFloodLimits(kOpen, kOpen);
        QString error;
        if (!host_.listen(QHostAddress::LocalHost, 0, &error)) return;
        for (int i = 0; i < kClients; ++i) {
            auto s = std::make_unique<QTcpSocket>();
            QTcpSocket* raw = s.get();
            counts_.push_back(0);
            const std::size_t index = counts_.size() - 1;
            QObject::connect(raw, &QTcpSocket::readyRead, raw, [this, raw, index] {
                const QByteArray d = raw->readAll();
                counts_[index] += static_cast<long>(d.count('\xFF'));
            });
            raw->connectToHost(QHostAddress::LocalHost, host_.serverPort());
            sockets_.push_back(std::move(s));
            // Each waits for its slot before logging in, as a client does.
            if (!spin([&] { return counts_[index] >= 1; })) return;
            const QByteArray login = "CMD_logininfo+" + QByteArray::number(i + 1) + "+1.0.3+P" +
                                     QByteArray::number(i + 1) + '\xFF';
            raw->write(login);
            if (!spin([&] { return host_.server().player(i + 1).loggedin; })) return;
        }
        ok_ = roundTrip() >= 0;  // settles every join broadcast first
    }
    bool ok() const { return ok_; }

    // Sends `n` lines back to back, waits until all nine have all of them.
    bool burst(int n) {
        const std::vector<long> base = counts_;
        for (int i = 0; i < n; ++i) sockets_[0]->write(kLine);
        return spin([&] {
            for (int c = 0; c < kClients; ++c)
                if (counts_[c] < base[c] + n) return false;
            return true;
        });
    }
    // One line; nanoseconds until the last of the nine has it, -1 on timeout.
    long long roundTrip() {
        QElapsedTimer t;
        t.start();
        if (!burst(1)) return -1;
        return t.nsecsElapsed();
    }

private:
    template <typename Pred>
    bool spin(Pred done) {
        QElapsedTimer t;
        t.start();
        while (!done()) {
            if (t.elapsed() > 10000) return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        }
        return true;
    }

    static inline const QByteArray kLine = QByteArray("CMD_chat+1+the quick brown fox jumps over the lazy dog|clBlack") + '\xFF';
    tc::game::Lcg rng_{1};
    tc::server::ServerHost host_;
    std::vector<std::unique_ptr<QTcpSocket>> sockets_;
    std::vector<long> counts_;
    bool ok_ = false;
};

void BM_ChatRelayThroughput(benchmark::State& state) {
    Rig rig;
    if (!rig.ok()) return state.SkipWithError("set-up failed");
    const int perBurst = static_cast<int>(state.range(0));
    for (auto _ : state)
        if (!rig.burst(perBurst)) return state.SkipWithError("relay timed out");
    state.counters["lines_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations() * perBurst), benchmark::Counter::kIsRate);
    state.counters["deliveries_per_s"] = benchmark::Counter(
        static_cast<double>(state.iterations() * perBurst * kClients), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ChatRelayThroughput)->Arg(100)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_ChatRelayRoundTrip(benchmark::State& state) {
    Rig rig;
    if (!rig.ok()) return state.SkipWithError("set-up failed");
    std::vector<long long> samples;
    for (auto _ : state) {
        const long long ns = rig.roundTrip();
        if (ns < 0) return state.SkipWithError("relay timed out");
        samples.push_back(ns);
    }
    std::sort(samples.begin(), samples.end());
    auto at = [&](double q) {
        return static_cast<double>(samples[static_cast<std::size_t>(q * static_cast<double>(samples.size() - 1))]) / 1000.0;
    };
    state.counters["median_us"] = at(0.5);
    state.counters["p99_us"] = at(0.99);
}
BENCHMARK(BM_ChatRelayRoundTrip)->Iterations(20000)->UseRealTime()->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
