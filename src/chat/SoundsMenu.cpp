#include "chat/SoundsMenu.h"

#include "chat/ChatterSounds.h"

namespace tc::chat {

SoundsMenu::SoundsMenu(QWidget* parent) : QMenu(parent) {
    setObjectName(QStringLiteral("popup_sounds"));
    setToolTipsVisible(true);
    for (const ChatterSound& s : kChatterSounds) {
        // The sounds go by their own names in every language; only the
        // menu's own item is words of ours.
        const QString text = s.number == 0 ? tr("<Cancel>") : QString::fromUtf8(s.text);
        QAction* a = addAction(text);
        a->setObjectName(QString::fromUtf8(s.item));
        a->setToolTip(text);
        a->setStatusTip(text);
        a->setData(s.number);
        connect(a, &QAction::triggered, this, [this, n = s.number] { emit soundChosen(n); });
    }
}

} // namespace tc::chat
