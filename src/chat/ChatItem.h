#pragma once
// One item of the chat pane: a run of text in a text-style entry, a link
// (text in entry 4 with a link number), or a smiley picture.
#include <string>

namespace tc::chat {

struct ChatItem {
    enum class Kind { Text, Link, Picture };

    Kind kind = Kind::Text;
    std::string text;      // UTF-8; empty for a picture
    int entry = 0;         // text-style entry (0..14); 4 for links
    int link = -1;         // link number, links only
    int picture = 0;       // smiley index 0..17, pictures only
    bool newParagraph = false;

    bool operator==(const ChatItem&) const = default;
};

} // namespace tc::chat
