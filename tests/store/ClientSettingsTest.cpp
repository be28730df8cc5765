// The client's keys: defaults, reading rules, checks against values that
// would break the window, and what saveinifile and the phrase editor write.
#include <gtest/gtest.h>

#include "store/ClientSettings.h"

using namespace tc::store;

namespace {
ClientSettings read(const std::string& section) { return readClientSettings(IniFile("[Tilecrest]\r\n" + section)); }
} // namespace

TEST(ClientSettings, AnEmptyFileGivesEveryDefault) {
    const ClientSettings s = readClientSettings(IniFile(""));
    // The default width is the window's own minimum.
    EXPECT_EQ(s.place, (WindowPlace{3, 3, 717, 555, false}));
    EXPECT_EQ(s.textSize, 8);
    EXPECT_EQ(s.textColour, tc::net::kBlack);
    for (const auto& p : s.phrases) EXPECT_EQ(p, "");
    EXPECT_EQ(s.playToScore, 5);
    EXPECT_TRUE(s.playSounds);
    EXPECT_TRUE(s.chatterSounds);
}

TEST(ClientSettings, EveryKeyIsReadWithoutRegardToCase) {
    const ClientSettings s = readClientSettings(IniFile(
        "[Other]\nTop=99\n[TILECREST]\ntop=40\nLEFT=-20\nWidth=800\nheight=600\nTextSize=12\n"
        "textcolor=$000000FF\nPhrase3=Hi = there\nphrase9=/me waves\nPlaytoscore=7\nPlaysounds=false\n"
        "CHATTERSOUNDS=false\nTop=1\n"));
    EXPECT_EQ(s.place, (WindowPlace{-20, 40, 800, 600}));
    EXPECT_EQ(s.textSize, 12);
    EXPECT_EQ(s.textColour, tc::net::kRed);
    EXPECT_EQ(s.phrases[2], "Hi = there");
    EXPECT_EQ(s.phrases[8], "/me waves");
    EXPECT_EQ(s.phrases[0], "");
    EXPECT_EQ(s.playToScore, 7);
    EXPECT_FALSE(s.playSounds);
    EXPECT_FALSE(s.chatterSounds);
}

TEST(ClientSettings, OnlyExactlyFalseSwitchesASoundOff) {
    for (const char* v : {"False", "FALSE", "0", "no", "", " false x"}) {
        const ClientSettings s = read(std::string("Playsounds=") + v + "\r\nChatterSounds=" + v + "\r\n");
        EXPECT_TRUE(s.playSounds) << v;
        EXPECT_TRUE(s.chatterSounds) << v;
    }
}

TEST(ClientSettings, ColourTextOrBlack) {
    EXPECT_EQ(read("Textcolor=clRed\r\n").textColour, tc::net::kRed);
    EXPECT_EQ(read("Textcolor=$00FF8000\r\n").textColour, tc::net::rgb(0, 0x80, 0xFF));
    for (const char* bad : {"purple", "$", "$GG", "", "clblackish"})
        EXPECT_EQ(read(std::string("Textcolor=") + bad + "\r\n").textColour, tc::net::kBlack) << bad;
}

TEST(ClientSettings, ValuesThatWouldBreakTheWindowGiveTheDefaults) {
    const ClientSettings huge = read("Top=99999\r\nLeft=-40000\r\nWidth=2147483647\r\nHeight=99999999999\r\n");
    EXPECT_EQ(huge.place, (WindowPlace{3, 3, 717, 555}));
    const ClientSettings none = read("Width=0\r\nHeight=-5\r\nTop=abc\r\nLeft=1e3\r\n");
    EXPECT_EQ(none.place, (WindowPlace{3, 3, 717, 555}));
    // Small but real sizes go to the window, whose minimum size decides.
    EXPECT_EQ(read("Width=1\r\nHeight=1\r\nTop=-32767\r\n").place, (WindowPlace{3, -32767, 1, 1}));

    for (const char* bad : {"5", "73", "0", "-8", "huge", "1000000"})
        EXPECT_EQ(read(std::string("Textsize=") + bad + "\r\n").textSize, 8) << bad;
    EXPECT_EQ(read("Textsize=6\r\n").textSize, 6);
    EXPECT_EQ(read("Textsize=72\r\n").textSize, 72);
    EXPECT_EQ(read("Textsize=9\r\n").textSize, 9);
}

