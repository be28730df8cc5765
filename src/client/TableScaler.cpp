#include "client/TableScaler.h"

#include <algorithm>
#include <cmath>

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QThread>
#include <QThreadPool>
#include <QWidget>

#include "client/BoardPictures.h"
#include "Translations.h"
#include "client/PictureCache.h"

namespace tc::client {

namespace {

const char* const kBaseRect = "tcBaseRect";
const char* const kBaseFontPx = "tcBaseFontPx";
const char* const kBaseFontPt = "tcBaseFontPt";
const char* const kGrow = "tcGrowWithTable";
const char* const kFollow = "tcFollowTableBottom";
const char* const kScaler = "tcTableScaler";
// The packaged table top is plain planks from this row down (the chat stands
// there at 1x): the wood shown where no drawing for the size reaches yet.
constexpr int kWoodBandTop = 300;
// How long the size must stay put before the table top is drawn again for
// it: a drag draws it once, at the end, not at every step.
constexpr int kSettleMs = 150;
// Picture sets kept (besides the packaged one), so going back and forth
// between two sizes draws nothing again.
constexpr std::size_t kKeptSets = 3;
// Files kept in the cache folder: picture sets and table tops together.
constexpr int kKeptFiles = 4;

// Drawn picture sets by pixel scale, shared by every table of the program
// (a game left and begun again keeps them). Window thread only.
std::map<qreal, std::shared_ptr<const BoardPictures>>& pictureCache() {
    static std::map<qreal, std::shared_ptr<const BoardPictures>> sets;
    return sets;
}

// The drawings' own threads. Qt hands parts of a large image's scaling or
// conversion to the global pool and waits for them: drawings holding its
// threads would stall the window's own painting. The program's end waits
// for them while the application object is still there (their results go
// to it).
QThreadPool& drawingPool() {
    static QThreadPool* const pool = [] {
        auto* p = new QThreadPool;
        p->setMaxThreadCount(std::max(2, QThread::idealThreadCount()));
        p->setExpiryTimeout(2000);
        qAddPostRoutine([] { drawingPool().waitForDone(); });
        return p;
    }();
    return *pool;
}

// The buttons carry words: each language keeps its own drawn set.
QString picturesName(qreal q) {
    const QString lang = i18n::current();
    return QStringLiteral("pictures-%1").arg(qRound(q * 100)) +
           (lang == QLatin1String("en") ? QString() : QLatin1Char('-') + lang);
}

QString tableTopName(QSize size, QPoint at, qreal scale) {
    return QStringLiteral("table-%1-%2x%3-%4x%5")
        .arg(qRound(scale * 1000))
        .arg(size.width())
        .arg(size.height())
        .arg(at.x())
        .arg(at.y());
}

QRect scaled(const QRect& r, qreal s) {
    if (s == 1.0) return r;
    return {qRound(r.x() * s), qRound(r.y() * s), qRound(r.width() * s), qRound(r.height() * s)};
}

// Widgets whose inner widgets are their own business (viewports, scroll
// bars, line edits' parts) are placed as a whole.
bool ownsItsChildren(const QWidget* w) {
    return qobject_cast<const QAbstractScrollArea*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w);
}

template <typename F>
void forEachTableWidget(QWidget* parent, F&& f) {
    for (QObject* o : parent->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w->isWindow()) continue;
        f(w);
        if (!ownsItsChildren(w)) forEachTableWidget(w, f);
    }
}

} // namespace

TableScaler::TableScaler(QWidget* client)
    : QObject(client), client_(client), cacheFolder_(PictureCache::defaultFolder()) {
    setObjectName(QStringLiteral("tablescaler"));
    client_->setProperty(kScaler, QVariant::fromValue<QObject*>(this));
    client_->installEventFilter(this);
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&settle_, &QTimer::timeout, this, &TableScaler::kick);
}

TableScaler::~TableScaler() {
    // A drawing still running is of no use any more; the program's end
    // does not wait for it.
    *stop_ = true;
}

void TableScaler::capture() {
    forEachTableWidget(client_, [](QWidget* w) {
        if (!w->property(kBaseRect).isValid()) w->setProperty(kBaseRect, w->geometry());
        if (w->testAttribute(Qt::WA_SetFont) && !w->property(kBaseFontPx).isValid() &&
            !w->property(kBaseFontPt).isValid()) {
            const QFont f = w->font();
            if (f.pixelSize() > 0)
                w->setProperty(kBaseFontPx, f.pixelSize());
            else
                w->setProperty(kBaseFontPt, f.pointSizeF());
        }
    });
    captured_ = true;
    apply();
}

