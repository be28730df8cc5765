#include "chat/ChatColourDialog.h"

#include <QColorDialog>

#include "chat/QtColour.h"

namespace tc::chat {

std::optional<Colour> ChatColourDialog::choose(QWidget* parent, Colour current) {
    QColorDialog dialog(toQColor(current), parent);
    dialog.setObjectName(QStringLiteral("ColorDialog"));
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return fromQColor(dialog.selectedColor());
}

} // namespace tc::chat
