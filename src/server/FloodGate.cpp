#include "server/FloodGate.h"

namespace tc::server {

FloodGate::Verdict FloodGate::admit(std::int64_t nowMs, std::size_t bytes) {
    const auto cost = static_cast<std::int64_t>(bytes);
    // Both buckets are asked first, so each refills to now.
    const bool linesOk = lines_.has(nowMs, 1);
    const bool bytesOk = bytes_.has(nowMs, cost);
    if (linesOk && bytesOk) {
        lines_.take(1);
        bytes_.take(cost);
        return Verdict::Pass;
    }
    const bool first = !dropping_ || nowMs - lastDropMs_ >= kEpisodeGapMs;
    dropping_ = true;
    lastDropMs_ = nowMs;
    return first ? Verdict::FirstDrop : Verdict::Drop;
}

} // namespace tc::server
