#include "net/CommandLine.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "net/Text.h"

namespace tc::net {

namespace {

const OptionRule* findRule(const std::vector<OptionRule>& rules, std::string_view name) {
    const auto it = std::find_if(rules.begin(), rules.end(), [&](const OptionRule& s) { return s.name == name; });
    return it == rules.end() ? nullptr : &*it;
}

// Whole decimal numbers only: no sign unless negative, no spaces, no
// trailing text, nothing that overflows.
bool readNumber(const std::string& text, long long& out) {
    if (text.empty()) return false;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, out, 10);
    return ec == std::errc() && ptr == end;
}

} // namespace

bool CommandLine::has(std::string_view name) const {
    return std::any_of(options.begin(), options.end(), [&](const auto& o) { return o.first == name; });
}

std::string CommandLine::text(std::string_view name, const std::string& fallback) const {
    for (auto it = options.rbegin(); it != options.rend(); ++it)
        if (it->first == name) return it->second;
    return fallback;
}

long long CommandLine::number(std::string_view name, long long fallback) const {
    long long v = fallback;
    for (auto it = options.rbegin(); it != options.rend(); ++it)
        if (it->first == name) return readNumber(it->second, v) ? v : fallback;
    return fallback;
}

CommandLine parseCommandLine(const std::vector<std::string>& args, const std::vector<OptionRule>& rules,
                             UnknownOptions unknown) {
    CommandLine cl;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (optionsEnded || a.size() < 2 || a[0] != '-') {
            cl.words.push_back(a);
            continue;
        }
        if (a == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t eq = a.rfind("--", 0) == 0 ? a.find('=') : std::string::npos;
        const std::string name = a.substr(0, eq);
        const OptionRule* rule = findRule(rules, name);
        if (!rule) {
            if (unknown == UnknownOptions::AreWords) {
                cl.words.push_back(a);
                cl.unknown.push_back(a);
                continue;
            }
            cl.error = fillText(translate("CommandLine", "unknown option %1"), {name});
            return cl;
        }
        if (rule->kind == OptionRule::Kind::Flag) {
            if (eq != std::string::npos) {
                cl.error = fillText(translate("CommandLine", "%1 takes no value"), {name});
                return cl;
            }
            cl.options.emplace_back(name, std::string());
            continue;
        }
        std::string value;
        if (eq != std::string::npos) {
            value = a.substr(eq + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            cl.error = fillText(translate("CommandLine", "%1 needs a value"), {name});
            return cl;
        }
        if (rule->kind == OptionRule::Kind::Number) {
            long long v = 0;
            const std::string range = std::to_string(rule->min) + ".." + std::to_string(rule->max);
            if (!readNumber(value, v)) {
                cl.error = fillText(translate("CommandLine", "%1 needs a whole number (%2), not \"%3\""), {name, range, value});
                return cl;
            }
            if (v < rule->min || v > rule->max) {
                cl.error = fillText(translate("CommandLine", "%1 %2 is out of range (%3)"), {name, value, range});
                return cl;
            }
        } else if (value.empty()) {
            cl.error = fillText(translate("CommandLine", "%1 needs a value"), {name});
            return cl;
        }
        cl.options.emplace_back(name, value);
    }
    return cl;
}

GameWords takeGameWords(const CommandLine& cl) {
    GameWords g;
    const std::size_t n = cl.words.size();
    if (n < 3 && !cl.unknown.empty()) {
        const std::string& w = cl.unknown.front();
        g.error = fillText(translate("CommandLine", "unknown option %1"),
                           {w.substr(0, w.rfind("--", 0) == 0 ? w.find('=') : std::string::npos)});
        return g;
    }
    if (n == 1 || n == 2) {
        g.error = n == 1 ? translate("CommandLine", "NAME, HOST and true or x go together; only 1 word given:")
                         : translate("CommandLine", "NAME, HOST and true or x go together; only 2 words given:");
        for (const auto& w : cl.words) g.error += " \"" + w + "\"";
        return g;
    }
    if (n == 0) return g;
    g.params.assign(cl.words.begin(), cl.words.begin() + 3);
    g.ignored.assign(cl.words.begin() + 3, cl.words.end());
    return g;
}

int refuseCommandLine(const char* program, const std::string& error, const std::string& usage) {
    std::fprintf(stderr, "%s: %s\n\n%s", program, error.c_str(), usage.c_str());
    return kCommandLineStatus;
}

} // namespace tc::net
