#pragma once
// The pane's 15 text-style entries. Entry 0 is for system lines, 4 for
// links, slot + 5 for the lines of slots 1..9; the rest are never used.
#include <array>

#include "chat/TextStyle.h"

namespace tc::chat {

class TextStyles {
public:
    static constexpr int kCount = 15;

    TextStyles();

    // Entry e (0..14); out-of-range numbers are clamped to entry 0.
    const TextStyle& entry(int e) const;

    // What adding a line does to its entry: the given colour, bold only.
    // Returns true when the entry changed. Refuses (false) e outside 0..14.
    bool setLineStyle(int e, Colour colour);

    static constexpr int kMinSize = 6;
    static constexpr int kMaxSize = 72;

    // Sets the size of all entries at once (Text Size, the settings file),
    // clamped to kMinSize..kMaxSize.
    void setSize(int points);
    int size() const { return entries_[0].size; }

private:
    std::array<TextStyle, kCount> entries_;
};

} // namespace tc::chat
