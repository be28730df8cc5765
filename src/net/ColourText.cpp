#include "net/Colour.h"

#include <array>
#include <cstdio>

namespace tc::net {
namespace {

struct NamedColour {
    std::string_view name;
    Colour value;
};

constexpr std::array<NamedColour, 42> kNames = {{
    {"clBlack", 0x000000},   {"clMaroon", 0x000080},  {"clGreen", 0x008000},
    {"clOlive", 0x008080},   {"clNavy", 0x800000},    {"clPurple", 0x800080},
    {"clTeal", 0x808000},    {"clGray", 0x808080},    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},     {"clLime", 0x00FF00},    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},    {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},   {"clNone", 0x1FFFFFFF},
    {"clScrollBar", 0x80000000},
    {"clBackground", 0x80000001},
    {"clActiveCaption", 0x80000002},
    {"clInactiveCaption", 0x80000003},
    {"clMenu", 0x80000004},
    {"clWindow", 0x80000005},
    {"clWindowFrame", 0x80000006},
    {"clMenuText", 0x80000007},
    {"clWindowText", 0x80000008},
    {"clCaptionText", 0x80000009},
    {"clActiveBorder", 0x8000000A},
    {"clInactiveBorder", 0x8000000B},
    {"clAppWorkSpace", 0x8000000C},
    {"clHighlight", 0x8000000D},
    {"clHighlightText", 0x8000000E},
    {"clBtnFace", 0x8000000F},
    {"clBtnShadow", 0x80000010},
    {"clGrayText", 0x80000011},
    {"clBtnText", 0x80000012},
    {"clInactiveCaptionText", 0x80000013},
    {"clBtnHighlight", 0x80000014},
    {"cl3DDkShadow", 0x80000015},
    {"cl3DLight", 0x80000016},
    {"clInfoText", 0x80000017},
    {"clInfoBk", 0x80000018},
}};

// What each system colour looks like on a stock desktop; there is no
// screen-element colour to ask for in a portable core.
constexpr std::array<Colour, 25> kSystemDefaults = {
    rgb(200, 200, 200), // scroll bar
    rgb(0, 0, 0),       // background (desktop)
    rgb(153, 180, 209), // active caption
    rgb(191, 205, 219), // inactive caption
    rgb(240, 240, 240), // menu
    rgb(255, 255, 255), // window
    rgb(100, 100, 100), // window frame
    rgb(0, 0, 0),       // menu text
    rgb(0, 0, 0),       // window text
    rgb(0, 0, 0),       // caption text
    rgb(180, 180, 180), // active border
    rgb(244, 247, 252), // inactive border
    rgb(171, 171, 171), // app workspace
    rgb(0, 120, 215),   // highlight
    rgb(255, 255, 255), // highlight text
    rgb(240, 240, 240), // button face
    rgb(160, 160, 160), // button shadow
    rgb(109, 109, 109), // grey text
    rgb(0, 0, 0),       // button text
    rgb(0, 0, 0),       // inactive caption text
    rgb(255, 255, 255), // button highlight
    rgb(105, 105, 105), // 3D dark shadow
    rgb(227, 227, 227), // 3D light
    rgb(0, 0, 0),       // info text
    rgb(255, 255, 225), // info background
};

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = lower(c);
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

} // namespace

std::string colourToText(Colour c) {
    for (const auto& n : kNames)
        if (n.value == c) return std::string(n.name);
    char buf[16];
    std::snprintf(buf, sizeof buf, "$%08X", static_cast<unsigned>(c));
    return buf;
}

bool textToColour(std::string_view text, Colour& out) {
    for (const auto& n : kNames) {
        if (equalsNoCase(n.name, text)) {
            out = n.value;
            return true;
        }
    }
    if (text.empty()) return false;
    if (text[0] == '$') {
        // Hex form: any number of digits as long as the value fits 32 bits.
        if (text.size() == 1) return false;
        std::uint64_t v = 0;
        for (std::size_t i = 1; i < text.size(); ++i) {
            const int d = hexDigit(text[i]);
            if (d < 0) return false;
            v = v * 16 + static_cast<unsigned>(d);
            if (v > 0xFFFFFFFFull) return false;
        }
        out = static_cast<Colour>(v);
        return true;
    }
    // Decimal: an optional sign, then digits, within the range of a 32-bit
    // signed integer; a negative value keeps its two's-complement bits.
    std::size_t i = 0;
    bool negative = false;
    if (text[0] == '-' || text[0] == '+') {
        negative = text[0] == '-';
        i = 1;
    }
    if (i == text.size()) return false;
    std::int64_t v = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        v = v * 10 + (text[i] - '0');
        if (v > 2147483648LL) return false;
    }
    if (negative) v = -v;
    if (v > 2147483647LL) return false;
    out = static_cast<Colour>(static_cast<std::uint32_t>(static_cast<std::int32_t>(v)));
    return true;
}

Colour displayColour(Colour c) {
    if ((c & 0xFF000000u) == 0x80000000u) {
        const Colour index = c & 0x00FFFFFFu;
        return index < kSystemDefaults.size() ? kSystemDefaults[index] : kBlack;
    }
    return c & 0x00FFFFFFu;
}

} // namespace tc::net
