// tilecrest-sim --turns N --seed S: plays N single turns with the computer
// player's choices and the game's own generator; prints how often all nine
// tiles were shut and the mean round score.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "game/ComputerPlayer.h"
#include "game/Lcg.h"
#include "game/Rules.h"

namespace {

bool parse(const char* text, unsigned long long max, unsigned long long& out) {
    if (!text || !*text) return false;
    char* end = nullptr;
    errno = 0;
    out = std::strtoull(text, &end, 10);
    return errno == 0 && *end == '\0' && text[0] != '-' && out <= max;
}

int usage() {
    std::fprintf(stderr, "usage: tilecrest-sim [--turns N] [--seed S]\n");
    return 2;
}

// One turn from all nine open to its end; returns the round score.
int playTurn(tc::game::Lcg& rng) {
    tc::game::Tiles tiles = tc::game::allOpen();
    for (;;) {
        const int total = (rng.draw(6) + 1) + (rng.draw(6) + 1);
        if (!tc::game::canmaketotal("o", tiles, total)) return tc::game::openSum(tiles);
        const std::string move = tc::game::cgetdice(total, tiles);
        for (std::size_t i = 1; i < move.size(); i += 2) tiles[move[i] - '1'] = "o";
        if (tc::game::allShut(tiles)) return 0;
    }
}

} // namespace

int main(int argc, char** argv) {
    unsigned long long turns = 1000000, seed = 1;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--turns") && i + 1 < argc) {
            if (!parse(argv[++i], 1000000000000ull, turns) || turns == 0) return usage();
        } else if (!std::strcmp(argv[i], "--seed") && i + 1 < argc) {
            if (!parse(argv[++i], 0xFFFFFFFFull, seed)) return usage();
        } else {
            return usage();
        }
    }
    tc::game::Lcg rng(static_cast<std::uint32_t>(seed));
    unsigned long long shut = 0, scoreSum = 0;
    for (unsigned long long t = 0; t < turns; ++t) {
        const int score = playTurn(rng);
        if (score == 0) ++shut;
        scoreSum += static_cast<unsigned long long>(score);
    }
    std::printf("turns: %llu\nseed: %llu\nshut all nine: %.4f%%\nmean round score: %.4f\n", turns, seed,
                100.0 * static_cast<double>(shut) / static_cast<double>(turns),
                static_cast<double>(scoreSum) / static_cast<double>(turns));
    return 0;
}
