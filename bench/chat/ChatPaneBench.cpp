// Cost of adding chat lines to the pane, early in its life and late.
// The pane must not lay out everything again per line, so lines
// 19,001..20,000 should cost about what lines 1..1,000 cost.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QString>
#include <chrono>

#include "chat/ChatPane.h"

using tc::chat::ChatPane;
using tc::net::Colour;

namespace {

// A mix like a game's chat: system lines in blue, players in their own
// colours, smileys, links, long lines that wrap.
struct Line {
    const char* text;
    Colour colour;
};
const Line kMix[] = {
    {"0+Ann has entered the game.", 0xFF0000},
    {"3+Ann chats: hello everyone :)#12", 0x000000},
    {"1+Bob chats: hi Ann, see www.example.com for the rules", 0x008000},
    {"0+Bob rolled 7: 3 and 4.", 0xFF0000},
    {"4+Cid chats: this is a somewhat longer line of chat that should wrap at the pane's width at least once or twice", 0x800080},
    {"2+Rudi says: Nice Try!", 0x0000FF},
    {"3+Ann chats: :)#20 :)#21 lol", 0x000000},
    {"0+Scores: Ann 12, Bob 0, Cid 7", 0xFF0000},
};
constexpr int kMixSize = sizeof(kMix) / sizeof(kMix[0]);

void addLines(ChatPane& pane, int from, int count) {
    for (int i = from; i < from + count; ++i) {
        const Line& l = kMix[i % kMixSize];
        pane.addLineToChat(QString::fromUtf8(l.text) + QStringLiteral(" #") + QString::number(i), l.colour);
        // Let the pane paint as the dispatch timer's event loop would.
        QCoreApplication::processEvents();
    }
}

void runBatch(benchmark::State& state, int before) {
    constexpr int kBatch = 1000;
    double total = 0;
    for (auto _ : state) {
        ChatPane pane;
        pane.resize(560, 200);
        pane.show();
        addLines(pane, 0, before);
        QElapsedTimer t;
        t.start();
        addLines(pane, before, kBatch);
        const double seconds = static_cast<double>(t.nsecsElapsed()) / 1e9;
        total += seconds;
        state.SetIterationTime(seconds);
    }
    state.counters["us_per_line"] = total * 1e6 / (kBatch * static_cast<double>(state.iterations()));
}

void BM_Lines1To1000(benchmark::State& state) { runBatch(state, 0); }
void BM_Lines19001To20000(benchmark::State& state) { runBatch(state, 19000); }

// A colour change restyles every earlier line of that slot: this one is
// expected to grow with the slot's share of the pane.
void BM_RecolourSystemLinesAfter20000(benchmark::State& state) {
    ChatPane pane;
    pane.resize(560, 200);
    pane.show();
    addLines(pane, 0, 20000);
    bool navy = false;
    for (auto _ : state) {
        navy = !navy;
        QElapsedTimer t;
        t.start();
        pane.addLineToChat(QStringLiteral("0+Someone is watching."), navy ? 0x800000 : 0xFF0000);
        QCoreApplication::processEvents();
        state.SetIterationTime(static_cast<double>(t.nsecsElapsed()) / 1e9);
    }
}

} // namespace

BENCHMARK(BM_Lines1To1000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Lines19001To20000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RecolourSystemLinesAfter20000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
