#include "session/ChatPacer.h"

#include <algorithm>

namespace tc::client {

ChatPacer::ChatPacer(const PaceLimits& limits)
    : lines_{limits.burstLines * 1000, limits.linesPerSecond, limits.burstLines * 1000},
      bytes_{limits.burstBytes * 1000, limits.bytesPerSecond, limits.burstBytes * 1000} {}

bool ChatPacer::push(std::string wireBytes, std::size_t countedBytes) {
    if (queue_.size() >= kMaxWaitingLines) return false;
    // A message larger than the whole bucket would wait for ever; it goes
    // when the bucket is full (the server cuts what it cannot relay).
    const auto cost = std::min(static_cast<std::int64_t>(countedBytes), bytes_.capacity / 1000);
    queue_.push_back({std::move(wireBytes), cost});
    return true;
}

void ChatPacer::refill(std::int64_t nowMs) {
    if (started_ && nowMs > lastMs_) {
        for (Bucket* b : {&lines_, &bytes_}) {
            const std::int64_t gained = (nowMs - lastMs_) * b->perSecond;
            b->level = gained >= b->capacity - b->level ? b->capacity : b->level + gained;
        }
    }
    if (!started_ || nowMs > lastMs_) lastMs_ = nowMs;  // a clock that steps back refills nothing
    started_ = true;
}

std::vector<std::string> ChatPacer::due(std::int64_t nowMs) {
    refill(nowMs);
    std::vector<std::string> out;
    while (!queue_.empty() && lines_.level >= 1000 && bytes_.level >= queue_.front().cost * 1000) {
        lines_.level -= 1000;
        bytes_.level -= queue_.front().cost * 1000;
        out.push_back(std::move(queue_.front().bytes));
        queue_.pop_front();
    }
    return out;
}

} // namespace tc::client
