#include <gtest/gtest.h>

#include "net/LineFramer.h"
#include "net/Message.h"

using tc::net::LineFramer;

namespace {
std::vector<std::string> feedAll(LineFramer& f, std::initializer_list<std::string> reads, bool* ok = nullptr) {
    std::vector<std::string> out;
    bool all = true;
    for (const auto& r : reads) all = f.feed(r, out) && all;
    if (ok) *ok = all;
    return out;
}
}  // namespace

TEST(LineFramer, SplitsTwoMessagesInOneRead) {
    LineFramer f;
    auto lines = feedAll(f, {"CMD_nextplayer+3\xFF" "CMD_placedice+1+4+2+5+\xFF"});
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "CMD_nextplayer+3");
    EXPECT_EQ(lines[1], "CMD_placedice+1+4+2+5+");
    EXPECT_EQ(f.tailSize(), 0u);
}

TEST(LineFramer, JoinsAMessageSplitOverReads) {
    LineFramer f;
    std::vector<std::string> out;
    EXPECT_TRUE(f.feed("CMD_chat+1+hel", out));
    EXPECT_TRUE(out.empty());
    EXPECT_TRUE(f.feed("lo|clBlack", out));
    EXPECT_TRUE(out.empty());
    EXPECT_TRUE(f.feed("\xFF" "CMD_sl", out));
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0], "CMD_chat+1+hello|clBlack");
    EXPECT_EQ(f.tailSize(), 6u);
}

TEST(LineFramer, EmptyReadsAndEmptyLines) {
    LineFramer f;
    auto lines = feedAll(f, {"", "\xFF\xFF", ""});
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], "");
}

TEST(LineFramer, LoginLineIsFollowedByAnEmptyLine) {
    LineFramer f;
    auto lines = feedAll(f, {"CMD_logininfo+3+1.0.3+Ann\xFF\xFF"});
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "CMD_logininfo+3+1.0.3+Ann");
    EXPECT_EQ(lines[1], "");
}

TEST(LineFramer, RefusesAnOverlongUnterminatedTail) {
    LineFramer f(16);
    std::vector<std::string> out;
    EXPECT_TRUE(f.feed(std::string(16, 'a'), out));
    EXPECT_FALSE(f.feed("a", out));
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(f.tailSize(), 0u);
}

TEST(LineFramer, RefusesAnOverlongLineButKeepsTheLinesBeforeIt) {
    LineFramer f(8);
    std::vector<std::string> out;
    EXPECT_FALSE(f.feed("short\xFF" + std::string(9, 'x') + "\xFF", out));
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0], "short");
}

TEST(LineFramer, AcceptsALineExactlyAtTheCap) {
    LineFramer f(8);
    std::vector<std::string> out;
    EXPECT_TRUE(f.feed(std::string(5, 'x'), out));
    EXPECT_TRUE(f.feed(std::string(3, 'y') + "\xFF", out));
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0], "xxxxxyyy");
}

TEST(Message, FrameAppendsOneTerminator) {
    EXPECT_EQ(tc::net::frame("CMD_full+"), std::string("CMD_full+\xFF"));
    EXPECT_EQ(tc::net::frame("CMD_full+").size(), 10u);
}

TEST(LineFramer, DiscardingSkipsOverlongLinesAndReadsOn) {
    LineFramer f(8, 64);
    std::vector<std::string> out;
    std::size_t dropped = 0;
    // An overlong line between two good ones, and an overlong tail whose
    // end comes in a later read.
    EXPECT_TRUE(f.feedDiscarding("one\xFF" + std::string(9, 'x') + "\xFF" "two\xFF" "abcdefghi", out, dropped));
    EXPECT_EQ(dropped, 2u);
    EXPECT_EQ(f.tailSize(), 0u);
    EXPECT_TRUE(f.feedDiscarding("jkl\xFF" "three\xFF" "12345678", out, dropped));
    EXPECT_EQ(out, (std::vector<std::string>{"one", "two", "three"}));
    EXPECT_EQ(dropped, 2u);
    EXPECT_EQ(f.tailSize(), 8u);  // exactly at the cap is kept
    // The run cap counts every byte since the last 0xFF, skipped ones too.
    EXPECT_TRUE(f.feedDiscarding("\xFF" + std::string(64, 'r'), out, dropped));
    EXPECT_FALSE(f.feedDiscarding("r", out, dropped));
    EXPECT_EQ(f.tailSize(), 0u);
}
