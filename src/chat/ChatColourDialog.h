#pragma once
// Text Color: the colour-choice dialog on the current chat colour.
#include <optional>

#include "net/Colour.h"

class QWidget;

namespace tc::chat {

using net::Colour;

class ChatColourDialog {
public:
    // Opens the modal dialog on `current`; returns the chosen colour on
    // OK, nullopt on Cancel. The caller stores it, recolours the input box
    // (ChatInput::setChatColour) and saves the settings.
    static std::optional<Colour> choose(QWidget* parent, Colour current);
};

} // namespace tc::chat
