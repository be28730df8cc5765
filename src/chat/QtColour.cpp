#include "chat/QtColour.h"

namespace tc::chat {

QColor toQColor(Colour c) {
    const Colour d = net::displayColour(c);
    return QColor(net::red(d), net::green(d), net::blue(d));
}

Colour fromQColor(const QColor& c) {
    const QColor rgbColour = c.toRgb();
    return net::rgb(rgbColour.red(), rgbColour.green(), rgbColour.blue());
}

} // namespace tc::chat
