#pragma once
// Between the program's colours (0x00BBGGRR, system colours) and QColor.
#include <QColor>

#include "net/Colour.h"

namespace tc::chat {

using net::Colour;

// The colour as drawn: system colours and clNone mapped by net::displayColour.
QColor toQColor(Colour c);
// An RGB colour (alpha ignored).
Colour fromQColor(const QColor& c);

} // namespace tc::chat
