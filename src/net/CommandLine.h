#pragma once
// The command-line rules shared by every program of the project: options
// are "--name" (a value follows as the next word or after "="), anywhere
// among the other words; "--" ends the options; a lone "-" is an ordinary
// word. Any other word that starts with "-" and is not a known option, a
// missing value, a value that is not a whole number or one outside its
// range makes the command line wrong: the program names the problem, shows
// its usage on stderr and ends with kCommandLineStatus before it opens a
// window or a port.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tc::net {

// The exit status of a wrong command line (1 stays for a failed run).
inline constexpr int kCommandLineStatus = 2;

struct OptionRule {
    enum class Kind { Flag, Text, Number };
    std::string name;  // with its dashes: "--port"
    Kind kind = Kind::Flag;
    long long min = 0;  // Number only
    long long max = 0;
};

// What a word that looks like an option but is none of ours is.
enum class UnknownOptions {
    Refuse,    // the command line is wrong
    AreWords,  // an ordinary word (kept in `unknown` as well)
};

struct CommandLine {
    std::vector<std::string> words;  // everything that is not an option, in order
    // With UnknownOptions::AreWords: those of `words` that looked like an
    // option, in order.
    std::vector<std::string> unknown;
    // Options as given, in order; a flag has an empty value.
    std::vector<std::pair<std::string, std::string>> options;
    // Empty when the command line is right, else what is wrong with it.
    std::string error;

    bool has(std::string_view name) const;
    // The value of the last `name` given, else `fallback`.
    std::string text(std::string_view name, const std::string& fallback) const;
    // The same for a Number option (already checked against its range).
    long long number(std::string_view name, long long fallback) const;
};

CommandLine parseCommandLine(const std::vector<std::string>& args, const std::vector<OptionRule>& rules,
                             UnknownOptions unknown = UnknownOptions::Refuse);

// The game's parameter words, NAME HOST and "true" (host) or anything else
// (join), as a lobby passes them: none (a solo game) or three. One or two
// make the command line wrong; words after the third are ignored (a lobby
// may pass more) and named in `ignored`. A word that looked like an option
// is a parameter word among three or more (a player may be called
// "-Ace-"); among fewer it is an unknown option.
struct GameWords {
    std::vector<std::string> params;   // empty or three
    std::vector<std::string> ignored;  // after the third
    std::string error;                 // empty unless wrong
};
GameWords takeGameWords(const CommandLine& cl);

// Writes "PROGRAM: ERROR", a blank line and `usage` to stderr; returns
// kCommandLineStatus for main() to return.
int refuseCommandLine(const char* program, const std::string& error, const std::string& usage);

} // namespace tc::net
