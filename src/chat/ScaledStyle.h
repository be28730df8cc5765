#pragma once
// The parts of a scaled table that its scaler does not place: scroll bars
// and popup menus (and the menu bar). A ScaledStyle is the application's
// style with its sizes (scroll bar width, menu icons and margins) `scale`
// times; scaleWidget gives a widget that style and its font at `scale`
// times the application's, and at scale 1 gives both back, so the 1x
// window stays the hand-made one.
#include <QProxyStyle>

class QWidget;

namespace tc::chat {

class ScaledStyle : public QProxyStyle {
    Q_OBJECT
public:
    // A copy of the application's style, owned by `owner`.
    explicit ScaledStyle(QObject* owner);
    double scale() const { return scale_; }
    void setScale(double scale) { scale_ = scale; }
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;

private:
    double scale_ = 1.0;
};

// `w` (a scroll bar, a menu, the menu bar) at `scale`: `style` (at that
// scale) and the application's font for its class, scaled.
void scaleWidget(QWidget* w, ScaledStyle* style, double scale);

} // namespace tc::chat
