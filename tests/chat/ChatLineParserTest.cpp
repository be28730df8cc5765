#include <gtest/gtest.h>

#include "chat/ChatLineParser.h"

using namespace tc::chat;

namespace {

using Kind = ChatItem::Kind;

ChatItem text(const std::string& t, int entry, bool para = false) {
    ChatItem i;
    i.text = t;
    i.entry = entry;
    i.newParagraph = para;
    return i;
}
ChatItem linkItem(const std::string& t, int number) {
    ChatItem i;
    i.kind = Kind::Link;
    i.text = t;
    i.entry = 4;
    i.link = number;
    return i;
}
ChatItem picture(int index, int entry) {
    ChatItem i;
    i.kind = Kind::Picture;
    i.entry = entry;
    i.picture = index;
    return i;
}

std::vector<ChatItem> itemsOf(ChatLineParser& p, std::string_view line) {
    auto parsed = p.parse(line);
    EXPECT_TRUE(parsed.has_value()) << line;
    return parsed ? parsed->items : std::vector<ChatItem>{};
}

} // namespace

TEST(ChatLineParser, SystemLineWithoutColonHasEmptyHead) {
    ChatLineParser p;
    auto parsed = p.parse("0+You are Connected.");
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->slot, 0);
    EXPECT_EQ(parsed->entry, 0);
    EXPECT_EQ(parsed->items, (std::vector<ChatItem>{text(" ", 0, true), text("You ", 0), text("are ", 0),
                                                    text("Connected. ", 0)}));
}

TEST(ChatLineParser, EmptyLinesAndEmptyRests) {
    ChatLineParser p;
    EXPECT_EQ(itemsOf(p, "0+"), (std::vector<ChatItem>{text(" ", 0, true)}));
    EXPECT_EQ(itemsOf(p, "4+Dee chats:"), (std::vector<ChatItem>{text("Dee chats: ", 9, true)}));
    EXPECT_EQ(itemsOf(p, "0+Scores:"), (std::vector<ChatItem>{text("Scores: ", 0, true)}));
}

TEST(ChatLineParser, RelayedChatHeadThenSpacesAsWords) {
    ChatLineParser p;
    auto parsed = p.parse("3+Ann chats: hello");
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->entry, 8);
    EXPECT_EQ(parsed->items,
              (std::vector<ChatItem>{text("Ann chats: ", 8, true), text(" ", 8), text("hello ", 8)}));
    // Only the first colon ends the head; later colons are plain text.
    EXPECT_EQ(itemsOf(p, "9+Zed chats: a:b  c"),
              (std::vector<ChatItem>{text("Zed chats: ", 14, true), text(" ", 14), text("a:b ", 14),
                                     text(" ", 14), text("c ", 14)}));
    // The caller cuts "a|b|clRed" at the first "|": the line is just "a".
    EXPECT_EQ(itemsOf(p, "3+Ann chats: a"),
              (std::vector<ChatItem>{text("Ann chats: ", 8, true), text(" ", 8), text("a ", 8)}));
}

TEST(ChatLineParser, SmileyCodesBecomePictures) {
    ChatLineParser p;
    EXPECT_EQ(itemsOf(p, "1+Bob chats: hi :)#12 there"),
              (std::vector<ChatItem>{text("Bob chats: ", 6, true), text(" ", 6), text("hi ", 6), text(" ", 6),
                                     picture(2, 6), text(" ", 6), text("there ", 6)}));
    // Codes outside 10..27 or not numeric show picture 0.
    EXPECT_EQ(itemsOf(p, "2+x::)#99:)#ab:)#27"),
              (std::vector<ChatItem>{text(" ", 7, true), text("x: ", 7), picture(0, 7), text(" ", 7),
                                     picture(0, 7), text(" ", 7), picture(17, 7)}));
    // ":)#1" takes the character after the 1 into the code.
    EXPECT_EQ(itemsOf(p, "0+a: :)#1x"),
              (std::vector<ChatItem>{text("a: ", 0, true), text(" ", 0), text(" ", 0), picture(0, 0)}));
    EXPECT_EQ(itemsOf(p, "0+a: :)#19x"),
              (std::vector<ChatItem>{text("a: ", 0, true), text(" ", 0), text(" ", 0), picture(9, 0),
                                     text("x ", 0)}));
    // A line ending in ":)#" shows picture 0 at its end; so does ":)#1".
    EXPECT_EQ(itemsOf(p, "0+a: end:)#"),
              (std::vector<ChatItem>{text("a: ", 0, true), text(" ", 0), text("end ", 0), picture(0, 0)}));
    EXPECT_EQ(itemsOf(p, "0+a:x:)#1"),
              (std::vector<ChatItem>{text(" ", 0, true), text("a:x ", 0), picture(0, 0)}));
}

TEST(ChatLineParser, SmileyCodeCountsCharactersNotBytes) {
    ChatLineParser p;
    // "é" is two bytes in UTF-8 but one character, as on the wire.
    EXPECT_EQ(itemsOf(p, "0+a::)#1\xC3\xA9z"),
              (std::vector<ChatItem>{text(" ", 0, true), text("a: ", 0), picture(0, 0), text("z ", 0)}));
}

