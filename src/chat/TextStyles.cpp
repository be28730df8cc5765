#include "chat/TextStyles.h"

namespace tc::chat {

TextStyles::TextStyles() {
    constexpr Colour kGreen = 0x008000;
    constexpr Colour kMaroon = 0x000080;
    constexpr Colour kSilver = 0xC0C0C0;
    constexpr Colour kWindowText = 0x80000008;
    auto set = [this](int e, Colour c, bool b, bool i, bool u) {
        entries_[e].colour = c;
        entries_[e].bold = b;
        entries_[e].italic = i;
        entries_[e].underline = u;
    };
    set(0, net::kPureBlue, false, false, false);
    set(1, net::kPureBlue, true, false, false);
    set(2, net::kNavy, true, false, false);
    set(3, kMaroon, false, true, false);
    set(4, kGreen, false, false, true);
    set(5, kGreen, false, false, true);
    set(6, kSilver, false, false, false);
    set(7, kSilver, false, false, false);
    for (int e = 8; e < kCount; ++e) set(e, kWindowText, false, false, false);
}

const TextStyle& TextStyles::entry(int e) const {
    return entries_[(e >= 0 && e < kCount) ? static_cast<std::size_t>(e) : 0];
}

bool TextStyles::setLineStyle(int e, Colour colour) {
    if (e < 0 || e >= kCount) return false;
    TextStyle& s = entries_[static_cast<std::size_t>(e)];
    const TextStyle before = s;
    s.colour = colour;
    s.bold = true;
    s.italic = false;
    s.underline = false;
    return !(s == before);
}

void TextStyles::setSize(int points) {
    // The size may come from the settings file; keep it readable.
    if (points < kMinSize) points = kMinSize;
    if (points > kMaxSize) points = kMaxSize;
    for (auto& s : entries_) s.size = points;
}

} // namespace tc::chat
