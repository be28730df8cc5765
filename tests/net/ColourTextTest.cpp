#include <gtest/gtest.h>

#include "net/Colour.h"

using namespace tc::net;

namespace {
struct Named {
    const char* name;
    Colour value;
};
const Named kAll[] = {
    {"clBlack", 0x000000}, {"clMaroon", 0x000080}, {"clGreen", 0x008000}, {"clOlive", 0x008080},
    {"clNavy", 0x800000}, {"clPurple", 0x800080}, {"clTeal", 0x808000}, {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF}, {"clLime", 0x00FF00}, {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000}, {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00}, {"clWhite", 0xFFFFFF},
    {"clNone", 0x1FFFFFFF},
    {"clScrollBar", 0x80000000}, {"clBackground", 0x80000001}, {"clActiveCaption", 0x80000002},
    {"clInactiveCaption", 0x80000003}, {"clMenu", 0x80000004}, {"clWindow", 0x80000005},
    {"clWindowFrame", 0x80000006}, {"clMenuText", 0x80000007}, {"clWindowText", 0x80000008},
    {"clCaptionText", 0x80000009}, {"clActiveBorder", 0x8000000A}, {"clInactiveBorder", 0x8000000B},
    {"clAppWorkSpace", 0x8000000C}, {"clHighlight", 0x8000000D}, {"clHighlightText", 0x8000000E},
    {"clBtnFace", 0x8000000F}, {"clBtnShadow", 0x80000010}, {"clGrayText", 0x80000011},
    {"clBtnText", 0x80000012}, {"clInactiveCaptionText", 0x80000013}, {"clBtnHighlight", 0x80000014},
    {"cl3DDkShadow", 0x80000015}, {"cl3DLight", 0x80000016}, {"clInfoText", 0x80000017},
    {"clInfoBk", 0x80000018},
};
} // namespace

TEST(ColourText, EveryNamedColourWritesAndReadsByItsName) {
    for (const auto& n : kAll) {
        EXPECT_EQ(colourToText(n.value), n.name);
        Colour c = 0x12345678;
        ASSERT_TRUE(textToColour(n.name, c)) << n.name;
        EXPECT_EQ(c, n.value) << n.name;
    }
}

TEST(ColourText, OtherColoursWriteAsDollarAndEightUpperCaseHexDigits) {
    EXPECT_EQ(colourToText(rgb(255, 128, 0)), "$000080FF");
    EXPECT_EQ(colourToText(0x00ABCDEF), "$00ABCDEF");
    EXPECT_EQ(colourToText(0x80000019), "$80000019");
    EXPECT_EQ(colourToText(0x00000001), "$00000001");
}

TEST(ColourText, ReadingIgnoresCaseOfNamesButNeedsThePrefix) {
    Colour c = 0;
    ASSERT_TRUE(textToColour("clblack", c));
    EXPECT_EQ(c, 0x000000u);
    ASSERT_TRUE(textToColour("CLNAVY", c));
    EXPECT_EQ(c, kNavy);
    ASSERT_TRUE(textToColour("Cl3ddKSHADOW", c));
    EXPECT_EQ(c, 0x80000015u);
    c = 7;
    EXPECT_FALSE(textToColour("purple", c));
    EXPECT_FALSE(textToColour("clPurple ", c));
    EXPECT_FALSE(textToColour("b|clRed", c));
    EXPECT_FALSE(textToColour("", c));
    EXPECT_EQ(c, 7u);  // untouched by a failed read
}

TEST(ColourText, ReadsDecimalAndHexIntegers) {
    Colour c = 0;
    ASSERT_TRUE(textToColour("$000080FF", c));
    EXPECT_EQ(c, rgb(255, 128, 0));
    ASSERT_TRUE(textToColour("$ff", c));
    EXPECT_EQ(c, 0xFFu);
    ASSERT_TRUE(textToColour("$FFFFFFFF", c));
    EXPECT_EQ(c, 0xFFFFFFFFu);
    ASSERT_TRUE(textToColour("32768", c));
    EXPECT_EQ(c, 0x008000u);
    ASSERT_TRUE(textToColour("0", c));
    EXPECT_EQ(c, 0u);
    ASSERT_TRUE(textToColour("-1", c));
    EXPECT_EQ(c, 0xFFFFFFFFu);
    ASSERT_TRUE(textToColour("2147483647", c));
    EXPECT_EQ(c, 0x7FFFFFFFu);

    EXPECT_FALSE(textToColour("$", c));
    EXPECT_FALSE(textToColour("$1FFFFFFFF", c));
    EXPECT_FALSE(textToColour("$12G4", c));
    EXPECT_FALSE(textToColour("2147483648", c));
    EXPECT_FALSE(textToColour("12a", c));
    EXPECT_FALSE(textToColour(" 12", c));
    EXPECT_FALSE(textToColour("-", c));
    EXPECT_FALSE(textToColour("0x1F", c));
}

TEST(ColourText, RoundTripsEveryWrittenForm) {
    const Colour samples[] = {0, 0xFF, 0x123456, rgb(255, 128, 0), 0x80000008, 0x1FFFFFFF, 0xFFFFFFFF, 0x7F000000};
    for (Colour v : samples) {
        Colour back = ~v;
        ASSERT_TRUE(textToColour(colourToText(v), back)) << colourToText(v);
        EXPECT_EQ(back, v);
    }
}

TEST(ColourText, DisplayColourResolvesSystemColours) {
    EXPECT_EQ(displayColour(0x80000008), kBlack);            // clWindowText
    EXPECT_EQ(displayColour(0x80000005), rgb(255, 255, 255)); // clWindow
    EXPECT_EQ(displayColour(0x80000018), rgb(255, 255, 225)); // clInfoBk
    EXPECT_EQ(displayColour(0x800000FF), kBlack);             // no such element
    EXPECT_EQ(displayColour(kNavy), kNavy);
    EXPECT_EQ(displayColour(0x1FFFFFFF), 0xFFFFFFu);          // clNone: its low bytes
}
