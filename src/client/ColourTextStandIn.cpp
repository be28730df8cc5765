// Colour text for builds in which the chat library does not provide it yet
// (CMakeLists.txt compiles this file only then). It knows the sixteen named
// colours and clNone, "$" hex and decimal; the chat library's version also
// knows the system colours and replaces this file.
#include <array>
#include <cctype>
#include <cstdio>
#include <string>

#include "chat/Colour.h"
#include "net/Fields.h"

namespace tc::chat {
namespace {

struct Named {
    const char* name;
    Colour value;
};

constexpr std::array<Named, 17> kNamed = {{
    {"clBlack", 0x000000}, {"clMaroon", 0x000080}, {"clGreen", 0x008000}, {"clOlive", 0x008080},
    {"clNavy", 0x800000},  {"clPurple", 0x800080}, {"clTeal", 0x808000},  {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF},   {"clLime", 0x00FF00},  {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},  {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00}, {"clWhite", 0xFFFFFF},
    {"clNone", 0x1FFFFFFF},
}};

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace

std::string colourToText(Colour c) {
    for (const Named& n : kNamed)
        if (n.value == c) return n.name;
    char buf[16];
    std::snprintf(buf, sizeof buf, "$%08X", static_cast<unsigned>(c));
    return buf;
}

bool textToColour(std::string_view text, Colour& out) {
    for (const Named& n : kNamed)
        if (sameIgnoringCase(text, n.name)) {
            out = n.value;
            return true;
        }
    if (!text.empty() && text.front() == '$') {
        const std::string_view hex = text.substr(1);
        if (hex.empty() || hex.size() > 8) return false;
        Colour v = 0;
        for (char ch : hex) {
            const int d = std::isdigit(static_cast<unsigned char>(ch)) ? ch - '0'
                          : (ch >= 'a' && ch <= 'f')                   ? ch - 'a' + 10
                          : (ch >= 'A' && ch <= 'F')                   ? ch - 'A' + 10
                                                                       : -1;
            if (d < 0) return false;
            v = (v << 4) | static_cast<Colour>(d);
        }
        out = v;
        return true;
    }
    int v = 0;
    if (!net::tryToInt(text, v)) return false;
    out = static_cast<Colour>(v);
    return true;
}

Colour displayColour(Colour c) { return c; }

} // namespace tc::chat
