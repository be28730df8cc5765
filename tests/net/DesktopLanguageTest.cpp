#include <gtest/gtest.h>

#include <map>
#include <string>

#include "net/DesktopLanguage.h"

using tc::net::desktopLanguages;
using tc::net::pickLanguage;
using Codes = std::vector<std::string>;

namespace {

std::map<std::string, std::string> env;
const char* fakeGetenv(const char* name) {
    const auto it = env.find(name);
    return it == env.end() ? nullptr : it->second.c_str();
}

std::string desktop(std::map<std::string, std::string> vars) {
    env = std::move(vars);
    return pickLanguage(desktopLanguages(&fakeGetenv), {"de", "fr"});
}

} // namespace

TEST(DesktopLanguage, ReadAsQtReadsTheEnvironment) {
    env = {{"LANGUAGE", "it:de_AT.UTF-8::fr-CH:C"}, {"LANG", "es_ES"}};
    EXPECT_EQ(desktopLanguages(&fakeGetenv), (Codes{"it", "de", "fr", "en"}));
    env = {{"LC_MESSAGES", "fr_CA.UTF-8@euro"}, {"LANG", "de_DE"}};
    EXPECT_EQ(desktopLanguages(&fakeGetenv), (Codes{"fr"}));
    env = {};
    EXPECT_EQ(desktopLanguages(&fakeGetenv), Codes{});

    // LC_ALL before LC_MESSAGES before LANG; an empty one is unset.
    EXPECT_EQ(desktop({{"LANG", "de_DE.UTF-8"}}), "de");
    EXPECT_EQ(desktop({{"LC_ALL", "fr_FR.UTF-8"}, {"LC_MESSAGES", "de_DE"}, {"LANG", "de_DE"}}), "fr");
    EXPECT_EQ(desktop({{"LC_ALL", ""}, {"LC_MESSAGES", "de_DE"}, {"LANG", "fr_FR"}}), "de");
    // LANGUAGE comes first, even over a C locale, and is read in order; a
    // language we do not speak is passed over, English ends the search.
    EXPECT_EQ(desktop({{"LANGUAGE", "fr"}, {"LANG", "C"}}), "fr");
    EXPECT_EQ(desktop({{"LANGUAGE", "zz_ZZ:it:fr:de"}, {"LANG", "de_DE"}}), "fr");
    EXPECT_EQ(desktop({{"LANGUAGE", "en_GB:de"}, {"LANG", "de_DE"}}), "en");
    EXPECT_EQ(desktop({{"LANGUAGE", "DE"}}), "de");
    EXPECT_EQ(desktop({{"LANGUAGE", ""}, {"LANG", "fr_BE"}}), "fr");
    // C and POSIX are English; nothing set, or nothing we speak, is English.
    EXPECT_EQ(desktop({{"LANG", "C.UTF-8"}}), "en");
    EXPECT_EQ(desktop({{"LC_ALL", "POSIX"}, {"LANG", "de_DE"}}), "en");
    EXPECT_EQ(desktop({{"LANGUAGE", "C:de"}}), "en");
    EXPECT_EQ(desktop({{"LANG", "it_IT"}}), "en");
    EXPECT_EQ(desktop({}), "en");
}
