#include "session/Reconnector.h"

#include <algorithm>

namespace tc::client {

Reconnector::Reconnector(std::int64_t now, std::int64_t holdMs)
    : deadline_(now + std::max<std::int64_t>(holdMs, 0)), nextTryAt_(now + kFirstWaitMs) {}

void Reconnector::failed(std::int64_t now) {
    ++tries_;
    wait_ = std::min(wait_ * 2, kMaxWaitMs);
    nextTryAt_ = now + wait_;
}

std::string Reconnector::statusText(std::int64_t now) const {
    const std::int64_t seconds = (leftMs(now) + 999) / 1000;
    const std::int64_t s = seconds % 60;
    return "Connection lost, reconnecting\u2026 " + std::to_string(seconds / 60) + ":" + (s < 10 ? "0" : "") +
           std::to_string(s) + " left";
}

} // namespace tc::client
