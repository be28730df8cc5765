#pragma once
// The computer player's remarks: answers to chat while it sits alone with
// one person at the table.
#include <string_view>

namespace tc::client {

inline constexpr int kBotRemarkCount = 26;

// Remark `index` (0..25) exactly as the bot says it; "" outside that range.
std::string_view botRemark(int index);

} // namespace tc::client
