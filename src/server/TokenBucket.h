#pragma once
// A token bucket on an injected millisecond clock: starts full with
// `burst` tokens and gains `perSecond` tokens a second, never more than
// `burst`. Integer arithmetic in thousandths of a token, so no rounding
// drifts over a long game.
#include <cstdint>

namespace tc::server {

class TokenBucket {
public:
    TokenBucket(std::int64_t burst, std::int64_t perSecond)
        : capacity_(burst * 1000), perSecond_(perSecond), level_(capacity_) {}

    // Refills for the time since the last call (a clock that steps back
    // refills nothing) and tells whether `cost` tokens are there.
    bool has(std::int64_t nowMs, std::int64_t cost) {
        if (started_ && nowMs > lastMs_) {
            const std::int64_t gained = (nowMs - lastMs_) * perSecond_;
            level_ = gained >= capacity_ - level_ ? capacity_ : level_ + gained;
        }
        if (!started_ || nowMs > lastMs_) lastMs_ = nowMs;
        started_ = true;
        return level_ >= cost * 1000;
    }
    // Spends tokens that has() found.
    void take(std::int64_t cost) { level_ -= cost * 1000; }

private:
    std::int64_t capacity_;
    std::int64_t perSecond_;
    std::int64_t level_;
    std::int64_t lastMs_ = 0;
    bool started_ = false;
};

} // namespace tc::server
