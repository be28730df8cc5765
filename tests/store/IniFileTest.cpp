#include <gtest/gtest.h>

#include <utility>

#include "store/IniFile.h"

using tc::store::IniFile;

namespace {

const char* kMixed =
    "; written by another program\r\n"
    "[Other]\r\n"
    "Top=99\r\n"
    "\r\n"
    "[TileCrest]\r\n"
    "TOP = 40 \r\n"
    "top=41\r\n"
    "Phrase1=a=b=c\r\n"
    "Unknown=keep me\r\n"
    "\r\n"
    "[Last]\r\n"
    "x=1";

TEST(IniFile, ReadsFirstMatchIgnoringCaseInTheRightSection) {
    const IniFile ini(kMixed);
    EXPECT_EQ(ini.readInteger("Tilecrest", "Top", 3), 40);      // first duplicate, trimmed
    EXPECT_EQ(ini.readInteger("other", "top", 3), 99);
    EXPECT_EQ(ini.readString("TILECREST", "phrase1", ""), "a=b=c");  // only the first "=" splits
    EXPECT_EQ(ini.readInteger("Tilecrest", "Left", 3), 3);       // missing key
    EXPECT_EQ(ini.readInteger("Nowhere", "Top", 7), 7);          // missing section
    EXPECT_FALSE(ini.value("Tilecrest", "x"));                   // keys of a later section
    EXPECT_EQ(ini.readString("last", "X", ""), "1");             // no final newline
}

TEST(IniFile, IntegersAreStrictDecimal) {
    const IniFile ini("[s]\nA=12abc\nB=-5\nC=+7\nD=99999999999\nE=\nF= 8\n");
    EXPECT_EQ(ini.readInteger("s", "A", 1), 1);
    EXPECT_EQ(ini.readInteger("s", "B", 1), -5);
    EXPECT_EQ(ini.readInteger("s", "C", 1), 7);
    EXPECT_EQ(ini.readInteger("s", "D", 1), 1);
    EXPECT_EQ(ini.readInteger("s", "E", 1), 1);
    EXPECT_EQ(ini.readInteger("s", "F", 1), 8);
}

TEST(IniFile, WritingChangesOnlyTheTouchedLine) {
    IniFile ini(kMixed);
    ini.writeString("tilecrest", "top", "12");
    std::string expected = kMixed;
    expected.replace(expected.find("TOP = 40 "), 9, "TOP =12");
    EXPECT_EQ(ini.bytes(), expected);
}

TEST(IniFile, NewKeysGoAtTheSectionsEndWithTheFilesLineEnd) {
    IniFile ini(kMixed);
    ini.writeString("Tilecrest", "Left", "5");
    std::string expected = kMixed;
    expected.insert(expected.find("Unknown=keep me\r\n") + 17, "Left=5\r\n");
    EXPECT_EQ(ini.bytes(), expected);

    IniFile lf("[a]\nk=1\n\n[b]\n");
    lf.writeString("A", "j", "2");
    lf.writeString("c", "z", "3");
    EXPECT_EQ(lf.bytes(), "[a]\nk=1\nj=2\n\n[b]\n[c]\nz=3\n");
}

TEST(IniFile, NewFileAndUnendedLastLineUseCrLf) {
    IniFile empty;
    empty.writeString("Tilecrest", "Top", "3");
    EXPECT_EQ(empty.bytes(), "[Tilecrest]\r\nTop=3\r\n");

    IniFile unended("[Last]\r\nx=1");
    unended.writeString("Last", "y", "2");
    EXPECT_EQ(unended.bytes(), "[Last]\r\nx=1\r\ny=2\r\n");
}

TEST(IniFile, ValuesStayOnOneLine) {
    IniFile ini;
    ini.writeString("s", "k", "two\r\nlines");
    EXPECT_EQ(ini.readString("s", "k", ""), "two  lines");
    EXPECT_EQ(ini.bytes(), "[s]\r\nk=two  lines\r\n");
}

TEST(IniFile, NonUtf8ValuesReadAsWindows1252) {
    const IniFile ini("[s]\nu=caf\xC3\xA9\nw=caf\xE9\nq=\x93hi\x94\n");
    EXPECT_EQ(ini.readString("s", "u", ""), "caf\xC3\xA9");
    EXPECT_EQ(ini.readString("s", "w", ""), "caf\xC3\xA9");
    EXPECT_EQ(ini.readString("s", "q", ""), "\xE2\x80\x9Chi\xE2\x80\x9D");
}

TEST(IniFile, ValuesAreWrittenInWindows1252AndReadBackAsWritten) {
    IniFile ini;
    ini.writeString("s", "e", "caf\u00e9 \u20ac5 \u201chi\u201d \u00ff");
    ini.writeString("s", "a", "plain");
    // Text Windows-1252 lacks stays UTF-8 rather than turn into "?".
    ini.writeString("s", "x", "done \u2713");
    // Windows-1252 bytes that would read as other UTF-8 ("\u00c3\u00a9" is C3 A9).
    ini.writeString("s", "m", "\u00c3\u00a9");
    EXPECT_EQ(ini.bytes(), "[s]\r\ne=caf\xE9 \x80" "5 \x93hi\x94 \xFF\r\na=plain\r\nx=done \xE2\x9C\x93\r\n"
                           "m=\xC3\x83\xC2\xA9\r\n");
    const IniFile back(ini.bytes());
    for (const auto& [key, value] : {std::pair<const char*, const char*>{"e", "caf\u00e9 \u20ac5 \u201chi\u201d \u00ff"},
                                     {"a", "plain"}, {"x", "done \u2713"}, {"m", "\u00c3\u00a9"}})
        EXPECT_EQ(back.readString("s", key, ""), value) << key;
}

TEST(IniFile, BinaryAndHugeLinesSurviveUntouched) {
    std::string bytes("[bin]\n\0\x01\xFF=\x80\n", 13);
    bytes += std::string(1 << 20, 'x') + "\r\n[s]\nk=v\n";
    IniFile ini(bytes);
    EXPECT_EQ(ini.bytes(), bytes);
    EXPECT_EQ(ini.readString("s", "k", ""), "v");
    ini.writeString("s", "k", "w");
    bytes.back() = '\n';
    bytes.replace(bytes.size() - 2, 1, "w");
    EXPECT_EQ(ini.bytes(), bytes);
}

TEST(IniFile, CommentedKeysAreNotKeys) {
    IniFile ini("[s]\n;Top=1\nTop=2\n");
    EXPECT_EQ(ini.readInteger("s", "Top", 0), 2);
    ini.writeString("s", "Top", "3");
    EXPECT_EQ(ini.bytes(), "[s]\n;Top=1\nTop=3\n");
}

} // namespace
