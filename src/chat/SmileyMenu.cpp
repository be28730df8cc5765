#include "chat/SmileyMenu.h"

#include <QPixmap>

#include "chat/SmileyImages.h"

namespace tc::chat {

SmileyMenu::SmileyMenu(QWidget* parent) : QMenu(parent) {
    setObjectName(QStringLiteral("popup_smilies"));
    for (int tag = 10; tag <= 27; ++tag) {
        QAction* a = addAction(QIcon(QPixmap::fromImage(SmileyImages::image(tag - 10))),
                               QStringLiteral(":)#%1").arg(tag));
        a->setData(tag);
        a->setIconVisibleInMenu(true);
        connect(a, &QAction::triggered, this, [this, tag] { emit smileyChosen(tag); });
    }
}

} // namespace tc::chat
