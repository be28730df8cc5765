#include <gtest/gtest.h>

#include "net/Cp1252.h"

using namespace tc::net;

TEST(Cp1252, AsciiPassesUnchanged) {
    const std::string s = "CMD_chat+1+Hello, world! 0123 ~";
    EXPECT_EQ(cp1252ToUtf8(s), s);
    EXPECT_EQ(utf8ToCp1252(s), s);
}

TEST(Cp1252, TheHighControlRangeMapsToItsCharacters) {
    EXPECT_EQ(cp1252ToUtf8("\x80"), "\u20AC");
    EXPECT_EQ(cp1252ToUtf8("\x85"), "\u2026");
    EXPECT_EQ(cp1252ToUtf8("\x8A"), "\u0160");
    EXPECT_EQ(cp1252ToUtf8("\x93\x94"), "\u201C\u201D");
    EXPECT_EQ(cp1252ToUtf8("\x99"), "\u2122");
    EXPECT_EQ(cp1252ToUtf8("\x9F"), "\u0178");
    EXPECT_EQ(utf8ToCp1252("\u20AC"), "\x80");
    EXPECT_EQ(utf8ToCp1252("\u2122\u0178"), "\x99\x9F");
}

TEST(Cp1252, EveryByteExceptTerminatorRoundTrips) {
    for (int b = 1; b < 0xFF; ++b) {
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(one)), one) << "byte " << b;
    }
}

TEST(Cp1252, LatinOneCharacters) {
    EXPECT_EQ(cp1252ToUtf8("Jos\xE9"), "Jos\u00E9");
    EXPECT_EQ(utf8ToCp1252("Gr\u00FC\u00DFe"), "Gr\xFC\xDF" "e");
}

TEST(Cp1252, UnmappableAndTerminatorBecomeQuestionMarks) {
    EXPECT_EQ(utf8ToCp1252("\u4E2D"), "?");       // no byte for it
    EXPECT_EQ(utf8ToCp1252("\U0001F600"), "?");   // four-byte sequence
    EXPECT_EQ(utf8ToCp1252("na\u00EFve \u00FF"), "na\xEFve ?");  // 0xFF never inside a text
    EXPECT_EQ(utf8ToCp1252("\u0081"), "\x81");    // undefined byte kept as its C1 control
}

TEST(Cp1252, MalformedUtf8BecomesQuestionMarks) {
    EXPECT_EQ(utf8ToCp1252("a\xC3"), "a?");
    EXPECT_EQ(utf8ToCp1252("\xFF" "b"), "?b");
    EXPECT_EQ(utf8ToCp1252("\xE2\x82x"), "??x");
}

TEST(Cp1252, UnsendableCharactersAreNamedOnceInOrder) {
    using tc::net::unsendableCharacters;
    EXPECT_EQ(unsendableCharacters("Way To Go! caf\u00e9 \u20ac5 \u00a6 ?"), "");
    EXPECT_EQ(unsendableCharacters("Done \u2713 \u4e2d\u2713 \u00ff"), "\u2713\u4e2d\u00ff");
    // A stray byte cannot be shown as itself.
    EXPECT_EQ(unsendableCharacters("a\x80" "b\xC3"), "\uFFFD");
}
