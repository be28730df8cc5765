// The chat-line parser on arbitrary lines, the colour text both ways and
// the link-address check.
//
// Input: a byte of set-up (how many links to forget after the lines, and
// how to cut the rest), four bytes of colour, then the lines, separated by
// 0x0A.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "chat/ChatLineParser.h"
#include "net/Colour.h"
#include "chat/LinkAddress.h"

namespace {

using tc::chat::ChatItem;
using tc::chat::ChatLineParser;
using tc::net::Colour;
using tc::fuzz::FuzzInput;
using tc::fuzz::shown;

// A link opens only as an http or https address without control characters.
void checkAddress(std::string_view word) {
    const auto url = tc::chat::webAddressForLink(word);
    if (!url) return;
    std::string lower = url->substr(0, 8);
    for (char& ch : lower)
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
    FUZZ_CHECK(lower.rfind("http://", 0) == 0 || lower.rfind("https://", 0) == 0,
               "opened address of another scheme: " + shown(*url));
    FUZZ_CHECK(url->size() > (lower.rfind("https://", 0) == 0 ? 8u : 7u), "opened an empty address");
    for (const char c : *url) {
        const auto b = static_cast<unsigned char>(c);
        FUZZ_CHECK(b >= 0x20 && b != 0x7F, "control character in an opened address: " + shown(*url));
    }
}

void checkLine(ChatLineParser& parser, std::string_view line) {
    const int before = parser.linkCounter();
    const auto parsed = parser.parse(line);
    if (!parsed) {
        FUZZ_CHECK(parser.linkCounter() == before, "a refused line added links: " + shown(line));
        return;
    }
    FUZZ_CHECK(parsed->slot >= 0 && parsed->slot <= 9, "slot " + std::to_string(parsed->slot));
    FUZZ_CHECK(parsed->entry == tc::chat::entryForSlot(parsed->slot), "entry of the line");
    FUZZ_CHECK(!parsed->items.empty() && parsed->items.front().newParagraph, "no head item");
    int next = before + 1;
    for (std::size_t i = 0; i < parsed->items.size(); ++i) {
        const ChatItem& item = parsed->items[i];
        FUZZ_CHECK(i == 0 || !item.newParagraph, "a second paragraph in one line");
        FUZZ_CHECK(item.entry >= 0 && item.entry < 15, "entry " + std::to_string(item.entry));
        switch (item.kind) {
        case ChatItem::Kind::Text:
            FUZZ_CHECK(item.entry == parsed->entry, "text item in a foreign entry");
            break;
        case ChatItem::Kind::Link: {
            FUZZ_CHECK(item.entry == ChatLineParser::kLinkEntry, "link entry");
            FUZZ_CHECK(item.link == next, "link numbers out of order");
            ++next;
            const auto stored = parser.linkurls(item.link);
            FUZZ_CHECK(stored && *stored == item.text, "stored link differs: " + shown(item.text));
            FUZZ_CHECK(tc::chat::islink(item.text), "a link that is no link");
            checkAddress(item.text);
            break;
        }
        case ChatItem::Kind::Picture:
            FUZZ_CHECK(item.picture >= 0 && item.picture <= 17, "smiley " + std::to_string(item.picture));
            FUZZ_CHECK(item.text.empty(), "picture with text");
            break;
        }
    }
    FUZZ_CHECK(parser.linkCounter() == next - 1, "link counter does not match the links given");
}

// Written text must read back to the same value, and any text that reads
// must write to a text that reads back the same.
void checkColour(Colour c) {
    const std::string text = tc::net::colourToText(c);
    Colour back = 0;
    FUZZ_CHECK(tc::net::textToColour(text, back), "written colour does not read: " + text);
    FUZZ_CHECK(back == c, "colour " + std::to_string(c) + " read back as " + std::to_string(back) + " via " + text);
    (void)tc::net::displayColour(c);
}

void checkColourText(std::string_view text) {
    Colour c = 0;
    if (!tc::net::textToColour(text, c)) return;
    checkColour(c);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const std::uint8_t setup = in.byte();
    checkColour(in.u32());

    ChatLineParser parser;
    std::string_view all = in.rest();
    checkColourText(all);
    checkLine(parser, all);
    for (std::size_t start = 0; start <= all.size();) {
        std::size_t end = all.find('\n', start);
        if (end == std::string_view::npos) end = all.size();
        const std::string_view line = all.substr(start, end - start);
        checkLine(parser, line);
        checkColourText(line);
        // Colour text as a received chat line carries it: after the first "|".
        if (const auto bar = line.find('|'); bar != std::string_view::npos) checkColourText(line.substr(bar + 1));
        checkAddress(line);
        start = end + 1;
    }

    // Lines leave the pane from the top: older links are forgotten, the
    // numbering stays, and every number still kept reads back.
    const int forget = setup % 8;
    parser.forgetLinksBefore(forget);
    for (int k = -1; k <= parser.linkCounter() + 1; ++k) {
        const auto url = parser.linkurls(k);
        if (k < forget || k < 0 || k > parser.linkCounter())
            FUZZ_CHECK(!url, "forgotten or unknown link " + std::to_string(k) + " still reads");
        else
            FUZZ_CHECK(url.has_value(), "kept link " + std::to_string(k) + " lost");
    }
    checkLine(parser, "1+see www.example.com now");
    parser.clearLinks();
    FUZZ_CHECK(parser.linkCounter() == -1 && !parser.linkurls(0), "links after clearing");
    return 0;
}
