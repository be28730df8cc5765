#include "session/Reconnector.h"

#include <algorithm>

#include "net/Text.h"
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
    const std::string left = std::to_string(seconds / 60) + ":" + (s < 10 ? "0" : "") + std::to_string(s);
    return net::fillText(net::translate("Session", "Connection lost, reconnecting\u2026 %1 left"), {left});
}

} // namespace tc::client
