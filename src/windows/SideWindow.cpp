#include "windows/SideWindow.h"

#include <QPainter>

#include "TilecrestAssets.h"

namespace tc::windows {

SideWindow::SideWindow(Qt::WindowFlags flags, QWidget* parent) : QWidget(parent, Qt::Window | flags) {}

void SideWindow::showCentredOn(QWidget* over) {
    if (over) {
        const QRect r = over->frameGeometry();
        move(r.center() - QPoint(width() / 2, height() / 2));
    }
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
}

void SideWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    static const QPixmap board(QString::fromLatin1(tcassets::board));
    p.fillRect(rect(), QColor(145, 124, 87));
    // The plain planks of the main window's background, away from its cards.
    if (!board.isNull()) p.drawTiledPixmap(rect(), board, QPoint(0, 300));
}

} // namespace tc::windows
