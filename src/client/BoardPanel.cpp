#include "client/BoardPanel.h"
#include "session/SessionDetail.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QFontMetrics>

#include <QLabel>
#include <QPainter>

#include "chat/ReaderRoles.h"
#include "chat/RovingFocus.h"
#include "client/BoardPictures.h"
#include "client/DicePanel.h"
#include "session/Marks.h"
#include "session/TableSpeech.h"
#include "client/TableScaler.h"
#include "client/TileControl.h"

#include <QtMath>

namespace tc::client {

namespace {

const char* const kFallbackNames[6] = {"", "Rudi", "Klick", "Kling", "Klick", "Krazy"};

QLabel* plainLabel(QWidget* parent, const QString& name, const QString& text, QRect geometry,
                   bool bold) {
    auto* l = new QLabel(text, parent);
    if (!name.isEmpty()) l->setObjectName(name);
    // Captions such as "<Waiting>" must never be read as markup.
    l->setTextFormat(Qt::PlainText);
    l->setGeometry(geometry);
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}

QLabel* pictureLabel(QWidget* parent, const QString& name, const QPixmap& picture, QRect geometry) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setPixmap(picture);
    l->setGeometry(geometry);
    // The picture fills the label at any table scale.
    l->setScaledContents(true);
    return l;
}

// Sets what a screen reader says for `w`; the change is told only when
// there is one.
void setSpoken(QWidget* w, const std::string& text) {
    const QString name = QString::fromStdString(text);
    if (w->accessibleName() != name) w->setAccessibleName(name);
}

} // namespace

BoardPanel::BoardPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("panel_board"));
    setGeometry(3, 4, 702, 502);
    QFont base(QStringLiteral("Arial"));
    base.setPixelSize(11);
    setFont(base);
    const auto& pics = BoardPictures::instance();

    auto* header = plainLabel(this, QStringLiteral("label_roundscore"), tr("Round Score"),
                              QRect(118, 29, 60, 9), false);
    QFont small = header->font();
    small.setPixelSize(8);
    header->setFont(small);

    for (int i = 0; i < 6; ++i) {
        Seat& s = seats_[static_cast<std::size_t>(i)];
        const int n = i + 1;
        const auto idx = static_cast<std::size_t>(i);
        s.name = plainLabel(this, QStringLiteral("label_playername%1").arg(n),
                            tr("<Waiting>"), QRect(37, kNameTops[idx], 104, 16), true);
        s.name->setToolTip(QString::fromLatin1(kFallbackNames[i]));
        s.name->setProperty("tag", n);
        s.name->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(s.name, &QWidget::customContextMenuRequested, this, [this, n, label = s.name](QPoint pos) {
            emit seatMenuRequested(n, label->mapToGlobal(pos));
        });
        s.score = plainLabel(this, QStringLiteral("label_score%1").arg(n), QStringLiteral("0"),
                             QRect(143, kNameTops[idx], 7, 16), true);
        auto* marksLabel = plainLabel(this, QStringLiteral("label_marks%1").arg(n),
                                      tr("Marks:"), QRect(10, kPointsTops[idx], 31, 15), false);
        QFont marksFont = marksLabel->font();
        marksFont.setPixelSize(10);  // "Marks:" fits the 31 pixels before the pictures
        // A longer word of another language is drawn a little smaller.
        while (marksFont.pixelSize() > 7 &&
               QFontMetrics(marksFont).horizontalAdvance(marksLabel->text()) > marksLabel->width())
            marksFont.setPixelSize(marksFont.pixelSize() - 1);
        marksLabel->setFont(marksFont);
        s.points = pictureLabel(this, QStringLiteral("image_points%1").arg(n), QPixmap(),
                                QRect(41, kPointsTops[idx], 0, 15));
        s.points->setProperty("tag", 0);
        s.eyes = pictureLabel(this, QStringLiteral("image_eyes%1").arg(n),
                              pics.eyes.scaled(kEyesBox.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                              QRect(kEyesBox.left(), kEyesTops[idx] + kEyesBox.top(), kEyesBox.width(),
                                    kEyesBox.height()));
        s.eyes->hide();
        s.eyes->setAccessibleName(tr("watching"));
        s.eyes->setToolTip(tr("Watching"));
        s.stop = new QWidget(s.name);
        s.stop->setObjectName(QStringLiteral("seat_stop%1").arg(n));
        s.stop->setGeometry(0, 0, 104, 16);
        s.stop->setAttribute(Qt::WA_TransparentForMouseEvents);
        s.stop->installEventFilter(this);
    }
    turn_ = pictureLabel(this, QStringLiteral("image_Turn"), pics.turn,
                         QRect(kTurnLeft, kTurnHomeTop, 16, 16));
    turn_->setAccessibleName(tr("on turn"));

    dice_ = new DicePanel(this);

    tileRow_ = pictureLabel(this, QStringLiteral("image_tilerow"), pics.tileRow, QRect(187, 128, 505, 110));
    chat::reader::hide(tileRow_);  // the rack behind the tiles: nothing to read
    for (int i = 0; i < 9; ++i) {
        auto* t = new TileControl(i + 1, pics.tileStrip(i + 1), this);
        t->move(kTileLefts[static_cast<std::size_t>(i)], 128);
        t->setProperty("state", QStringLiteral("u"));
        t->setCursor(Qt::PointingHandCursor);
        connect(t, &TileControl::pressed, this, &BoardPanel::tilePressed);
        tiles_[static_cast<std::size_t>(i)] = t;
        setSpoken(t, TableSpeech::tile(i + 1, "u"));
    }
    tileFocus_ = new chat::RovingFocus(std::vector<QWidget*>(tiles_.begin(), tiles_.end()), this);
    std::vector<QWidget*> names;
    for (const Seat& seat : seats_) names.push_back(seat.stop);
    seatFocus_ = new chat::RovingFocus(names, this);

    pointsToWin_ = plainLabel(this, QStringLiteral("label_pointstowin"),
                              tr("Marks needed to win: 3"), QRect(188, 248, 305, 14), true);
    pointsToWin_->setProperty("tag", 3);
    rounds_ = plainLabel(this, QStringLiteral("label_rounds"), tr("Rounds Played: 0"),
                         QRect(495, 248, 193, 14), false);
    rounds_->setProperty("tag", 0);

    // A spectator's table looks like a seated player's but for this line.
    spectating_ = plainLabel(this, QStringLiteral("label_spectating"),
                             tr("Watching \u2014 seats are full"), QRect(10, 8, 170, 16), true);
    spectating_->hide();

    auto* banner = new QLabel(this);  // a QLabel paints its frame and background itself
    banner->setObjectName(QStringLiteral("panel_winner"));
    banner->setGeometry(203, 27, 473, 41);
    banner->setAutoFillBackground(true);
    QPalette pal = banner->palette();
    pal.setColor(QPalette::Window, QColor(248, 249, 236));
    pal.setColor(QPalette::WindowText, QColor(120, 20, 20));
    banner->setPalette(pal);
    if (pics.winnerBanner.isNull()) {
        banner->setFrameStyle(QFrame::Panel | QFrame::Raised);
        banner->setLineWidth(2);
    } else {
        banner->setPixmap(pics.winnerBanner);
        banner->setScaledContents(true);
    }
    winnerPanel_ = banner;
    winner_ = plainLabel(banner, QStringLiteral("label_winner"), tr("Winner!"),
                         QRect(8, 11, 457, 19), true);
    winner_->setAlignment(Qt::AlignCenter);
    QFont wf = winner_->font();
    wf.setUnderline(true);
    wf.setPixelSize(14);
    winner_->setFont(wf);
    banner->hide();
}

