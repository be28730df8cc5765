#include "net/DesktopLanguage.h"

#include <algorithm>
#include <cstdlib>

namespace tc::net {

namespace {

std::string variable(const char* (*getenv)(const char*), const char* name) {
    const char* v = getenv(name);
    return v ? v : "";
}

// "de_AT.UTF-8@euro" -> "de"
std::string languageOf(const std::string& tag) {
    std::string code = tag.substr(0, tag.find_first_of("_-.@"));
    for (char& c : code)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (code == "c" || code == "posix") code = "en";
    return code;
}

const char* systemGetenv(const char* name) { return std::getenv(name); }

} // namespace

std::vector<std::string> desktopLanguages(const char* (*getenv)(const char*)) {
    std::vector<std::string> tags;
    const std::string list = variable(getenv, "LANGUAGE");
    if (!list.empty()) {
        std::size_t from = 0;
        while (from <= list.size()) {
            const std::size_t colon = std::min(list.find(':', from), list.size());
            tags.push_back(list.substr(from, colon - from));
            from = colon + 1;
        }
    } else {
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
            const std::string v = variable(getenv, name);
            if (v.empty()) continue;
            tags.push_back(v);
            break;
        }
    }
    std::vector<std::string> codes;
    for (const std::string& tag : tags) {
        const std::string code = languageOf(tag);
        if (!code.empty()) codes.push_back(code);
    }
    return codes;
}

std::vector<std::string> desktopLanguages() { return desktopLanguages(&systemGetenv); }

std::string pickLanguage(const std::vector<std::string>& wanted, const std::vector<std::string>& spoken) {
    for (const std::string& code : wanted)
        if (code == "en" || std::find(spoken.begin(), spoken.end(), code) != spoken.end()) return code;
    return "en";
}

} // namespace tc::net
