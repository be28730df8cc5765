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

class LineFramer {
public:
    explicit LineFramer(std::size_t maxLine = kMaxLineBytes) : maxLine_(maxLine) {}

    // Appends bytes to the unterminated tail and moves every complete line
    // (without its 0xFF) to `out`, in arrival order. Returns false when a
    // line or the remaining tail is longer than the cap; the framer is then
    // spent and the caller must drop the connection. Lines found before the
    // overlong one are still delivered.
    bool feed(std::string_view bytes, std::vector<std::string>& out);

    void clear() { tail_.clear(); }
    std::size_t tailSize() const { return tail_.size(); }

private:
    std::size_t maxLine_;
    std::string tail_;
};

} // namespace tc::net
