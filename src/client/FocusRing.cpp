#include "client/FocusRing.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QPainter>

#include "client/TableScaler.h"

namespace tc::client {

namespace {
const char* const kWatched = "tcFocusRing";
}

FocusRing::FocusRing(QWidget* client) : QWidget(client), client_(client) {
    setObjectName(QStringLiteral("focusring"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    // Hidden, it has no size: the table's layout never sees it.
    setGeometry(QRect());
    hide();
}

void FocusRing::watch(QWidget* w) {
    w->setProperty(kWatched, true);
    w->installEventFilter(this);
}

int FocusRing::strokeWidth() const {
    const TableScaler* s = TableScaler::of(client_);
    return qMax(2, qRound(2 * (s ? s->scale() : 1.0)));
}

void FocusRing::track(QWidget* w, bool on) {
    // The control's place on the client changes when it or any widget it
    // sits in moves (the table scales and centres itself).
    for (QWidget* p = w; p && p != client_; p = p->parentWidget()) {
        if (p->property(kWatched).toBool()) continue;  // filtered already
        if (on)
            p->installEventFilter(this);
        else
            p->removeEventFilter(this);
    }
}

void FocusRing::follow(QWidget* w) {
    if (target_ && target_ != w) track(target_, false);
    if (w && target_ != w) track(w, true);
    target_ = w;
    place();
}

void FocusRing::place() {
    if (!target_ || !keyboard_ || !target_->hasFocus() || !target_->isVisible()) {
        hide();
        setGeometry(QRect());
        return;
    }
    const int m = 2 * strokeWidth();
    const QRect at(target_->mapTo(client_, QPoint(0, 0)), target_->size());
    setGeometry(at.adjusted(-m, -m, m, m).intersected(client_->rect()));
    raise();
    show();
    update();
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event) {
    auto* w = qobject_cast<QWidget*>(watched);
    switch (event->type()) {
    case QEvent::FocusIn:
        if (w && w->property(kWatched).toBool()) {
            const Qt::FocusReason why = static_cast<QFocusEvent*>(event)->reason();
            if (why == Qt::TabFocusReason || why == Qt::BacktabFocusReason || why == Qt::ShortcutFocusReason)
                keyboard_ = true;
            else if (why == Qt::MouseFocusReason)
                keyboard_ = false;
            follow(w);
        }
        break;
    case QEvent::FocusOut:
        if (w == target_) {
            // A menu or another window takes the focus for a while; the
            // ring comes back with it.
            hide();
            setGeometry(QRect());
        }
        break;
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
        if (target_) place();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void FocusRing::paintEvent(QPaintEvent*) {
    if (!target_) return;
    QPainter p(this);
    const int w = strokeWidth();
    // The control's own rectangle in this widget; the strokes lie outside
    // it where the client leaves room, else over its edge.
    QRect inner(target_->mapTo(client_, QPoint(0, 0)) - pos(), target_->size());
    inner = inner.intersected(rect().adjusted(2 * w, 2 * w, -2 * w, -2 * w));
    const QRect light = inner.adjusted(-w, -w, w, w);
    const QRect dark = light.adjusted(-w, -w, w, w);
    // Hollow frames: the control shows through, and so does the text of
    // the table around it (a seat's ring passes between its heading, its
    // score and its Marks, closer than the ring is wide).
    const QRegion clear = textAround();
    p.setClipRegion(QRegion(dark).subtracted(QRegion(light)).subtracted(clear));
    p.fillRect(dark, QColor(16, 16, 16));
    p.setClipRegion(QRegion(light).subtracted(QRegion(inner)).subtracted(clear));
    p.fillRect(light, QColor(255, 214, 10));
}

QRegion FocusRing::textAround() const {
    QRegion out;
    const QRect ring(mapTo(client_, QPoint(0, 0)), size());
    for (QLabel* l : client_->findChildren<QLabel*>()) {
        if (l->text().isEmpty() || !l->isVisible() || l == target_ || l->isAncestorOf(target_) ||
            target_->isAncestorOf(l))
            continue;
        const QRect box(l->mapTo(client_, QPoint(0, 0)), l->size());
        if (!box.intersects(ring)) continue;
        // Where the letters are, not the whole label: a wide line with a
        // short text leaves the ring whole beside it.
        const QRect inside = l->contentsRect().translated(box.topLeft());
        const int flags = int(l->alignment()) | (l->wordWrap() ? Qt::TextWordWrap : Qt::TextSingleLine);
        const QRect letters = l->fontMetrics().boundingRect(inside, flags, l->text());
        out += letters.intersected(box).translated(-ring.topLeft());
    }
    return out;
}

} // namespace tc::client