QPixmap BoardPanel::marksPicture(int marks, int target, const QPixmap& olive, const QPixmap& green) {
    if (marks <= 0) return {};
    const qreal scale = olive.devicePixelRatio();
    QPixmap pic(qRound(11 * marks * scale), qRound(15 * scale));
    pic.setDevicePixelRatio(scale);
    pic.fill(Qt::transparent);
    QPainter p(&pic);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < marks; ++i) {
        const bool last = markIsGreen(i, target);
        p.drawPixmap(11 * i, 0, last ? green : olive);
        // The last Marks before the win stand out by a shape as well as by
        // their colour: a light dot on the flag.
        if (last) {
            p.setPen(QPen(QColor(20, 40, 20), 0.8));
            p.setBrush(QColor(255, 255, 240));
            p.drawEllipse(QPointF(11 * i + 6.5, 4.5), 2.2, 2.2);
        }
    }
    return pic;
}

TileControl* BoardPanel::tile(int n) const {
    return n >= 1 && n <= 9 ? tiles_[static_cast<std::size_t>(n - 1)] : nullptr;
}

QLabel* BoardPanel::seatName(int seat) const {
    return seat >= 1 && seat <= 6 ? seats_[static_cast<std::size_t>(seat - 1)].name : nullptr;
}

QWidget* BoardPanel::seatStop(int seat) const {
    return seat >= 1 && seat <= 6 ? seats_[static_cast<std::size_t>(seat - 1)].stop : nullptr;
}

void BoardPanel::usePictures(const BoardPictures& pics) {
    for (Seat& s : seats_) {
        s.eyes->setPixmap(pics.eyes);
        if (s.marks > 0)
            s.points->setPixmap(marksPicture(s.marks, s.target, pics.markOlive, pics.markGreen));
    }
    turn_->setPixmap(pics.turn);
    tileRow_->setPixmap(pics.tileRow);
    if (!pics.winnerBanner.isNull()) winnerPanel_->setPixmap(pics.winnerBanner);
    for (std::size_t i = 0; i < 9; ++i) tiles_[i]->setStrip(pics.tileStrip(static_cast<int>(i) + 1));
    dice_->usePictures(pics);
}

