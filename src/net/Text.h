#pragma once
// The program's own words as the player reads them. The cores build texts
// in English; the window's layer installs hooks that put them into the
// player's language (Qt's translators) and write capitals for any script.
// Without hooks, as in the cores' tests and the headless server, every text
// comes out in English exactly as written.
//
// lupdate reads `translate("Context", "Source")` calls and TC_NOOP markers
// (i18n/CMakeLists.txt), so a text is marked where it is written.
#include <initializer_list>
#include <string>
#include <string_view>

// A text that is translated later, where it is shown (tables of texts).
#define TC_NOOP(context, text) text

namespace tc::net {

struct TextHooks {
    // UTF-8 text of `source` in the player's language; `context` groups it.
    std::string (*translate)(const char* context, const char* source) = nullptr;
    // Every letter as a capital, in any script ("ß" as "SS").
    std::string (*upper)(const std::string& text) = nullptr;
};

// Installs the hooks (nullptr members: English, ASCII capitals).
void setTextHooks(const TextHooks& hooks);

// `source` in the player's language.
std::string translate(const char* context, const char* source);

// The text in capitals.
std::string upperText(const std::string& text);

// `pattern` with %1..%9 replaced by the arguments, in one pass: an argument
// that holds "%2" itself is never replaced again. "%%" is a single "%".
std::string fillText(std::string_view pattern, std::initializer_list<std::string_view> args);

} // namespace tc::net
