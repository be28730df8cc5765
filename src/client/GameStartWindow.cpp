#include "client/GameStartWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QButtonGroup>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "client/BoardPictures.h"
#include "windows/ShowCentred.h"

namespace tc::client {

GameStartWindow::GameStartWindow(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setObjectName(QStringLiteral("Tgamestart"));
    setWindowTitle(QStringLiteral("Tilecrest - Game Start"));
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
    label(QStringLiteral("Game Options"), QRect(12, 8, 233, 18), true, 14)
        ->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    label(QStringLiteral("Play to"), QRect(40, 40, 50, 20), true, 12);

    spin_ = new QSpinBox(this);
    spin_->setObjectName(QStringLiteral("edit_playtoscore"));
    spin_->setRange(3, 10);
    spin_->setValue(5);
    spin_->setWrapping(false);
    spin_->setGeometry(96, 38, 52, 24);
    // The number changes only through the arrows, never by typing.
    if (auto* edit = spin_->findChild<QLineEdit*>()) {
        edit->setReadOnly(true);
        // The style selects the number after each step, which makes the
        // read-only box look editable; drop the selection once it is made.
        connect(spin_, &QSpinBox::valueChanged, edit, &QLineEdit::deselect, Qt::QueuedConnection);
    }

    label(QStringLiteral("Marks"), QRect(156, 40, 60, 20), true, 12);

    label(QStringLiteral("Rudi plays:"), QRect(20, 71, 76, 20), true, 12);
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
        r->setPalette(p);
        return r;
    };
    classic_ = radio(QStringLiteral("Classic"), QStringLiteral("radio_classic"), QRect(98, 70, 72, 22));
    expert_ = radio(QStringLiteral("Expert"), QStringLiteral("radio_expert"), QRect(172, 70, 72, 22));
    classic_->setChecked(true);
    auto* group = new QButtonGroup(this);
    group->addButton(classic_);
    group->addButton(expert_);
    connect(classic_, &QRadioButton::clicked, this, [this] { emit rudiChosen(game::Rudi::Classic); });
    connect(expert_, &QRadioButton::clicked, this, [this] { emit rudiChosen(game::Rudi::Expert); });

    start_ = new QPushButton(QStringLiteral("Start Game"), this);
    start_->setObjectName(QStringLiteral("button_start"));
    start_->setGeometry(88, 100, 81, 25);
    start_->setDefault(true);
    connect(start_, &QPushButton::clicked, this, [this] {
        hide();
        emit startRequested(spin_->value());
    });
}

int GameStartWindow::playToScore() const { return spin_->value(); }

void GameStartWindow::setPlayToScore(int marks) { spin_->setValue(marks); }

game::Rudi GameStartWindow::rudi() const { return expert_->isChecked() ? game::Rudi::Expert : game::Rudi::Classic; }

void GameStartWindow::setRudi(game::Rudi rudi) { (rudi == game::Rudi::Expert ? expert_ : classic_)->setChecked(true); }

void GameStartWindow::showCentredOn(QWidget* over) {
    windows::showCentredOn(this, over);
}

void GameStartWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(145, 124, 87));
    // The plain planks of the main window's background, away from its cards.
    p.drawPixmap(rect(), BoardPictures::instance().board, QRect(QPoint(220, 420), size()));
}

} // namespace tc::client
