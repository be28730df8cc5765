#include "discovery/ServiceName.h"

namespace tc::discovery {

namespace {

// Characters that would steer how a line is drawn rather than be read:
// C0 and C1 controls, DEL, the line and paragraph separators, and the
// bidirectional marks, embeddings, overrides and isolates (a name could
// otherwise turn the rest of its row around).
bool steering(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x061C || c == 0x200E || c == 0x200F ||
           c == 0x2028 || c == 0x2029 || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

void append(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// `utf8` without steering characters; a malformed sequence becomes U+FFFD.
// Spaces trimmed at both ends.
std::string cleaned(std::string_view utf8) {
    std::string out;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        std::size_t len = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
        char32_t c = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
        bool ok = len != 0 && i + len <= utf8.size();
        for (std::size_t k = 1; ok && k < len; ++k) {
            const auto cb = static_cast<unsigned char>(utf8[i + k]);
            if ((cb & 0xC0) != 0x80) ok = false;
            else c = (c << 6) | (cb & 0x3F);
        }
        // Overlong forms, surrogates and values past Unicode are malformed.
        static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
        if (ok && (c < kLeast[len] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)) ok = false;
        if (!ok) {
            append(out, 0xFFFD);
            ++i;
            // Skip the rest of a broken sequence's continuation bytes.
            while (i < utf8.size() && (static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80) ++i;
            continue;
        }
        if (!steering(c)) append(out, c);
        i += len;
    }
    const auto first = out.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    out.erase(0, first);
    out.erase(out.find_last_not_of(' ') + 1);
    return out;
}

} // namespace

std::string serviceNameFor(std::string_view utf8) {
    std::string name = cleaned(utf8);
    if (name.size() > kMaxServiceNameBytes) {
        std::size_t cut = kMaxServiceNameBytes;
        // Never end inside a character: back up over continuation bytes.
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
        name.resize(cut);
        name.erase(name.find_last_not_of(' ') + 1);
    }
    return name.empty() ? "Tilecrest" : name;
}

std::string shownGameName(std::string_view utf8) {
    std::string name = cleaned(utf8);
    return name.empty() ? "?" : name;
}

} // namespace tc::discovery
