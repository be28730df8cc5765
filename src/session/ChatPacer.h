#pragma once
// Paces this client's own chat, action and chatter-sound requests so that
// the server relays every one of them. The server drops relays over its
// per-connection limit (a burst of 10 lines or 16 KiB, then 4 lines and
// 4 KiB a second, counted on the relayed line); a fast typist or a pasted
// list would lose lines without a word. Here they wait and leave as the
// limit allows, in order. The pacer's own limit sits below the server's so
// that lines bunched up on the way still fit. Nothing on the wire changes.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace tc::client {

struct PaceLimits {
    std::int64_t burstLines;
    std::int64_t linesPerSecond;
    std::int64_t burstBytes;
    std::int64_t bytesPerSecond;
};
// Below the server's relay limit, leaving room for most of a second of
// network jitter.
inline constexpr PaceLimits kChatPace{8, 3, 14 * 1024, 3 * 1024};
// Lines that may wait at once; a paste of a few dozen lines fits.
inline constexpr std::size_t kMaxWaitingLines = 200;

class ChatPacer {
public:
    explicit ChatPacer(const PaceLimits& limits = kChatPace);

    // Queues one whole message (framed wire bytes) that the server will
    // count as `countedBytes` when it relays it. False, and nothing queued,
    // when kMaxWaitingLines already wait.
    bool push(std::string wireBytes, std::size_t countedBytes);
    // The messages whose turn has come at `nowMs` (milliseconds of a
    // monotonic clock), oldest first; they are no longer waiting.
    std::vector<std::string> due(std::int64_t nowMs);
    std::size_t waiting() const { return queue_.size(); }

private:
    struct Bucket {
        std::int64_t capacity;   // thousandths
        std::int64_t perSecond;  // tokens a second
        std::int64_t level;      // thousandths
    };
    void refill(std::int64_t nowMs);

    struct Waiting {
        std::string bytes;
        std::int64_t cost;
    };
    std::deque<Waiting> queue_;
    Bucket lines_;
    Bucket bytes_;
    std::int64_t lastMs_ = 0;
    bool started_ = false;
};

} // namespace tc::client
