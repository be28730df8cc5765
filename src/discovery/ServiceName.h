#pragma once
// The name a game is announced under: the host's player name as a DNS-SD
// instance name (UTF-8, at most 63 bytes, no control characters). Avahi
// gives a clashing name its own alternative ("Ann #2").
#include <string>
#include <string_view>

namespace tc::discovery {

inline constexpr std::size_t kMaxServiceNameBytes = 63;

// `utf8` cleaned: control and bidirectional-control characters dropped,
// spaces trimmed, cut at 63 bytes on a character boundary; "Tilecrest"
// when nothing is left.
std::string serviceNameFor(std::string_view utf8);

// A name found on the network as the list shows it: control and
// bidirectional-control characters dropped (another machine chooses the
// name), malformed UTF-8 as U+FFFD, spaces trimmed; "?" when nothing is left.
std::string shownGameName(std::string_view utf8);

} // namespace tc::discovery
