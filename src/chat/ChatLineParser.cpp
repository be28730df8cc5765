#include "chat/ChatLineParser.h"

namespace tc::chat {
namespace {

std::string asciiLower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// Byte length of the UTF-8 character starting at s[i]; a stray byte counts
// as one character.
std::size_t charLength(std::string_view s, std::size_t i) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t n = 1;
    if (b >= 0xF0 && b < 0xF8) n = 4;
    else if (b >= 0xE0) n = (b < 0xF0) ? 3 : 1;
    else if (b >= 0xC0) n = 2;
    if (i + n > s.size()) return s.size() - i;
    for (std::size_t k = 1; k < n; ++k)
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 1;
    return n;
}

bool readSlot(std::string_view text, int& slot) {
    std::size_t i = 0;
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        i = 1;
    }
    if (i == text.size()) return false;
    long value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + (text[i] - '0');
        if (value > 1000) return false;  // far outside any slot already
    }
    slot = static_cast<int>(negative ? -value : value);
    return true;
}

int smileyIndex(std::string_view code) {
    if (code.size() != 2 || code[0] < '0' || code[0] > '9' || code[1] < '0' || code[1] > '9')
        return 0;
    const int n = (code[0] - '0') * 10 + (code[1] - '0');
    return (n >= 10 && n <= 27) ? n - 10 : 0;
}

// A colon that ends a head is followed by a space or ends the text; one
// inside a word (an IPv6 address, a time, "http:") never does.
bool endsHead(std::string_view text, std::size_t colon) {
    return colon + 1 == text.size() || text[colon + 1] == ' ';
}

} // namespace

std::size_t headLength(std::string_view text, int slot) {
    if (slot == 0) {
        // The program's own lines: "Rudi the bot says:", "Ann: <Chatter
        // Sound> Doh", "Could not connect to ... port 7772:".
        for (std::size_t c = text.find(':'); c != std::string_view::npos; c = text.find(':', c + 1))
            if (endsHead(text, c)) return c + 1;
        return 0;
    }
    // A player's line: the relay's "NAME chats:" or a phrase's "NAME says:".
    std::size_t best = std::string_view::npos;
    for (std::string_view form : {std::string_view(" chats:"), std::string_view(" says:")}) {
        for (std::size_t at = text.find(form); at != std::string_view::npos; at = text.find(form, at + 1)) {
            const std::size_t end = at + form.size();
            if (endsHead(text, end - 1)) {
                if (best == std::string_view::npos || end < best) best = end;
                break;
            }
        }
    }
    return best == std::string_view::npos ? 0 : best;
}

bool islink(std::string_view word) {
    const std::string l = asciiLower(word);
    return l.find("http://") != std::string::npos || l.find("www.") != std::string::npos;
}

int entryForSlot(int slot) {
    if (slot == 0) return 0;
    if (slot >= 1 && slot <= 9) return slot + 5;
    return -1;
}

std::optional<ParsedLine> ChatLineParser::parse(std::string_view line) {
    const std::size_t plus = line.find('+');
    if (plus == std::string_view::npos) return std::nullopt;
    int slot = 0;
    if (!readSlot(line.substr(0, plus), slot)) return std::nullopt;
    const int entry = entryForSlot(slot);
    if (entry < 0) return std::nullopt;

    ParsedLine out;
    out.slot = slot;
    out.entry = entry;

    const std::string_view text = line.substr(plus + 1);
    const std::string_view head = text.substr(0, headLength(text, slot));
    std::string_view rest = text.substr(head.size());

    ChatItem first;
    first.text = std::string(head) + " ";
    first.entry = entry;
    first.newParagraph = true;
    out.items.push_back(std::move(first));

    for (std::size_t at = rest.find(":)#"); at != std::string_view::npos; at = rest.find(":)#")) {
        const std::string_view before = rest.substr(0, at);
        std::size_t codeEnd = at + 3;
        for (int k = 0; k < 2 && codeEnd < rest.size(); ++k)
            codeEnd += charLength(rest, codeEnd);
        const std::string_view code = rest.substr(at + 3, codeEnd - (at + 3));
        rest = rest.substr(codeEnd);

        addWords(std::string(before) + " ", entry, out.items);
        ChatItem picture;
        picture.kind = ChatItem::Kind::Picture;
        picture.entry = entry;
        picture.picture = smileyIndex(code);
        out.items.push_back(std::move(picture));
    }
    if (!rest.empty()) addWords(std::string(rest) + " ", entry, out.items);
    return out;
}

void ChatLineParser::addWords(std::string_view chunk, int entry, std::vector<ChatItem>& out) {
    while (!chunk.empty()) {
        const std::size_t space = chunk.find(' ');
        const std::size_t len = space == std::string_view::npos ? chunk.size() : space + 1;
        ChatItem item;
        item.text = std::string(chunk.substr(0, len));
        chunk.remove_prefix(len);
        if (islink(item.text)) {
            item.kind = ChatItem::Kind::Link;
            item.entry = kLinkEntry;
            item.link = ++linkCounter_;
            linkurls_.push_back(item.text);
        } else {
            item.entry = entry;
        }
        out.push_back(std::move(item));
    }
}

std::optional<std::string> ChatLineParser::linkurls(int k) const {
    if (k < firstKept_ || k > linkCounter_) return std::nullopt;
    return linkurls_[static_cast<std::size_t>(k - firstKept_)];
}

void ChatLineParser::clearLinks() {
    linkurls_.clear();
    linkCounter_ = -1;
    firstKept_ = 0;
}

void ChatLineParser::forgetLinksBefore(int k) {
    while (firstKept_ < k && !linkurls_.empty()) {
        linkurls_.pop_front();
        ++firstKept_;
    }
}

} // namespace tc::chat
