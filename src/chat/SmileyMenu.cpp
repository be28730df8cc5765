#include "chat/SmileyMenu.h"

#include <QPixmap>

#include "chat/ScaledStyle.h"
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

void SmileyMenu::setTableScale(double scale, double pictureScale) {
    if (!style_) style_ = new ScaledStyle(this);
    scaleWidget(this, style_, scale);
    if (pictureScale == pictureScale_) return;
    pictureScale_ = pictureScale;
    for (QAction* a : actions()) {
        const int index = a->data().toInt() - 10;
        a->setIcon(QIcon(QPixmap::fromImage(pictureScale == 1.0 ? SmileyImages::image(index)
                                                                : SmileyImages::image(index, pictureScale))));
    }
}

} // namespace tc::chat