TEST(ChatLineParser, OnlyTheKnownHeadFormsMakeAHead) {
    ChatLineParser p;
    // A smiley's colon is no head: the action keeps its picture.
    EXPECT_EQ(itemsOf(p, "2+Cid waves :)#11"),
              (std::vector<ChatItem>{text(" ", 7, true), text("Cid ", 7), text("waves ", 7), text(" ", 7),
                                     picture(1, 7)}));
    // IPv6 addresses stay whole, in a player's line and in the program's own.
    EXPECT_EQ(itemsOf(p, "3+Ann is at fe80::1"),
              (std::vector<ChatItem>{text(" ", 8, true), text("Ann ", 8), text("is ", 8), text("at ", 8),
                                     text("fe80::1 ", 8)}));
    EXPECT_EQ(itemsOf(p, "3+Ann says: try 2001:db8::1: now"),
              (std::vector<ChatItem>{text("Ann says: ", 8, true), text(" ", 8), text("try ", 8),
                                     text("2001:db8::1: ", 8), text("now ", 8)}));
    EXPECT_EQ(itemsOf(p, "0+Could not connect to fd00::2 port 7772: refused"),
              (std::vector<ChatItem>{text("Could not connect to fd00::2 port 7772: ", 0, true), text(" ", 0),
                                     text("refused ", 0)}));
    // A name holding colons: the head ends at the form, not at the name's colon.
    EXPECT_EQ(itemsOf(p, "4+a:b chats: hi"),
              (std::vector<ChatItem>{text("a:b chats: ", 9, true), text(" ", 9), text("hi ", 9)}));
    EXPECT_EQ(itemsOf(p, "0+a:b: <Chatter Sound> Doh").front(), text("a:b: ", 0, true));
    // A player's line with a colon of its own but no known form has no head.
    EXPECT_EQ(itemsOf(p, "5+Eve: hi"), (std::vector<ChatItem>{text(" ", 10, true), text("Eve: ", 10), text("hi ", 10)}));
}

TEST(ChatLineParser, LinksAreNumberedFromTheCounter) {
    ChatLineParser p;
    EXPECT_EQ(p.linkCounter(), -1);
    EXPECT_EQ(itemsOf(p, "5+Eve chats: see WWW.Example.com now"),
              (std::vector<ChatItem>{text("Eve chats: ", 10, true), text(" ", 10), text("see ", 10),
                                     linkItem("WWW.Example.com ", 0), text("now ", 10)}));
    EXPECT_EQ(itemsOf(p, "5+Eve chats: http://a.org (www.b.org)"),
              (std::vector<ChatItem>{text("Eve chats: ", 10, true), text(" ", 10), linkItem("http://a.org ", 1),
                                     linkItem("(www.b.org) ", 2)}));
    EXPECT_EQ(p.linkCounter(), 2);
    EXPECT_EQ(p.linkurls(0), "WWW.Example.com ");
    EXPECT_EQ(p.linkurls(1), "http://a.org ");
    EXPECT_EQ(p.linkurls(2), "(www.b.org) ");
    EXPECT_EQ(p.linkurls(3), std::nullopt);
    EXPECT_EQ(p.linkurls(-1), std::nullopt);

    p.clearLinks();
    EXPECT_EQ(p.linkCounter(), -1);
    EXPECT_EQ(p.linkurls(0), std::nullopt);
    EXPECT_EQ(itemsOf(p, "0+go: HTTP://c.net"),
              (std::vector<ChatItem>{text("go: ", 0, true), text(" ", 0), linkItem("HTTP://c.net ", 0)}));
    EXPECT_EQ(p.linkurls(0), "HTTP://c.net ");
}

TEST(ChatLineParser, AnAddressAtTheStartOfALineIsALinkNotAHead) {
    ChatLineParser p;
    EXPECT_EQ(itemsOf(p, "0+http://x.org"),
              (std::vector<ChatItem>{text(" ", 0, true), linkItem("http://x.org ", 0)}));
    EXPECT_EQ(p.linkCounter(), 0);
}

TEST(ChatLineParser, IslinkRule) {
    EXPECT_TRUE(islink("http://x "));
    EXPECT_TRUE(islink("WWW.x"));
    EXPECT_TRUE(islink("(www.x)"));
    EXPECT_TRUE(islink("xhttp://"));
    EXPECT_FALSE(islink("https://secure.example.com"));
    EXPECT_FALSE(islink("ftp://x"));
    EXPECT_FALSE(islink("www"));
}

TEST(ChatLineParser, ForgottenLinksKeepTheNumbering) {
    ChatLineParser p;
    itemsOf(p, "0+a: www.a www.b www.c");
    p.forgetLinksBefore(2);
    EXPECT_EQ(p.linkurls(0), std::nullopt);
    EXPECT_EQ(p.linkurls(1), std::nullopt);
    EXPECT_EQ(p.linkurls(2), "www.c ");
    itemsOf(p, "0+a: www.d");
    EXPECT_EQ(p.linkurls(3), "www.d ");
}

TEST(ChatLineParser, RefusesBadSlotFields) {
    ChatLineParser p;
    for (const char* bad : {"x+hello", "+hello", "10+hi", "-1+hi", "hello", "1 +hi", " 1+hi", "", "3", "+7+ok"}) {
        EXPECT_FALSE(p.parse(bad).has_value()) << bad;
    }
    // A refused line stores no links.
    EXPECT_FALSE(p.parse("12+see www.x.org").has_value());
    EXPECT_EQ(p.linkCounter(), -1);
    EXPECT_EQ(p.parse("9+ok")->entry, 14);
    EXPECT_EQ(p.parse("1+ok")->entry, 6);
}