void TableScaler::growWithTable(QWidget* w) { w->setProperty(kGrow, true); }

void TableScaler::followTableBottom(QWidget* w) { w->setProperty(kFollow, true); }

TableScaler* TableScaler::of(const QWidget* w) {
    for (const QWidget* p = w; p; p = p->parentWidget()) {
        const QVariant v = p->property(kScaler);
        if (v.isValid()) return qobject_cast<TableScaler*>(v.value<QObject*>());
        if (p->isWindow()) break;
    }
    return nullptr;
}

QRect TableScaler::baseGeometry(const QWidget* w) {
    const QVariant v = w->property(kBaseRect);
    return v.isValid() ? v.toRect() : w->geometry();
}

void TableScaler::setBaseGeometry(QWidget* w, const QRect& rect) {
    w->setProperty(kBaseRect, rect);
    if (TableScaler* s = of(w))
        s->place(w);
    else
        w->setGeometry(rect);
}

void TableScaler::place(QWidget* w) const {
    QRect base = w->property(kBaseRect).toRect();
    if (w->property(kGrow).toBool()) base.setHeight(base.height() + extraRows_);
    if (w->property(kFollow).toBool()) base.translate(0, extraRows_);
    QRect r = scaled(base, scale_);
    if (w->parentWidget() == client_) r.translate(origin_);
    if (w->geometry() != r) w->setGeometry(r);
    const QVariant px = w->property(kBaseFontPx);
    const QVariant pt = w->property(kBaseFontPt);
    if (px.isValid() || pt.isValid()) {
        QFont f = w->font();
        if (px.isValid())
            f.setPixelSize(qMax(1, qRound(px.toInt() * scale_)));
        else
            f.setPointSizeF(pt.toReal() * scale_);
        if (f != w->font()) w->setFont(f);
    }
}

const BoardPictures& TableScaler::pictures(const QWidget* w) {
    const TableScaler* s = of(w);
    return s ? s->currentPictures() : BoardPictures::instance();
}

const BoardPictures& TableScaler::currentPictures() const {
    return current_ ? *current_ : BoardPictures::instance();
}

qreal TableScaler::pictureScale() const {
    // Never below 1: a table smaller than 1x shows the 1x pictures reduced
    // (the art draws nothing finer than a pixel per unit).
    const qreal wanted = scale_ * client_->devicePixelRatioF();
    return std::max<qreal>(1.0, std::ceil(wanted * 4.0 - 1e-6) / 4.0);
}

void TableScaler::relayout() { apply(); }

void TableScaler::apply() {
    const QSize size = client_->size();
    const qreal grow = std::min(qreal(size.width()) / kTableSize.width(), qreal(size.height()) / kTableSize.height());
    const qreal fit = std::min(qreal(size.width()) / kSmallestTable.width(),
                               qreal(size.height()) / kSmallestTable.height());
    const qreal s = grow >= 1.0 ? grow : std::clamp<qreal>(fit, kSmallestScale, 1.0);
    const bool changed = s != scale_;
    scale_ = s;
    origin_ = QPoint(std::max(0, (size.width() - qRound(kTableSize.width() * s)) / 2), 0);
    extraRows_ = std::max(0, static_cast<int>(std::floor(size.height() / s)) - kTableSize.height());
    if (captured_) forEachTableWidget(client_, [this](QWidget* w) {
        if (w->property(kBaseRect).isValid()) place(w);
    });
    // A set drawn before for this scale is taken at once.
    const qreal q = pictureScale();
    std::shared_ptr<const BoardPictures> wanted;
    if (q != 1.0) {
        auto it = pictureCache().find(q);
        if (it != pictureCache().end()) wanted = it->second;
    }
    if ((q == 1.0 && current_) || (wanted && wanted != current_)) {
        current_ = wanted;
        emit picturesChanged();
    }
    if (changed || q != toldPictureScale_) {
        // Widgets that draw their own text or pictures (the chat's) are told
        // through their setTableScale(double, double) slot.
        toldPictureScale_ = q;
        forEachTableWidget(client_, [s, q](QWidget* w) {
            if (w->metaObject()->indexOfMethod("setTableScale(double,double)") >= 0)
                QMetaObject::invokeMethod(w, "setTableScale", Qt::DirectConnection, Q_ARG(double, s),
                                          Q_ARG(double, q));
        });
    }
    if (changed) emit scaleChanged(s);
    settle_.start();
    kick();
    client_->update();
}