bool BoardPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool menuKey = key->key() == Qt::Key_Menu ||
                             (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier) ||
                             ((key->key() == Qt::Key_Space || key->key() == Qt::Key_Return ||
                               key->key() == Qt::Key_Enter) &&
                              key->modifiers() == Qt::NoModifier);
        for (std::size_t i = 0; i < seats_.size() && menuKey; ++i) {
            QWidget* stop = seats_[i].stop;
            if (watched != stop) continue;
            emit seatMenuRequested(static_cast<int>(i) + 1, stop->mapToGlobal(QPoint(0, stop->height())));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void BoardPanel::showTable(const TableState& table) {
    const auto& pics = TableScaler::pictures(this);
    for (std::size_t i = 0; i < 6; ++i) {
        Seat& s = seats_[i];
        const SeatDisplay& d = table.seats[i];
        // Away is told in words, not by a colour alone; a long name gives
        // way so that the word is never the part cut off.
        // A free seat is state; its caption is shown in the player's language.
        QString caption = d.caption == detail::kWaiting ? tr("<Waiting>") : QString::fromStdString(d.caption);
        if (d.away) {
            const QString mark = tr(" (away)");
            const QFontMetrics fm(s.name->font());
            caption = fm.elidedText(caption, Qt::ElideRight, qMax(0, s.name->width() - fm.horizontalAdvance(mark))) + mark;
        }
        s.name->setText(caption);
        s.name->setToolTip(QString::fromStdString(d.hint));
        setSpoken(s.stop, TableSpeech::seat(table, static_cast<int>(i) + 1));
        s.score->setText(QString::fromStdString(d.score));
        // Wide scores ("45") must not be clipped by the narrow caption box.
        // The hint is in the table's present scale; the layout is in 1x units.
        const qreal scale = TableScaler::of(this) ? TableScaler::of(this)->scale() : 1.0;
        const QRect scoreAt = TableScaler::baseGeometry(s.score);
        TableScaler::setBaseGeometry(
            s.score, QRect(scoreAt.topLeft(),
                           QSize(qMax(7, qCeil(s.score->sizeHint().width() / scale)), 16)));
        if (d.marks != s.marks || table.pointsToWin != s.target) {
            s.marks = d.marks;
            s.target = table.pointsToWin;
            const int k = qMax(0, d.marks);
            s.points->setPixmap(marksPicture(k, table.pointsToWin, pics.markOlive, pics.markGreen));
            TableScaler::setBaseGeometry(s.points,
                                         QRect(TableScaler::baseGeometry(s.points).topLeft(), QSize(11 * k, 15)));
            s.points->setProperty("tag", d.marks);
            const QString marksText = QString::fromStdString(TableSpeech::marks(d.marks));
            s.points->setToolTip(k > 0 ? marksText : QString());
            s.points->setAccessibleName(marksText);
        }
        s.eyes->setVisible(d.eyes);
    }
    const int seat = table.turnSeat;
    const bool onSeat = seat >= 1 && seat <= 6;
    const bool besideEyes = onSeat && table.seats[static_cast<std::size_t>(seat - 1)].eyes;
    TableScaler::setBaseGeometry(turn_, QRect(besideEyes ? kTurnLeftBesideEyes : kTurnLeft,
                                              onSeat ? kNameTops[static_cast<std::size_t>(seat - 1)] : kTurnHomeTop,
                                              16, 16));
    const QString dice = QString::fromStdString(TableSpeech::dice(table));
    for (std::size_t i = 0; i < 9; ++i) {
        TileControl* t = tiles_[i];
        const QString letter = QString::fromStdString(table.tiles[i]);
        const bool downBefore = t->property("state").toString() == QLatin1String("d");
        t->setProperty("state", letter);
        // An open tile that is not sliding shows open: a table begun afresh
        // (back to a solo game) starts with the last game's tiles shut.
        if (letter == QLatin1String("u") && !t->playing() && t->frame() != 0) t->setFrame(0);
        t->setBestMove(table.bestMove[i]);
        setSpoken(t, TableSpeech::tile(static_cast<int>(i) + 1, table.tiles[i]));
        // The roll is what the tiles are chosen for: a reader moving along
        // the rack hears it with each tile.
        if (t->accessibleDescription() != dice) t->setAccessibleDescription(dice);
        if (downBefore != (letter == QLatin1String("d"))) {
            QAccessible::State changed;
            changed.checked = true;
            QAccessibleStateChangeEvent event(t, changed);
            QAccessible::updateAccessibility(&event);
        }
    }
    dice_->showTable(table);
    pointsToWin_->setText(QString::fromStdString(table.pointsToWinText));
    pointsToWin_->setProperty("tag", table.pointsToWin);
    rounds_->setText(QString::fromStdString(table.roundsText));
    rounds_->setProperty("tag", table.rounds);
    winner_->setText(QString::fromStdString(table.winnerText));
    spectating_->setVisible(table.spectating);
    winnerPanel_->setVisible(table.winnerVisible);
    if (table.winnerVisible) winnerPanel_->raise();
}

} // namespace tc::client
