#pragma once
// When a copy whose connection dropped tries to get back to its seat: the
// first try half a second after the drop, then after waits that double
// (1 s, 2 s, 4 s ...; at most kMaxWaitMs), until the seat's hold has run
// out. Times are milliseconds of the owner's monotonic clock.
#include <cstdint>
#include <string>

namespace tc::client {

class Reconnector {
public:
    static constexpr std::int64_t kFirstWaitMs = 500;
    static constexpr std::int64_t kMaxWaitMs = 16'000;

    // The connection dropped at `now`; the server keeps the seat `holdMs`.
    Reconnector(std::int64_t now, std::int64_t holdMs);

    // When the next try is due; past the deadline when none is left.
    std::int64_t nextTryAt() const { return nextTryAt_; }
    // A try has failed at `now`: the next one waits longer.
    void failed(std::int64_t now);
    bool expired(std::int64_t now) const { return now >= deadline_; }
    std::int64_t leftMs(std::int64_t now) const { return now >= deadline_ ? 0 : deadline_ - now; }
    int tries() const { return tries_; }
    // The window's line: "Connection lost, reconnecting… 1:54 left".
    std::string statusText(std::int64_t now) const;

private:
    std::int64_t deadline_;
    std::int64_t wait_ = kFirstWaitMs;
    std::int64_t nextTryAt_;
    int tries_ = 0;
};

} // namespace tc::client
