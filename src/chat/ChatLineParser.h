#pragma once
// Cuts a chat line ("slot+text") into pane items and keeps the pane's link
// table. Text is UTF-8 throughout.
#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "chat/ParsedLine.h"

namespace tc::chat {

// True when the word, in lower case, contains "http://" or "www.".
bool islink(std::string_view word);

// Bytes of `text` (a chat line after its "slot+") that form its head, 0 for
// none. A head is one of the known forms, ending in a colon followed by a
// space or by the end of the text: for a player's line (slot 1..9) the
// relay's "NAME chats:" or a phrase's "NAME says:"; for a system line
// (slot 0) its text up to the first such colon. Other colons (an IPv6
// address, a smiley code, "http:") never start a head.
std::size_t headLength(std::string_view text, int slot);

// Text-style entry of a slot: slot + 5 for 1..9, 0 for 0; -1 outside 0..9.
int entryForSlot(int slot);

class ChatLineParser {
public:
    static constexpr int kLinkEntry = 4;

    // Parses one line. The first item is the head (headLength) plus one
    // space and starts a new paragraph; the rest is
    // cut into words (each keeps its trailing space), links and smileys.
    // Links found are numbered from the link counter on and their
    // addresses stored. Refused (nullopt, nothing stored) when the line has
    // no "+" or the slot before it is not a decimal integer in 0..9.
    std::optional<ParsedLine> parse(std::string_view line);

    // The link counter: number of the last link added, -1 for none.
    int linkCounter() const { return linkCounter_; }

    // The address of link k as it was shown (with its trailing space);
    // nullopt for a number never given or already forgotten.
    std::optional<std::string> linkurls(int k) const;

    // Clear Chat: no links, the counter back to -1.
    void clearLinks();

    // Forgets the addresses of links numbered below k (their lines left the
    // pane); numbering goes on unchanged.
    void forgetLinksBefore(int k);

private:
    void addWords(std::string_view chunk, int entry, std::vector<ChatItem>& out);

    int linkCounter_ = -1;
    int firstKept_ = 0;               // link number of linkurls_.front()
    std::deque<std::string> linkurls_;
};

} // namespace tc::chat
