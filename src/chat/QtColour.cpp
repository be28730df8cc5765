#include "chat/QtColour.h"

namespace tc::chat {

QColor toQColor(Colour c) {
    const Colour d = displayColour(c);
    return QColor(red(d), green(d), blue(d));
}

Colour fromQColor(const QColor& c) {
    const QColor rgbColour = c.toRgb();
    return rgb(rgbColour.red(), rgbColour.green(), rgbColour.blue());
}

} // namespace tc::chat
