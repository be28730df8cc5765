#pragma once
// Between the program's colours (0x00BBGGRR, system colours) and QColor.
#include <QColor>

#include "chat/Colour.h"

namespace tc::chat {

// The colour as drawn: system colours and clNone mapped by displayColour.
QColor toQColor(Colour c);
// An RGB colour (alpha ignored).
Colour fromQColor(const QColor& c);

} // namespace tc::chat
