#pragma once
// Helpers shared by the session's source files; not part of its interface.
#include <string>
#include <string_view>

#include "net/Fields.h"
#include "net/Text.h"

namespace tc::client {

// The session's own words in the player's language (net/Text.h).
using net::fillText;
using net::translate;

} // namespace tc::client

namespace tc::client::detail {

// Thrown by a handler's reading step when a number is outside its range;
// the dispatcher drops the message exactly as for net::ConversionError.
struct OutOfRange {};

// Decimal field to int, refused outside lo..hi.
inline int readInt(std::string_view field, int lo, int hi) {
    const int v = net::toInt(field);
    if (v < lo || v > hi) throw OutOfRange{};
    return v;
}

// Upper case of the letters a..z only; every other byte stays.
inline std::string upperAscii(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

inline constexpr const char* kWaiting = "<Waiting>";

} // namespace tc::client::detail
