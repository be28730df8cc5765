#pragma once
// Invariant checks of the fuzz targets. A broken invariant is a finding:
// it prints what broke and aborts, so libFuzzer saves the input.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace tc::fuzz {

[[noreturn]] inline void fail(const char* file, int line, const char* what, const std::string& detail) {
    std::fprintf(stderr, "\n==fuzz invariant== %s:%d: %s\n", file, line, what);
    if (!detail.empty()) std::fprintf(stderr, "  %s\n", detail.c_str());
    std::abort();
}

// A check that has found a fault still open in the code can be switched
// off by name while the other checks go on fuzzing:
// TILECREST_FUZZ_SKIP=name,name,...
inline bool skipped(const char* name) {
    const char* list = std::getenv("TILECREST_FUZZ_SKIP");
    if (!list) return false;
    const std::string_view all(list), wanted(name);
    for (std::size_t at = 0; at <= all.size();) {
        std::size_t end = all.find(',', at);
        if (end == std::string_view::npos) end = all.size();
        if (all.substr(at, end - at) == wanted) return true;
        at = end + 1;
    }
    return false;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
inline bool validUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (b < 0x80) { ++i; continue; }
        std::size_t n = 0;
        char32_t cp = 0;
        char32_t min = 0;
        if ((b & 0xE0) == 0xC0) { n = 1; cp = b & 0x1F; min = 0x80; }
        else if ((b & 0xF0) == 0xE0) { n = 2; cp = b & 0x0F; min = 0x800; }
        else if ((b & 0xF8) == 0xF0) { n = 3; cp = b & 0x07; min = 0x10000; }
        else return false;
        if (i + n >= s.size()) return false;  // cut short
        for (std::size_t k = 1; k <= n; ++k) {
            const auto c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (c & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += n + 1;
    }
    return true;
}

// Printable form of bytes for a failure message: hex escapes for
// anything outside plain ASCII.
inline std::string shown(std::string_view s) {
    std::string out;
    for (const char c : s) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b < 0x7F && b != '\\') {
            out += c;
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", b);
            out += buf;
        }
    }
    return out;
}

} // namespace tc::fuzz

#define FUZZ_CHECK(cond, detail) \
    do { \
        if (!(cond)) ::tc::fuzz::fail(__FILE__, __LINE__, #cond, (detail)); \
    } while (0)

// A check with a name that TILECREST_FUZZ_SKIP can switch off.
#define FUZZ_CHECK_NAMED(name, cond, detail) \
    do { \
        if (!(cond) && !::tc::fuzz::skipped(name)) ::tc::fuzz::fail(__FILE__, __LINE__, name ": " #cond, (detail)); \
    } while (0)
