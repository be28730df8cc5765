#pragma once
// One connection's limit on one kind of relayed message: a bucket of lines
// and a bucket of bytes, both of which a message must pass. Messages over
// the limit are dropped. Drops less than kEpisodeGapMs apart are one
// episode, so the caller can log once per episode instead of once per line
// (a sender held at the limit gets a line through now and then without
// starting a new episode each time).
#include <cstddef>
#include <cstdint>

#include "server/TokenBucket.h"

namespace tc::server {

inline constexpr std::int64_t kEpisodeGapMs = 10'000;

struct FloodLimits {
    std::int64_t burstLines;
    std::int64_t linesPerSecond;
    std::int64_t burstBytes;
    std::int64_t bytesPerSecond;
};

class FloodGate {
public:
    enum class Verdict {
        Pass,
        FirstDrop,  // over the limit, and the first drop of an episode
        Drop,       // over the limit within an episode already reported
    };

    explicit FloodGate(const FloodLimits& limits)
        : lines_(limits.burstLines, limits.linesPerSecond), bytes_(limits.burstBytes, limits.bytesPerSecond) {}

    // One message of `bytes` bytes at `nowMs`: spends from both buckets
    // when both hold enough, else spends nothing.
    Verdict admit(std::int64_t nowMs, std::size_t bytes);

private:
    TokenBucket lines_;
    TokenBucket bytes_;
    bool dropping_ = false;
    std::int64_t lastDropMs_ = 0;
};

} // namespace tc::server
