#include "client/GameStartWindow.h"

#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "client/BoardPictures.h"
#include "windows/DialogKeys.h"
#include "windows/ShowCentred.h"

namespace tc::client {

GameStartWindow::GameStartWindow(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setObjectName(QStringLiteral("Tgamestart"));
    setWindowTitle(tr("Tilecrest - Game Start"));
    setFixedSize(257, 134);
    QFont base(QStringLiteral("Arial"));
    base.setPixelSize(11);
    setFont(base);

    auto label = [this](const QString& text, QRect geometry, bool bold, int pixelSize) {
        auto* l = new QLabel(text, this);
        l->setGeometry(geometry);
        QFont f = l->font();
        f.setBold(bold);
        f.setPixelSize(pixelSize);
        l->setFont(f);
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, QColor(255, 248, 220));
        l->setPalette(p);
        return l;
    };
    heading_ = label(tr("Game Options"), QRect(12, 8, 233, 18), true, 14);
    heading_->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    QLabel* playTo = label(tr("Play to"), QRect(40, 40, 50, 20), true, 12);

    spin_ = new QSpinBox(this);
    spin_->setObjectName(QStringLiteral("edit_playtoscore"));
    spin_->setRange(3, 10);
    spin_->setValue(5);
    spin_->setWrapping(false);
    spin_->setGeometry(96, 38, 52, 24);
    playTo->setBuddy(spin_);  // a reader names the box by it
    // A typed number counts like the arrows' (the box keeps what it cannot
    // hold out of it); Start reads the text itself, so a number typed just
    // before the click is the one taken.
    connect(spin_->findChild<QLineEdit*>(), &QLineEdit::textEdited, this, [this] { showHeading(true); });

    label(tr("Marks"), QRect(156, 40, 60, 20), true, 12);

    label(tr("Rudi plays:"), QRect(20, 71, 76, 20), true, 12);
    auto radio = [this](const QString& text, const QString& name, QRect geometry) {
        auto* r = new QRadioButton(text, this);
        r->setObjectName(name);
        r->setGeometry(geometry);
        QFont f = r->font();
        f.setBold(true);
        f.setPixelSize(12);
        r->setFont(f);
        QPalette p = r->palette();
        p.setColor(QPalette::WindowText, QColor(255, 248, 220));
        p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(170, 160, 140));
        r->setPalette(p);
        return r;
    };
    classic_ = radio(tr("Classic"), QStringLiteral("radio_classic"), QRect(98, 70, 72, 22));
    expert_ = radio(tr("Expert"), QStringLiteral("radio_expert"), QRect(172, 70, 72, 22));
    classic_->setChecked(true);
    auto* group = new QButtonGroup(this);
    group->addButton(classic_);
    group->addButton(expert_);
    connect(classic_, &QRadioButton::clicked, this, [this] { emit rudiChosen(game::Rudi::Classic); });
    connect(expert_, &QRadioButton::clicked, this, [this] { emit rudiChosen(game::Rudi::Expert); });

    start_ = new QPushButton(tr("Start Game"), this);
    start_->setObjectName(QStringLiteral("button_start"));
    start_->setGeometry(88, 100, 81, 25);
    start_->setDefault(true);
    // A click must not take the focus first: the box would put its last
    // good number back over a half-typed one before Start could refuse it.
    start_->setFocusPolicy(Qt::TabFocus);
    connect(start_, &QPushButton::clicked, this, [this] {
        bool ok = false;
        const int marks = spin_->findChild<QLineEdit*>()->text().trimmed().toInt(&ok);
        if (!ok || marks < spin_->minimum() || marks > spin_->maximum()) {
            // Said where the eye is, and the text is there to type over.
            showHeading(false);
            spin_->setFocus();
            spin_->selectAll();
            return;
        }
        spin_->setValue(marks);
        hide();
        emit startRequested(marks);
    });
    windows::DialogKeys::install(this, start_);
}

void GameStartWindow::showHeading(bool options) {
    heading_->setText(options ? tr("Game Options") : tr("Play to 3 to 10 Marks"));
    QPalette p = heading_->palette();
    p.setColor(QPalette::WindowText, options ? QColor(255, 248, 220) : QColor(255, 140, 120));
    heading_->setPalette(p);
}

int GameStartWindow::playToScore() const { return spin_->value(); }

void GameStartWindow::setPlayToScore(int marks) { spin_->setValue(marks); }

void GameStartWindow::setRudiChoosable(bool choosable) {
    const QString why =
        choosable ? QString() : tr("The game server decides how Rudi plays (tilecrest-server --rudi).");
    for (QRadioButton* r : {classic_, expert_}) {
        r->setEnabled(choosable);
        r->setToolTip(why);
    }
}

game::Rudi GameStartWindow::rudi() const { return expert_->isChecked() ? game::Rudi::Expert : game::Rudi::Classic; }

void GameStartWindow::setRudi(game::Rudi rudi) { (rudi == game::Rudi::Expert ? expert_ : classic_)->setChecked(true); }

void GameStartWindow::showCentredOn(QWidget* over) {
    showHeading(true);
    windows::showCentredOn(this, over);
}

void GameStartWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(145, 124, 87));
    // The plain planks of the main window's background, away from its cards.
    p.drawPixmap(rect(), BoardPictures::instance().board, QRect(QPoint(220, 420), size()));
}

} // namespace tc::client
