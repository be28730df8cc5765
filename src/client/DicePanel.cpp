#include "client/DicePanel.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include "chat/ReaderRoles.h"
#include "client/BoardPictureButton.h"
#include "client/BoardPictures.h"
#include "client/TableScaler.h"
#include "session/TableSpeech.h"

namespace tc::client {

DicePanel::DicePanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("panel_dicepanel"));
    setGeometry(186, 8, 505, 121);
    const auto& pics = BoardPictures::instance();

    auto makeDie = [this](int n, int left) {
        auto* d = new QLabel(this);
        d->setObjectName(QStringLiteral("dice%1").arg(n));
        d->setGeometry(left, 67, 32, 32);
        d->setProperty("tag", 0);
        d->setScaledContents(true);
        d->setAccessibleName(tr("Die %1: not rolled yet").arg(n));
        return d;
    };
    // The logo embossed on the cloth (drawn into the panel's picture) opens
    // the maker's web site; it lies under the dice and the buttons.
    logo_ = new QWidget(this);
    logo_->setObjectName(QStringLiteral("image_logo"));
    logo_->setGeometry(326, 24, 132, 32);
    logo_->setCursor(Qt::PointingHandCursor);
    logo_->installEventFilter(this);
    chat::reader::hide(logo_);  // the mouse's way to the web site, drawn into the cloth

    dice1_ = makeDie(1, 19);
    dice2_ = makeDie(2, 59);

    roll_ = new BoardPictureButton(QStringLiteral("button_roll"), pics.buttonRoll, this);
    roll_->setGeometry(384, 70, 97, 19);
    roll_->hide();
    start_ = new BoardPictureButton(QStringLiteral("button_start"), pics.buttonStart, this);
    start_->setGeometry(384, 70, 97, 19);
    start_->hide();
    roll_->setAccessibleName(tr("Roll Dice"));
    start_->setAccessibleName(tr("Start Game"));
    connect(roll_, &QAbstractButton::clicked, this, &DicePanel::rollClicked);
    connect(start_, &QAbstractButton::clicked, this, &DicePanel::startClicked);

    status_ = new QLabel(tr("Welcome to Tilecrest"), this);
    status_->setObjectName(QStringLiteral("label_status"));
    status_->setGeometry(12, 90, 480, 14);
    status_->setTextFormat(Qt::PlainText);
    status_->setAlignment(Qt::AlignCenter);
    QFont bold = status_->font();
    bold.setBold(true);
    status_->setFont(bold);
    // The coach's advice has a place of its own, so the turn's own line
    // ("YOUR TURN.") stays in view beside it: on the cloth left of where
    // the dice can land, written like chalk.
    coach_ = new QLabel(this);
    coach_->setObjectName(QStringLiteral("label_coach"));
    coach_->setGeometry(18, 20, 128, 56);  // inside the stitching, clear of the dice (x >= 152)
    coach_->setTextFormat(Qt::PlainText);
    coach_->setWordWrap(true);
    coach_->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    QPalette chalk = coach_->palette();
    chalk.setColor(QPalette::WindowText, QColor(255, 248, 220));
    coach_->setPalette(chalk);
}

void DicePanel::showTable(const TableState& table) {
    QLabel* dice[2] = {dice1_, dice2_};
    for (int i = 0; i < 2; ++i) {
        const DieDisplay& d = table.dice[static_cast<std::size_t>(i)];
        if (d.face != faces_[i]) {
            faces_[i] = d.face;
            dice[i]->setPixmap(TableScaler::pictures(this).die(d.face));  // null for 0: empty
            dice[i]->setProperty("tag", d.face);
            dice[i]->setAccessibleName(d.face > 0 ? tr("Die %1: %2").arg(i + 1).arg(d.face)
                                                  : tr("Die %1: not rolled yet").arg(i + 1));
        }
        TableScaler::setBaseGeometry(dice[i], QRect(d.left, d.top, 32, 32));
    }
    // The dice as one reading ("Dice: 4 and 5"), told when they change.
    const QString spoken = QString::fromStdString(TableSpeech::dice(table));
    if (accessibleName() != spoken) setAccessibleName(spoken);
    // A new status line is told to a screen reader as a change of the
    // label's name (QLabel tells it).
    status_->setText(QString::fromStdString(table.status));
    coach_->setText(QString::fromStdString(table.coach));
    roll_->setVisible(table.rollVisible);
    start_->setVisible(table.startVisible);
}

void DicePanel::usePictures(const BoardPictures& pictures) {
    QLabel* dice[2] = {dice1_, dice2_};
    for (int i = 0; i < 2; ++i)
        if (faces_[i] != 0) dice[i]->setPixmap(pictures.die(faces_[i]));
    roll_->setPicture(pictures.buttonRoll);
    start_->setPicture(pictures.buttonStart);
    update();
}

bool DicePanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == logo_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
        logo_->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
        emit logoClicked();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void DicePanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPixmap& cloth = TableScaler::pictures(this).dicePanel;
    const QRectF target(rect());
    if (target.size() * devicePixelRatioF() != QSizeF(cloth.size()))
        p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(target, cloth, QRectF(cloth.rect()));
}

} // namespace tc::client
