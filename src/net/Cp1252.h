#pragma once
// Windows-1252 on the wire, UTF-8 inside the program.
#include <string>
#include <string_view>

namespace tc::net {

// Every byte maps to one character; the five bytes Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the
// same value so that nothing received is lost.
std::string cp1252ToUtf8(std::string_view bytes);

// Characters without a Windows-1252 byte become "?". The byte 0xFF ("ÿ")
// is also sent as "?", since inside a text it would end the message.
// Malformed UTF-8 bytes become "?".
std::string utf8ToCp1252(std::string_view utf8);

// The characters of `utf8` that utf8ToCp1252 sends as "?", each once, in
// the order they first appear (malformed bytes as U+FFFD). Empty when the
// whole text travels as written.
std::string unsendableCharacters(std::string_view utf8);

} // namespace tc::net
