#pragma once
// A chat line cut into items, with the text-style entry the line sets.
#include <vector>

#include "chat/ChatItem.h"

namespace tc::chat {

struct ParsedLine {
    int slot = 0;   // 0..9
    int entry = 0;  // slot + 5, or 0 for a system line
    std::vector<ChatItem> items;
};

} // namespace tc::chat
