// The expert computer player: building every table once (what the program
// does at its first computer move) and one decision, beside Classic's.
// Goal: the build within a few milliseconds; a decision a look-up.
#include <benchmark/benchmark.h>

#include <vector>

#include "game/ComputerPlayer.h"
#include "game/ExpertPlayer.h"
#include "game/Lcg.h"

namespace {

using namespace tc::game;

void BM_BuildTables(benchmark::State& state) {
    for (auto _ : state) {
        ExpertTable table;
        benchmark::DoNotOptimize(table.expected(kAllTiles));
    }
}
BENCHMARK(BM_BuildTables)->Unit(benchmark::kMillisecond);

// Positions drawn once: random open tiles and rolls, so the look-ups do not
// all hit one cache line.
struct Position {
    TileMask open;
    int total;
    int limit;
    Tiles tiles;
};

const std::vector<Position>& positions() {
    static const std::vector<Position> all = [] {
        std::vector<Position> out;
        Lcg rng(7);
        for (int i = 0; i < 4096; ++i) {
            Position p{TileMask(rng.draw(kMaskCount)), rng.draw(6) + rng.draw(6) + 2, rng.draw(kMaxRoundScore), {}};
            for (int t = 0; t < kTileCount; ++t) p.tiles[static_cast<std::size_t>(t)] = (p.open >> t & 1) ? "u" : "o";
            out.push_back(p);
        }
        return out;
    }();
    return all;
}

void BM_DecisionLowest(benchmark::State& state) {
    const ExpertTable& table = ExpertTable::get();
    const auto& ps = positions();
    std::size_t i = 0;
    for (auto _ : state) {
        const Position& p = ps[i++ & 4095];
        benchmark::DoNotOptimize(table.lowest(p.open, p.total));
    }
}
BENCHMARK(BM_DecisionLowest);

void BM_DecisionReach(benchmark::State& state) {
    const ExpertTable& table = ExpertTable::get();
    const auto& ps = positions();
    std::size_t i = 0;
    for (auto _ : state) {
        const Position& p = ps[i++ & 4095];
        benchmark::DoNotOptimize(table.reach(p.open, p.total, p.limit));
    }
}
BENCHMARK(BM_DecisionReach);

// The server's whole step: tile texts in, move text out.
void BM_MoveTextExpert(benchmark::State& state) {
    ExpertTable::get();
    const auto& ps = positions();
    std::size_t i = 0;
    for (auto _ : state) {
        const Position& p = ps[i++ & 4095];
        benchmark::DoNotOptimize(moveText(Rudi::Expert, 2, 1, p.total - 1, p.tiles));
    }
}
BENCHMARK(BM_MoveTextExpert);

void BM_MoveTextClassic(benchmark::State& state) {
    const auto& ps = positions();
    std::size_t i = 0;
    for (auto _ : state) {
        const Position& p = ps[i++ & 4095];
        benchmark::DoNotOptimize(moveText(Rudi::Classic, 2, 1, p.total - 1, p.tiles));
    }
}
BENCHMARK(BM_MoveTextClassic);

} // namespace

BENCHMARK_MAIN();
