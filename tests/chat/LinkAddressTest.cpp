#include <gtest/gtest.h>

#include "chat/LinkAddress.h"
#include "chat/TextStyles.h"

using namespace tc::chat;

TEST(LinkAddress, WebAddressesOpenFromTheirPrefixWithoutTrailingSpaces) {
    EXPECT_EQ(webAddressForLink("http://example.com/a?b=c "), "http://example.com/a?b=c");
    EXPECT_EQ(webAddressForLink("https://example.com   "), "https://example.com");
    EXPECT_EQ(webAddressForLink("HTTPS://www.example.com "), "HTTPS://www.example.com");
    EXPECT_EQ(webAddressForLink("WWW.Example.com "), "http://WWW.Example.com");
    EXPECT_EQ(webAddressForLink("(www.b.org) "), "http://www.b.org)");
    EXPECT_EQ(webAddressForLink("see:http://x.org"), "http://x.org");
    // The earliest prefix wins.
    EXPECT_EQ(webAddressForLink("www.a.org/http://b "), "http://www.a.org/http://b");
    // Another scheme that merely carries a web address opens only that address.
    EXPECT_EQ(webAddressForLink("javascript:www.x.org"), "http://www.x.org");
}

TEST(LinkAddress, EverythingElseIsRefused) {
    EXPECT_EQ(webAddressForLink("javascript:alert(1) "), std::nullopt);
    EXPECT_EQ(webAddressForLink("file:///etc/passwd "), std::nullopt);
    EXPECT_EQ(webAddressForLink("ftp://example.com"), std::nullopt);
    EXPECT_EQ(webAddressForLink(""), std::nullopt);
    EXPECT_EQ(webAddressForLink("   "), std::nullopt);
    EXPECT_EQ(webAddressForLink("http:// "), std::nullopt);
    EXPECT_EQ(webAddressForLink("www."), std::nullopt);
    EXPECT_EQ(webAddressForLink("http://a\tb"), std::nullopt);
}

TEST(TextStyles, StartValuesAndTheLineRule) {
    TextStyles s;
    EXPECT_EQ(s.entry(0).colour, tc::net::kPureBlue);
    EXPECT_FALSE(s.entry(0).bold);
    EXPECT_EQ(s.entry(4).colour, 0x008000u);
    EXPECT_TRUE(s.entry(4).underline);
    EXPECT_EQ(s.entry(6).colour, 0xC0C0C0u);
    EXPECT_EQ(s.entry(14).colour, 0x80000008u);
    EXPECT_EQ(s.entry(3).italic, true);
    for (int e = 0; e < TextStyles::kCount; ++e) {
        EXPECT_EQ(s.entry(e).size, 10);
        EXPECT_EQ(s.entry(e).font, "Arial");
    }

    EXPECT_TRUE(s.setLineStyle(3, tc::net::kNavy));   // maroon italic -> navy bold
    EXPECT_EQ(s.entry(3).colour, tc::net::kNavy);
    EXPECT_TRUE(s.entry(3).bold);
    EXPECT_FALSE(s.entry(3).italic);
    EXPECT_FALSE(s.setLineStyle(3, tc::net::kNavy));  // same again: no change
    EXPECT_FALSE(s.setLineStyle(15, tc::net::kNavy));
    EXPECT_FALSE(s.setLineStyle(-1, tc::net::kNavy));

    s.setSize(14);
    for (int e = 0; e < TextStyles::kCount; ++e) EXPECT_EQ(s.entry(e).size, 14);
    s.setSize(0);
    EXPECT_EQ(s.size(), TextStyles::kMinSize);
    s.setSize(100000);
    EXPECT_EQ(s.size(), TextStyles::kMaxSize);
}
