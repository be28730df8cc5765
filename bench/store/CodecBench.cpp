// LZRW1/KH (the tally file's codec, in-memory container) beside LZ4 on the
// same inputs, in one run: text (our own sources and docs), a tally of
// 10,000 opponents, binary (this program's executable), incompressible
// noise and one long run of a byte. Each prints MB/s of original data and
// the ratio (packed / original).
// Targets on text: compress at >= 0.5x LZ4's speed, decompress >= 0.25x.
#include <benchmark/benchmark.h>
#include <lz4.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "store/TallyTable.h"
#include "store/Tlzrw1.h"

namespace {

constexpr std::size_t kInputSize = 1 << 20;

std::string readFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string textInput() {
    std::string s;
    const std::filesystem::path root(TILECREST_SOURCE_DIR);
    for (const char* dir : {"docs", "src"}) {
        for (const auto& e : std::filesystem::recursive_directory_iterator(root / dir)) {
            const auto ext = e.path().extension();
            if (e.is_regular_file() && (ext == ".md" || ext == ".cpp" || ext == ".h")) s += readFile(e.path());
            if (s.size() >= kInputSize) return s.substr(0, kInputSize);
        }
    }
    return s;
}

std::string tallyInput() {
    tc::store::TallyTable t;
    std::uint32_t x = 1;
    auto next = [&] { return (x = x * 1664525u + 1013904223u) >> 16; };
    for (int i = 0; i < 10000; ++i) t.addOpponent("Player" + std::to_string(next() % 100000) + "_" + std::to_string(i));
    std::vector<std::string> all = t.tallied();
    for (int g = 0; g < 2000; ++g) {
        std::vector<std::string> game;
        for (int k = 0; k < 5; ++k) game.push_back(all[next() % all.size()]);
        t.addGame(game, game[next() % 5], next() % 4 == 0);
    }
    return t.toText();
}

std::string binaryInput() {
    std::string s = readFile("/proc/self/exe");
    return s.substr(0, kInputSize);
}

std::string noiseInput() {
    std::string s(kInputSize, '\0');
    std::uint64_t x = 88172645463325252ull;
    for (char& c : s) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        c = static_cast<char>(x >> 32);
    }
    return s;
}

const std::string& input(const std::string& name) {
    static const std::map<std::string, std::string> inputs = {
        {"text", textInput()},       {"tally", tallyInput()},  {"binary", binaryInput()},
        {"noise", noiseInput()},     {"run", std::string(kInputSize, 'a')},
    };
    return inputs.at(name);
}

void report(benchmark::State& state, std::size_t original, std::size_t packed) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * original));
    state.counters["ratio"] = static_cast<double>(packed) / static_cast<double>(original);
}

void lzrw1Compress(benchmark::State& state, const std::string& name) {
    const std::string& in = input(name);
    std::string packed;
    for (auto _ : state) {
        packed = tc::store::Tlzrw1::pack(in, name);
        benchmark::DoNotOptimize(packed.data());
    }
    report(state, in.size(), packed.size());
}

void lzrw1Decompress(benchmark::State& state, const std::string& name) {
    const std::string& in = input(name);
    const std::string packed = tc::store::Tlzrw1::pack(in, name);
    for (auto _ : state) {
        std::string out = tc::store::Tlzrw1::unpack(packed, in.size(), name);
        benchmark::DoNotOptimize(out.data());
    }
    report(state, in.size(), packed.size());
}

void lz4Compress(benchmark::State& state, const std::string& name) {
    const std::string& in = input(name);
    std::string out(static_cast<std::size_t>(LZ4_compressBound(static_cast<int>(in.size()))), '\0');
    int n = 0;
    for (auto _ : state) {
        n = LZ4_compress_default(in.data(), out.data(), static_cast<int>(in.size()), static_cast<int>(out.size()));
        benchmark::DoNotOptimize(out.data());
    }
    report(state, in.size(), static_cast<std::size_t>(n));
}

void lz4Decompress(benchmark::State& state, const std::string& name) {
    const std::string& in = input(name);
    std::string packed(static_cast<std::size_t>(LZ4_compressBound(static_cast<int>(in.size()))), '\0');
    const int n = LZ4_compress_default(in.data(), packed.data(), static_cast<int>(in.size()),
                                       static_cast<int>(packed.size()));
    std::string out(in.size(), '\0');
    for (auto _ : state) {
        const int m = LZ4_decompress_safe(packed.data(), out.data(), n, static_cast<int>(out.size()));
        benchmark::DoNotOptimize(m);
    }
    report(state, in.size(), static_cast<std::size_t>(n));
}

void registerAll() {
    for (const char* name : {"text", "tally", "binary", "noise", "run"}) {
        const std::string n = name;
        benchmark::RegisterBenchmark(("compress/lzrw1/" + n).c_str(), lzrw1Compress, n);
        benchmark::RegisterBenchmark(("compress/lz4/" + n).c_str(), lz4Compress, n);
        benchmark::RegisterBenchmark(("decompress/lzrw1/" + n).c_str(), lzrw1Decompress, n);
        benchmark::RegisterBenchmark(("decompress/lz4/" + n).c_str(), lz4Decompress, n);
    }
}

} // namespace

int main(int argc, char** argv) {
    registerAll();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
