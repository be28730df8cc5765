#pragma once
// Which web address a clicked chat link may open.
#include <optional>
#include <string>
#include <string_view>

namespace tc::chat {

// Takes a link's stored address (the word as shown, trailing space and
// all) and returns the URL to hand to the system: the word from its first
// "http://", "https://" or "www." (any case) on, trailing spaces removed,
// with "http://" put in front of a "www." address. Refuses (nullopt) a word
// with none of those prefixes, with nothing after the prefix, or with a
// control character, so no other scheme and no local file is ever opened.
std::optional<std::string> webAddressForLink(std::string_view address);

} // namespace tc::chat
