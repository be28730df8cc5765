#include "chat/ScaledStyle.h"

#include <QApplication>
#include <QEvent>
#include <QStyleFactory>
#include <QWidget>

namespace tc::chat {

ScaledStyle::ScaledStyle(QObject* owner) : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {
    setParent(owner);
}

int ScaledStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    const int base = QProxyStyle::pixelMetric(metric, option, widget);
    switch (metric) {
    case PM_ScrollBarExtent:
    case PM_ScrollBarSliderMin:
    case PM_SmallIconSize:
    case PM_MenuHMargin:
    case PM_MenuVMargin:
    case PM_MenuBarHMargin:
    case PM_MenuBarVMargin:
    case PM_MenuBarItemSpacing:
    case PM_MenuBarPanelWidth:
    case PM_MenuPanelWidth:
    case PM_MenuScrollerHeight:
    case PM_MenuTearoffHeight:
    case PM_MenuDesktopFrameWidth:
    case PM_SubMenuOverlap:
        return qRound(base * scale_);
    default:
        return base;
    }
}

void scaleWidget(QWidget* w, ScaledStyle* style, double scale) {
    if (scale == 1.0 && !w->testAttribute(Qt::WA_SetStyle)) return;  // never scaled
    QFont f = QApplication::font(w);
    {
        if (f.pixelSize() > 0)
            f.setPixelSize(qMax(1, qRound(f.pixelSize() * scale)));
        else
            f.setPointSizeF(f.pointSizeF() * scale);
    }
    if (scale == 1.0) {
        // Back to the application's own: the 1x window as it was made.
        if (w->testAttribute(Qt::WA_SetStyle)) w->setStyle(nullptr);
        w->setFont(QFont());
        return;
    }
    w->setFont(f);
    style->setScale(scale);
    // Set again even when it is the same style: the widget takes the new
    // sizes (and its scroll area lays itself out again).
    w->setStyle(style);
}

} // namespace tc::chat
