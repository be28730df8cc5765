#include "chat/SmileyImages.h"

#include <QHash>
#include <QPainter>
#include <array>

#include "art/Effects.h"
#include "art/SmileyArt.h"

namespace tc::chat {
namespace {

QImage drawFallback(int index) {
    QImage img(SmileyImages::kWidth, SmileyImages::kHeight, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // A yellow face whose mouth and eyes vary a little with the index, so
    // different codes stay distinguishable.
    p.setPen(QPen(QColor(90, 60, 0), 1));
    p.setBrush(QColor(255, 214, 0));
    p.drawEllipse(QRectF(1.5, 0.5, 14, 14));
    p.setBrush(QColor(40, 30, 0));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(5, 4, 2, 3));
    p.drawEllipse(QRectF(10, 4, 2, 3));
    p.setPen(QPen(QColor(40, 30, 0), 1.2));
    p.setBrush(Qt::NoBrush);
    const int mood = index % 3;
    if (mood == 0) p.drawArc(QRectF(5, 6, 7, 5), 200 * 16, 140 * 16);       // smile
    else if (mood == 1) p.drawLine(QPointF(6, 10.5), QPointF(11, 10.5));    // flat
    else p.drawArc(QRectF(5, 9.5, 7, 4), 20 * 16, 140 * 16);               // frown
    return img;
}

} // namespace

QString SmileyImages::resourcePath(int index) {
    return QStringLiteral(":/smilies/smiley%1.png").arg(index);
}

QImage SmileyImages::image(int index) {
    if (index < 0 || index >= kCount) index = 0;
    static std::array<QImage, kCount> cache;
    QImage& img = cache[static_cast<std::size_t>(index)];
    if (img.isNull()) {
        QImage loaded(resourcePath(index));
        if (loaded.isNull()) loaded = drawFallback(index);
        else if (loaded.size() != QSize(kWidth, kHeight))
            loaded = loaded.scaled(kWidth, kHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        img = loaded;
    }
    return img;
}

QImage SmileyImages::image(int index, double scale) {
    if (scale == 1.0) return image(index);
    if (index < 0 || index >= kCount) index = 0;
    static QHash<QPair<int, int>, QImage> cache;  // by index and scale in hundredths
    const QPair<int, int> key(index, qRound(scale * 100));
    auto it = cache.find(key);
    if (it == cache.end()) {
        const art::Resolution resolution(scale);
        it = cache.insert(key, art::smiley(index));
    }
    return *it;
}

} // namespace tc::chat