TableScaler::BackgroundKey TableScaler::wantedBackground() const {
    const QSize size = client_->size();
    if (scale_ == 1.0 && pictureScale() == 1.0 && origin_.isNull() && extraRows_ == 0 &&
        size.width() <= kTableSize.width() &&
        size.height() <= kTableSize.height())
        return {};  // the packaged table top, as it is
    BackgroundKey key;
    // The table's place in whole 1x units at or right of where it stands, so
    // the drawing starts at or left of the window's left edge; two units
    // more across so it reaches past the right edge whatever the rounding.
    key.at = QPoint(static_cast<int>(std::ceil(origin_.x() / scale_ - 1e-9)), 0);
    key.size = QSize(static_cast<int>(std::ceil(size.width() / scale_)) + (key.at.x() > 0 ? 2 : 0),
                     static_cast<int>(std::ceil(size.height() / scale_)))
                   .expandedTo(kTableSize);
    // Drawn for exactly this size, so it goes on the screen pixel for pixel
    // (below 1x: at 1x, reduced).
    key.scale = std::max<qreal>(1.0, scale_ * client_->devicePixelRatioF());
    return key;
}

bool TableScaler::settled() const {
    const qreal q = pictureScale();
    const bool picturesReady = q == 1.0 ? !current_ : (current_ && current_->scale() == q);
    const BackgroundKey bg = wantedBackground();
    return !busyPictures_ && !busyBackground_ && picturesReady && (bg.scale == 0 || bg == backgroundKey_);
}

void TableScaler::kick() {
    if (!painted_) return;
    const qreal q = pictureScale();
    // The results come back through the application object, which outlives
    // every job (see drawingPool), and find this scaler only if it is still
    // there. A drawing is kept in the cache folder once it is shown.
    QPointer<TableScaler> self(this);
    if (!busyPictures_ && q != 1.0 && !pictureCache().count(q)) {
        busyPictures_ = true;
        drawingPool().start([self, q, stop = stop_, folder = cacheFolder_] {
            const PictureCache cache(folder);
            auto drawn = std::make_shared<BoardPictures::Drawn>();
            auto kept = cache.load(picturesName(q));
            const bool fresh = !kept || !BoardPictures::fits(*kept, q);
            *drawn = fresh ? BoardPictures::draw(q, stop.get()) : std::move(*kept);
            if (*stop) return;
            QMetaObject::invokeMethod(QCoreApplication::instance(), [self, drawn, q] {
                if (self) self->picturesDrawn(BoardPictures::make(*drawn, q));
            }, Qt::QueuedConnection);
            if (fresh && cache.save(picturesName(q), *drawn)) cache.prune(kKeptFiles);
        });
    }
    const BackgroundKey key = wantedBackground();
    if (busyBackground_ || key.scale == 0 || key == backgroundKey_) return;
    const PictureCache cache(cacheFolder_);
    const QString name = tableTopName(key.size, key.at, key.scale);
    // The first table top of a window, and one kept from before, are
    // started at once, even while the size may still change.
    if (settle_.isActive() && !background_.isNull() && !QFileInfo::exists(cache.pathOf(name))) return;
    busyBackground_ = true;
    drawingPool().start([self, key, stop = stop_, cache, name] {
        auto image = std::make_shared<QImage>();
        const QSize pixels(qRound(key.size.width() * key.scale), qRound(key.size.height() * key.scale));
        auto kept = cache.load(name);
        const bool fresh = !kept || kept->size() != 1 || kept->front().size() != pixels;
        *image = fresh ? BoardPictures::background(key.size, key.at, key.scale, stop.get()) : kept->front();
        if (*stop) return;
        QMetaObject::invokeMethod(QCoreApplication::instance(), [self, image, key] {
            if (self) self->backgroundDrawn(*image, key);
        }, Qt::QueuedConnection);
        if (fresh && cache.save(name, {*image})) cache.prune(kKeptFiles);
    });
}

void TableScaler::picturesDrawn(std::shared_ptr<const BoardPictures> set) {
    busyPictures_ = false;
    const qreal q = set->scale();
    pictureCache()[q] = set;
    while (pictureCache().size() > kKeptSets) {
        // Drop the set farthest from the scale wanted now.
        const qreal now = pictureScale();
        auto far = pictureCache().begin();
        for (auto it = pictureCache().begin(); it != pictureCache().end(); ++it)
            if (std::abs(it->first - now) > std::abs(far->first - now)) far = it;
        pictureCache().erase(far);
    }
    if (pictureScale() == q) {
        current_ = set;
        emit picturesChanged();
        client_->update();
    }
    kick();
}

