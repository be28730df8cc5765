#include "windows/SideWindow.h"

#include <QPainter>

#include "TilecrestAssets.h"
#include "windows/ShowCentred.h"

namespace tc::windows {

SideWindow::SideWindow(Qt::WindowFlags flags, QWidget* parent) : QWidget(parent, Qt::Window | flags) {}

void SideWindow::showCentredOn(QWidget* over) {
    windows::showCentredOn(this, over);
}

void SideWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // The plain planks of the main window's background, below its cards.
    static const QPixmap planks = QPixmap(QString::fromLatin1(tcassets::board)).copy(0, 300, 717, 255);
    p.fillRect(rect(), QColor(145, 124, 87));
    if (!planks.isNull()) p.drawTiledPixmap(rect(), planks);
}

} // namespace tc::windows
