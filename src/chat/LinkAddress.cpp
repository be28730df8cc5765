#include "chat/LinkAddress.h"

#include <array>

namespace tc::chat {

std::optional<std::string> webAddressForLink(std::string_view address) {
    std::string lower(address);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');

    constexpr std::array<std::string_view, 3> kPrefixes = {"http://", "https://", "www."};
    std::size_t start = std::string::npos;
    std::size_t prefixLength = 0;
    for (const auto p : kPrefixes) {
        const std::size_t at = lower.find(p);
        if (at < start) {
            start = at;
            prefixLength = p.size();
        }
    }
    if (start == std::string::npos) return std::nullopt;

    std::string url(address.substr(start));
    while (!url.empty() && url.back() == ' ') url.pop_back();
    if (url.size() <= prefixLength) return std::nullopt;
    for (const char c : url) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F) return std::nullopt;
    }
    if (lower.compare(start, 4, "www.") == 0) url.insert(0, "http://");
    return url;
}

} // namespace tc::chat
