#include <gtest/gtest.h>

#include "net/CommandLine.h"

using tc::net::CommandLine;
using tc::net::OptionRule;
using tc::net::parseCommandLine;
using Words = std::vector<std::string>;

namespace {
const std::vector<OptionRule> kRules = {
    {"--port", OptionRule::Kind::Number, 0, 65535},
    {"--bind", OptionRule::Kind::Text},
    {"--help", OptionRule::Kind::Flag},
};
CommandLine parse(const Words& w) { return parseCommandLine(w, kRules); }
} // namespace

TEST(CommandLine, OptionsAnywhereWordsInOrder) {
    CommandLine cl = parse({"Ann", "--port", "9000", "10.0.0.5", "--bind=::1", "true"});
    ASSERT_EQ(cl.error, "");
    EXPECT_EQ(cl.words, (Words{"Ann", "10.0.0.5", "true"}));
    EXPECT_EQ(cl.number("--port", 7772), 9000);
    EXPECT_EQ(cl.text("--bind", ""), "::1");
    EXPECT_FALSE(cl.has("--help"));

    // The last one given counts; "--" ends the options; "-" is a word.
    cl = parse({"--port=1", "--port", "0", "--", "--port", "-", "-Bob"});
    ASSERT_EQ(cl.error, "");
    EXPECT_EQ(cl.number("--port", 7772), 0);
    EXPECT_EQ(cl.words, (Words{"--port", "-", "-Bob"}));
    EXPECT_EQ(parse({}).number("--port", 7772), 7772);
    EXPECT_TRUE(parse({"--help"}).has("--help"));
}

TEST(CommandLine, EveryWrongWordIsNamed) {
    const std::vector<std::pair<Words, std::string>> cases = {
        {{"-h"}, "unknown option -h"},
        {{"Ann", "--bogus", "x"}, "unknown option --bogus"},
        {{"--Port", "1"}, "unknown option --Port"},
        {{"--bogus=3"}, "unknown option --bogus"},
        {{"--port"}, "--port needs a value"},
        {{"--bind"}, "--bind needs a value"},
        {{"--bind="}, "--bind needs a value"},
        {{"--port", "abc"}, "--port needs a whole number (0..65535), not \"abc\""},
        {{"--port", ""}, "--port needs a whole number (0..65535), not \"\""},
        {{"--port", "+80"}, "--port needs a whole number (0..65535), not \"+80\""},
        {{"--port", "80 "}, "--port needs a whole number (0..65535), not \"80 \""},
        {{"--port", "99999999999999999999"}, "--port needs a whole number (0..65535), not \"99999999999999999999\""},
        {{"--port", "70000"}, "--port 70000 is out of range (0..65535)"},
        {{"--port=-1"}, "--port -1 is out of range (0..65535)"},
        {{"--help=yes"}, "--help takes no value"},
    };
    for (const auto& [words, error] : cases) {
        const CommandLine cl = parse(words);
        EXPECT_EQ(cl.error, error) << words.front();
    }
}
