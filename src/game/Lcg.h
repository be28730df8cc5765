#pragma once
// The program's one pseudo-random generator: a 32-bit linear congruential
// generator. Seeded once; the dice, the first seat, the dice positions on
// the table and the computer player's remarks all draw from it.
#include <cstdint>

namespace tc::game {

class Lcg {
public:
    explicit Lcg(std::uint32_t seed = 0) : seed_(seed) {}

    // seed := seed * 134775813 + 1 (mod 2^32); result: the upper 32 bits of
    // the 64-bit product of the new seed and n, so 0..n-1 (0 for n <= 0).
    int draw(int n) {
        seed_ = seed_ * 134775813u + 1u;
        if (n <= 0) return 0;
        return static_cast<int>((static_cast<std::uint64_t>(seed_) * static_cast<std::uint32_t>(n)) >> 32);
    }

    std::uint32_t seed() const { return seed_; }
    void setSeed(std::uint32_t seed) { seed_ = seed; }

    // ((h*60 + m)*60 + s)*1000 + ms of the current UTC time of day.
    static std::uint32_t seedFromClock();

private:
    std::uint32_t seed_;
};

} // namespace tc::game
