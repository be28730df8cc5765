#include "net/Text.h"

#include <vector>

namespace tc::net {

namespace {
TextHooks hooks;
}

void setTextHooks(const TextHooks& h) { hooks = h; }

std::string translate(const char* context, const char* source) {
    if (hooks.translate) return hooks.translate(context, source);
    return source;
}

std::string upperText(const std::string& text) {
    if (hooks.upper) return hooks.upper(text);
    std::string out = text;
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::string fillText(std::string_view pattern, std::initializer_list<std::string_view> args) {
    const std::vector<std::string_view> list(args);
    std::string out;
    out.reserve(pattern.size() + 32);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size()) {
            const char next = pattern[i + 1];
            if (next == '%') {
                out += '%';
                ++i;
                continue;
            }
            if (next >= '1' && next <= '9' && static_cast<std::size_t>(next - '1') < list.size()) {
                out += list[static_cast<std::size_t>(next - '1')];
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

} // namespace tc::net
