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

TEST(CommandLine, TheGamesWordsAreNoneOrThreeWhateverTheNameLooksLike) {
    using tc::net::takeGameWords;
    using tc::net::UnknownOptions;
    auto game = [](const Words& w) { return takeGameWords(parseCommandLine(w, kRules, UnknownOptions::AreWords)); };

    EXPECT_EQ(game({}).params, Words{});
    EXPECT_EQ(game({}).error, "");
    // A lobby's three words, the name looking like an option or not; our
    // own options still stand anywhere.
    auto g = game({"-Ace-", "HOST", "false"});
    EXPECT_EQ(g.error, "");
    EXPECT_EQ(g.params, (Words{"-Ace-", "HOST", "false"}));
    g = game({"--port", "7773", "--x=1", "-h", "true"});
    EXPECT_EQ(g.error, "");
    EXPECT_EQ(g.params, (Words{"--x=1", "-h", "true"}));
    // Words after the third are ignored and named.
    g = game({"a", "b", "c", "d", "--bogus", "--port=1"});
    EXPECT_EQ(g.params, (Words{"a", "b", "c"}));
    EXPECT_EQ(g.ignored, (Words{"d", "--bogus"}));
    EXPECT_EQ(g.error, "");

    // One or two words are no game; an unknown option among them is named.
    EXPECT_EQ(game({"Bob"}).error, "NAME, HOST and true or x go together; only 1 word given: \"Bob\"");
    EXPECT_EQ(game({"Bob", "10.0.0.5"}).error,
              "NAME, HOST and true or x go together; only 2 words given: \"Bob\" \"10.0.0.5\"");
    EXPECT_EQ(game({"Bob", "--bogus=3"}).error, "unknown option --bogus");
    EXPECT_EQ(game({"-h"}).error, "unknown option -h");
    EXPECT_EQ(game({"-h", "x"}).params, Words{});
    // A wrong value of one of our options is wrong however many words.
    EXPECT_EQ(parseCommandLine({"a", "b", "c", "--port", "x"}, kRules, UnknownOptions::AreWords).error,
              "--port needs a whole number (0..65535), not \"x\"");
    // The other programs keep refusing what is not theirs.
    EXPECT_EQ(parse({"a", "b", "c", "-Ace-"}).error, "unknown option -Ace-");
}
