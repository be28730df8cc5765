#pragma once
// Splits one connection's byte stream into lines ended by the byte 0xFF.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tc::net {

inline constexpr char kTerminator = '\xFF';
// Longest line (and longest unterminated tail) a receiver accepts.
inline constexpr std::size_t kMaxLineBytes = 8 * 1024;
// Longest run of bytes without a single 0xFF that a discarding receiver
// sits through before it gives up on the peer.
inline constexpr std::size_t kMaxRunBytes = 1024 * 1024;

class LineFramer {
public:
    explicit LineFramer(std::size_t maxLine = kMaxLineBytes, std::size_t maxRun = kMaxRunBytes)
        : maxLine_(maxLine), maxRun_(maxRun) {}

    // Appends bytes to the unterminated tail and moves every complete line
    // (without its 0xFF) to `out`, in arrival order. Returns false when a
    // line or the remaining tail is longer than the cap; the framer is then
    // spent and the caller must drop the connection. Lines found before the
    // overlong one are still delivered.
    bool feed(std::string_view bytes, std::vector<std::string>& out);

    // The same, but a line or tail longer than the cap is skipped up to and
    // including its 0xFF, whenever that comes, and reading goes on after
    // it: memory stays bounded and the peer keeps its connection. Adds one
    // to `dropped` per skipped line. Returns false only once more than the
    // run cap has arrived without a single 0xFF; the caller should then
    // close the connection.
    bool feedDiscarding(std::string_view bytes, std::vector<std::string>& out, std::size_t& dropped);

    void clear() {
        tail_.clear();
        discarding_ = false;
        run_ = 0;
    }
    std::size_t tailSize() const { return tail_.size(); }

private:
    std::size_t maxLine_;
    std::size_t maxRun_;
    std::string tail_;
    bool discarding_ = false;  // inside a line that is being skipped
    std::size_t run_ = 0;      // bytes since the last 0xFF
};

} // namespace tc::net
