#include "client/BoardPictures.h"

#include <QCoreApplication>
#include <QFont>
#include <QPainter>

#include <algorithm>

#include "art/BoardArt.h"
#include "art/DiceArt.h"
#include "art/Effects.h"
#include "art/SmallArt.h"
#include "art/TileArt.h"

namespace tc::client {

namespace {

QPixmap load(const QString& name, QSize size, QColor fill, const QString& text = {}) {
    QPixmap p(QStringLiteral(":/images/") + name);
    if (!p.isNull()) return p;
    QPixmap stand(size);
    stand.fill(fill);
    if (!text.isEmpty()) {
        QPainter painter(&stand);
        QFont f;
        f.setBold(true);
        f.setPixelSize(qMax(8, size.height() * 2 / 3));
        painter.setFont(f);
        painter.setPen(Qt::white);
        painter.drawText(stand.rect(), Qt::AlignCenter, text);
    }
    return stand;
}

} // namespace

const BoardPictures& BoardPictures::instance() {
    static const BoardPictures pictures;
    return pictures;
}

BoardPictures::BoardPictures() {
    for (int i = 0; i < 9; ++i) {
        // No stand-in strip: the tile control draws its own numbered one.
        tiles_[i] = QPixmap(QStringLiteral(":/images/tile%1.png").arg(i + 1));
    }
    for (int i = 0; i < 6; ++i)
        dice_[i] = load(QStringLiteral("dice%1.png").arg(i + 1), {32, 32}, QColor(250, 250, 245),
                        QString());
    for (int i = 0; i < 6; ++i) {
        if (!QPixmap(QStringLiteral(":/images/dice%1.png").arg(i + 1)).isNull()) continue;
        QPainter painter(&dice_[i]);
        painter.setPen(Qt::black);
        painter.drawRect(0, 0, 31, 31);
        QFont f;
        f.setBold(true);
        f.setPixelSize(20);
        painter.setFont(f);
        painter.drawText(dice_[i].rect(), Qt::AlignCenter, QString::number(i + 1));
    }
    markOlive = load(QStringLiteral("mark_olive.png"), {11, 15}, QColor(128, 128, 0));
    markGreen = load(QStringLiteral("mark_green.png"), {11, 15}, QColor(0, 160, 0));
    eyes = load(QStringLiteral("eyes.png"), {29, 10}, QColor(255, 255, 255));
    turn = load(QStringLiteral("turn.png"), {16, 16}, QColor(200, 30, 30));
    // The packaged buttons say their words in English; another language
    // draws its own.
    const QString roll = QCoreApplication::translate("BoardPictures", "Roll Dice");
    const QString start = QCoreApplication::translate("BoardPictures", "Start Game");
    buttonRoll = roll == QLatin1String("Roll Dice")
                     ? load(QStringLiteral("button_roll.png"), {97, 19}, QColor(60, 90, 40), roll)
                     : QPixmap::fromImage(art::brassButton(roll, art::ButtonIcon::Die));
    buttonStart = start == QLatin1String("Start Game")
                      ? load(QStringLiteral("button_start.png"), {97, 19}, QColor(60, 90, 40), start)
                      : QPixmap::fromImage(art::brassButton(start, art::ButtonIcon::Play));
    dicePanel = load(QStringLiteral("dicepanel.png"), {505, 121}, QColor(40, 100, 50));
    tileRow = load(QStringLiteral("tilerow.png"), {505, 110}, QColor(90, 60, 30));
    board = load(QStringLiteral("board.jpg"), {717, 555}, QColor(145, 124, 87));
    winnerBanner = QPixmap(QStringLiteral(":/images/banner.png"));
}

BoardPictures::Drawn BoardPictures::draw(qreal scale, const std::atomic<bool>* stop) {
    const art::Resolution resolution(scale, stop);
    Drawn d;
    for (int i = 0; i < 9; ++i) {
        if (art::Resolution::stopping()) return d;
        d.push_back(art::tileStrip(i + 1));
    }
    for (int i = 0; i < 6; ++i) d.push_back(art::dieFace(i + 1));
    d.push_back(art::markPennant(QColor(140, 134, 30)));
    d.push_back(art::markPennant(QColor(36, 160, 56)));
    d.push_back(art::watchingEyes());
    d.push_back(art::turnArrow());
    d.push_back(art::brassButton(QCoreApplication::translate("BoardPictures", "Roll Dice"), art::ButtonIcon::Die));
    d.push_back(art::brassButton(QCoreApplication::translate("BoardPictures", "Start Game"), art::ButtonIcon::Play));
    d.push_back(art::dicePanel());
    d.push_back(art::tileRow());
    d.push_back(art::winnerBanner());
    return d;
}

bool BoardPictures::fits(const Drawn& drawn, qreal scale) {
    // Nine tile strips, six dice, two marks, eyes, turn arrow, two buttons,
    // the dice tray, the rack and the banner; every one at `scale`.
    if (drawn.size() != 24) return false;
    return std::all_of(drawn.begin(), drawn.end(),
                       [scale](const QImage& i) { return !i.isNull() && i.devicePixelRatio() == scale; });
}

BoardPictures::BoardPictures(const Drawn& d, qreal scale) : scale_(scale) {
    std::size_t k = 0;
    auto next = [&] { return k < d.size() ? QPixmap::fromImage(d[k++]) : QPixmap(); };
    for (auto& t : tiles_) t = next();
    for (auto& f : dice_) f = next();
    markOlive = next();
    markGreen = next();
    eyes = next();
    turn = next();
    buttonRoll = next();
    buttonStart = next();
    dicePanel = next();
    tileRow = next();
    winnerBanner = next();
}

std::shared_ptr<const BoardPictures> BoardPictures::make(const Drawn& drawn, qreal scale) {
    return std::shared_ptr<const BoardPictures>(new BoardPictures(drawn, scale));
}

QImage BoardPictures::background(QSize size, QPoint at, qreal scale, const std::atomic<bool>* stop) {
    const art::Resolution resolution(scale, stop);
    return art::boardBackground(size, at);
}

QPixmap BoardPictures::tileStrip(int tile) const {
    return tile >= 1 && tile <= 9 ? tiles_[tile - 1] : QPixmap();
}

QPixmap BoardPictures::die(int face) const {
    return face >= 1 && face <= 6 ? dice_[face - 1] : QPixmap();
}

} // namespace tc::client
