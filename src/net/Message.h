#pragma once
// Every message leaves as one whole string ending in 0xFF.
#include <string>
#include <string_view>

#include "net/LineFramer.h"

namespace tc::net {

// "CMD_x+payload" -> "CMD_x+payload\xFF".
inline std::string frame(std::string_view line) {
    std::string out;
    out.reserve(line.size() + 1);
    out.append(line);
    out += kTerminator;
    return out;
}

} // namespace tc::net
