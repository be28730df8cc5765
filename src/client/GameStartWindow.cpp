#include "client/GameStartWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>

#include "client/BoardPictures.h"
#include "windows/ShowCentred.h"

namespace tc::client {

GameStartWindow::GameStartWindow(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setObjectName(QStringLiteral("Tgamestart"));
    setWindowTitle(QStringLiteral("Tilecrest - Game Start"));
    setFixedSize(257, 106);
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

    start_ = new QPushButton(QStringLiteral("Start Game"), this);
    start_->setObjectName(QStringLiteral("button_start"));
    start_->setGeometry(88, 72, 81, 25);
    start_->setDefault(true);
    connect(start_, &QPushButton::clicked, this, [this] {
        hide();
        emit startRequested(spin_->value());
    });
}

int GameStartWindow::playToScore() const { return spin_->value(); }

void GameStartWindow::setPlayToScore(int marks) { spin_->setValue(marks); }

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