void TableScaler::backgroundDrawn(const QImage& image, const BackgroundKey& key) {
    busyBackground_ = false;
    background_ = QPixmap::fromImage(image);
    // Drawn at the table's scale times the screen's density, the picture
    // says so in its device pixel ratio: as it is, QPainter would lay it out
    // at its 1x size (the table top, parchment and plaque at 1x in the
    // corner of a larger window). Its pixels are the screen's pixels, so it
    // carries the screen's ratio and goes on the screen pixel for pixel.
    background_.setDevicePixelRatio(client_->devicePixelRatioF());
    backgroundKey_ = key;
    client_->update();
    kick();
}

QRectF TableScaler::topRect(const BackgroundKey& key) const {
    return {QPointF(origin_) - QPointF(key.at) * scale_, QSizeF(key.size) * scale_};
}

void TableScaler::paintWood(QPainter& p, const QRegion& where) const {
    // Plain planks from the packaged table top (the rows under the seat list
    // and the rack, where the chat stands), at the table's scale, repeated:
    // wood of the table's grain wherever no drawing for this size reaches.
    static const QPixmap band = [] {
        const QPixmap& board = BoardPictures::instance().board;
        return board.height() > kWoodBandTop ? board.copy(0, kWoodBandTop, board.width(), board.height() - kWoodBandTop)
                                             : QPixmap();
    }();
    p.save();
    p.setClipRegion(where);
    p.fillRect(where.boundingRect(), kTableColour);
    if (!band.isNull()) {
        QBrush wood(band);
        QTransform t;
        t.translate(origin_.x(), 0);
        t.scale(scale_, scale_);
        wood.setTransform(t);
        p.fillRect(where.boundingRect(), wood);
    }
    p.restore();
}

void TableScaler::paintBackground() {
    if (!painted_) {
        painted_ = true;
        QTimer::singleShot(0, this, &TableScaler::kick);
    }
    QPainter p(client_);
    const QPixmap& board = BoardPictures::instance().board;
    const BackgroundKey wanted = wantedBackground();
    if (wanted.scale == 0) {
        p.fillRect(client_->rect(), kTableColour);
        p.drawPixmap(0, 0, board);
        return;
    }
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (wanted == backgroundKey_ && wanted.scale != scale_ * client_->devicePixelRatioF()) {
        // A table below 1x: the 1x drawing, reduced.
        p.drawPixmap(topRect(backgroundKey_), background_, QRectF(background_.rect()));
        return;
    }
    if (wanted == backgroundKey_) {
        // Drawn for exactly this size and scale: pixel for pixel, at the
        // nearest whole pixel (the table's place is rounded to a pixel too).
        const QRectF at = topRect(backgroundKey_);
        const QPoint corner(qRound(at.x()), qRound(at.y()));
        const QRect covered(corner, (QSizeF(background_.size()) / background_.devicePixelRatio()).toSize());
        if (!covered.contains(client_->rect()))
            paintWood(p, QRegion(client_->rect()).subtracted(QRegion(covered)));
        p.drawPixmap(corner, background_);
        return;
    }
    // Still being drawn for this size: the nearest drawing at hand, scaled
    // to the table's place and size (the last table top, or the packaged
    // one), over plain planks where it does not reach, so no part of the
    // window is ever bare.
    const QRectF lastTop = background_.isNull() ? QRectF(QPointF(origin_), QSizeF(kTableSize) * scale_)
                                                : topRect(backgroundKey_);
    const QRegion outside = QRegion(client_->rect()).subtracted(QRegion(lastTop.toAlignedRect().adjusted(1, 1, -1, -1)));
    if (!outside.isEmpty()) paintWood(p, outside);
    if (!background_.isNull())
        p.drawPixmap(lastTop, background_, QRectF(background_.rect()));
    else
        p.drawPixmap(lastTop, board, QRectF(board.rect()));
    if (pictureScale() != (current_ ? current_->scale() : 1.0)) kick();
}

bool TableScaler::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_) {
        switch (event->type()) {
        case QEvent::Paint:
            paintBackground();
            return true;
        case QEvent::Resize:
        case QEvent::ScreenChangeInternal:
            apply();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tc::client
