#pragma once
// Colours as the program writes them: 0x00BBGGRR (red in the low byte),
// plus the named constants of the colour text.
#include <cstdint>
#include <string>
#include <string_view>

namespace tc::net {

using Colour = std::uint32_t;

constexpr Colour rgb(int r, int g, int b) {
    return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}
constexpr int red(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int green(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int blue(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kRed = 0x0000FF;       // clRed
inline constexpr Colour kPureBlue = 0xFF0000;  // clBlue, the system lines' colour
inline constexpr Colour kNavy = 0x800000;      // clNavy

// Colour text. Writing: the constant's name ("clBlack") when the value is
// one of the named colours, else "$" and eight upper-case hex digits.
std::string colourToText(Colour c);
// Reading: a colour name (any case), a decimal integer or "$" and hex
// digits. Returns false when the text does not read.
bool textToColour(std::string_view text, Colour& out);

// System colours (0x80000000..0x80000018) stand for a screen element's
// colour; this maps them (and clNone) to something drawable.
Colour displayColour(Colour c);

} // namespace tc::net
