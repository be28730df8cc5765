#include <gtest/gtest.h>

#include "net/Fields.h"

using namespace tc::net;

TEST(FieldReader, PositionalTakesTextBeforeTheNextPlus) {
    FieldReader r("3+1.0.3+Ann+Lee");
    EXPECT_EQ(r.positional(), "3");
    EXPECT_EQ(r.positional(), "1.0.3");
    EXPECT_EQ(r.rest(), "Ann+Lee");
    EXPECT_EQ(r.rest(), "");
}

TEST(FieldReader, PositionalWithoutPlusYieldsEmptyAndRemovesNothing) {
    FieldReader r("1");
    EXPECT_EQ(r.positional(), "");
    EXPECT_EQ(r.remaining(), "1");
    EXPECT_EQ(r.rest(), "1");
}

TEST(FieldReader, EmptyFieldsBetweenPluses) {
    FieldReader r("++x+");
    EXPECT_EQ(r.positional(), "");
    EXPECT_EQ(r.positional(), "");
    EXPECT_EQ(r.positional(), "x");
    EXPECT_EQ(r.remaining(), "");
}

TEST(ReadList, ReadsUntilTheSentinel) {
    EXPECT_EQ(readList("4+5"), (std::vector<std::string>{"4", "5"}));
    EXPECT_EQ(readList("3+Ann+0"), (std::vector<std::string>{"3", "Ann", "0"}));
    EXPECT_EQ(readList(""), (std::vector<std::string>{""}));
}

TEST(ReadList, TrailingPlusYieldsAnEmptyLastItemThatDoesNotConvert) {
    const auto items = readList("4+5+");
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[2], "");
    try {
        toInt(items[2]);
        FAIL() << "empty field converted";
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'' is not a valid integer value");
    }
}

TEST(ReadList, ItemsMayContainTheSentinelCharacter) {
    EXPECT_EQ(readList("1+@+2"), (std::vector<std::string>{"1", "@", "2"}));
}

TEST(ToInt, AcceptsDecimalIntegers) {
    EXPECT_EQ(toInt("0"), 0);
    EXPECT_EQ(toInt("45"), 45);
    EXPECT_EQ(toInt("-7"), -7);
    EXPECT_EQ(toInt("2147483647"), 2147483647);
    EXPECT_EQ(toInt("-2147483648"), -2147483647 - 1);
}

TEST(ToInt, RefusesWithTheConversionText) {
    for (const char* bad : {"", "x", " 1", "1 ", "1a", "-", "+1", "2147483648", "99999999999999999999", "0x10"}) {
        try {
            toInt(bad);
            ADD_FAILURE() << "accepted '" << bad << "'";
        } catch (const ConversionError& e) {
            EXPECT_EQ(std::string(e.what()), std::string("'") + bad + "' is not a valid integer value");
        }
    }
}

TEST(SplitKey, KeyIsTextBeforeTheFirstPlus) {
    std::string key, data;
    ASSERT_TRUE(splitKey("CMD_chat+1+a+b", key, data));
    EXPECT_EQ(key, "CMD_chat");
    EXPECT_EQ(data, "1+a+b");
    ASSERT_TRUE(splitKey("CMD_clearscores+", key, data));
    EXPECT_EQ(key, "CMD_clearscores");
    EXPECT_EQ(data, "");
}

TEST(SplitKey, RefusesLinesWithoutKey) {
    std::string key, data;
    EXPECT_FALSE(splitKey("receivedlist", key, data));
    EXPECT_FALSE(splitKey("", key, data));
    EXPECT_FALSE(splitKey("+3", key, data));
}
