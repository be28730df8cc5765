#include "discovery/ServiceName.h"

namespace tc::discovery {

std::string serviceNameFor(std::string_view utf8) {
    std::string name;
    for (char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) continue;
        name += c;
    }
    if (name.size() > kMaxServiceNameBytes) {
        std::size_t cut = kMaxServiceNameBytes;
        // Never end inside a character: back up over continuation bytes.
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
        name.resize(cut);
    }
    const auto first = name.find_first_not_of(' ');
    if (first == std::string::npos) return "Tilecrest";
    name.erase(0, first);
    name.erase(name.find_last_not_of(' ') + 1);
    return name;
}

} // namespace tc::discovery