TEST(ClientSettings, PlaytoscoreThatDoesNotFitLeavesTheSpinnerAlone) {
    EXPECT_EQ(read("Playtoscore=3\r\n").playToScore, 3);
    EXPECT_EQ(read("Playtoscore=10\r\n").playToScore, 10);
    EXPECT_EQ(read("Playtoscore=+4\r\n").playToScore, 4);
    for (const char* bad : {"", "2", "11", "-5", "five", "5x", "99999999999"})
        EXPECT_FALSE(read(std::string("Playtoscore=") + bad + "\r\n").playToScore.has_value()) << bad;
}

TEST(ClientSettings, AnOverlongPhraseIsCutAtACharacterStart) {
    // "é" is two bytes: the cut would fall inside the last one.
    std::string phrase = "a";
    while (phrase.size() < kMaxPhraseBytes + 10) phrase += "\xC3\xA9";
    const std::string got = read("Phrase1=" + phrase + "\r\n").phrases[0];
    EXPECT_EQ(got.size(), kMaxPhraseBytes - 1);
    EXPECT_EQ(got, phrase.substr(0, kMaxPhraseBytes - 1));
}

TEST(ClientSettings, SaveWritesItsKeysInOrderAndPhrasesLandInTheSameSection) {
    SavedSettings s;
    s.textSize = 12;
    s.textColour = tc::net::kRed;
    s.place = {10, 20, 800, 600};
    s.playToScore = 7;
    s.playSounds = false;
    s.chatterSounds = true;
    IniFile ini("; mine\r\n[Other]\r\nx=1\r\n");
    for (const auto& [k, v] : settingsToWrite(s)) ini.writeString("Tilecrest", k, v);
    std::array<std::string, 9> phrases{"Hey", "", "Nice Try!"};
    for (const auto& [k, v] : phrasesToWrite(phrases)) ini.writeString(kPhraseSection, k, v);
    EXPECT_EQ(ini.bytes(),
              "; mine\r\n[Other]\r\nx=1\r\n[Tilecrest]\r\nTextsize=12\r\nTextcolor=clRed\r\nTop=20\r\n"
              "Left=10\r\nWidth=800\r\nHeight=600\r\nMaximized=false\r\nPlaytoscore=7\r\nPlaysounds=false\r\n"
              "ChatterSounds=true\r\nPhrase1=Hey\r\nPhrase2=\r\nPhrase3=Nice Try!\r\nPhrase4=\r\n"
              "Phrase5=\r\nPhrase6=\r\nPhrase7=\r\nPhrase8=\r\nPhrase9=\r\n");
    SavedSettings other;
    other.textColour = tc::net::rgb(0, 0x80, 0xFF);
    EXPECT_EQ(settingsToWrite(other)[1].second, "$00FF8000");
    // Before the file was read a menu writes its own key alone.
    EXPECT_EQ(settingToWrite(s, "Playsounds"), (KeyValues{{"Playsounds", "false"}}));
    EXPECT_EQ(settingToWrite(s, "Textcolor"), (KeyValues{{"Textcolor", "clRed"}}));
    EXPECT_TRUE(settingToWrite(s, "Phrase1").empty());
}

TEST(ClientSettings, AMaximizedWindowIsRememberedAsSuch) {
    EXPECT_TRUE(read("Maximized=true\r\n").place.maximized);
    for (const char* no : {"Maximized=True\r\n", "Maximized=1\r\n", "Maximized=false\r\n", ""})
        EXPECT_FALSE(read(no).place.maximized) << no;
    SavedSettings s;
    s.place = {5, 6, 900, 700, true};
    EXPECT_EQ(settingToWrite(s, "Maximized"), (KeyValues{{"Maximized", "true"}}));
}

TEST(ClientSettings, ClosingSavesOnlyAChangedPlaceNarrowedToTheWorkArea) {
    const WindowPlace saved{3, 3, 717, 555};
    EXPECT_FALSE(placeToSaveAtClose(saved, saved, 1024, 768).has_value());
    EXPECT_EQ(placeToSaveAtClose({4, 3, 717, 555}, saved, 1024, 768), (WindowPlace{4, 3, 717, 555}));
    // Maximized at the same normal place: that alone is a change to keep.
    EXPECT_EQ(placeToSaveAtClose({3, 3, 717, 555, true}, saved, 1024, 768), (WindowPlace{3, 3, 717, 555, true}));
    EXPECT_EQ(placeToSaveAtClose({0, 0, 1100, 800}, saved, 1024, 768), (WindowPlace{0, 0, 1085, 785}));
    EXPECT_EQ(placeToSaveAtClose({0, 0, 1024, 768}, saved, 1024, 768), (WindowPlace{0, 0, 1024, 768}));
}
