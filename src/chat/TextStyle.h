#pragma once
// One entry of the pane's text-style table.
#include <string>

#include "net/Colour.h"

namespace tc::chat {

using net::Colour;

struct TextStyle {
    std::string font = "Arial";
    int size = 10;
    Colour colour = net::kBlack;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const TextStyle&) const = default;
};

} // namespace tc::chat
