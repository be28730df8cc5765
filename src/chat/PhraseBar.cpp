#include "chat/PhraseBar.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QToolButton>

#include "art/Effects.h"
#include "art/ExtraArt.h"
#include "store/Phrases.h"
#include "chat/RovingFocus.h"
#include "chat/ScaledStyle.h"
#include "chat/SoundsMenu.h"

namespace tc::chat {

PhraseBar::PhraseBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("phrasebar"));
    resize(kButtonWidth, kButtonHeight * 10);
    for (int i = 0; i < 10; ++i) {
        auto* b = new QToolButton(this);
        const int n = i + 1;
        b->setObjectName(QStringLiteral("b_phrase%1").arg(n));
        b->setGeometry(0, i * kButtonHeight, kButtonWidth, kButtonHeight);
        b->setIcon(QIcon(n <= store::kPhraseCount ? QStringLiteral(":/images/phrase%1.png").arg(n)
                                           : QStringLiteral(":/images/sounds.png")));
        b->setIconSize(QSize(kButtonWidth, kButtonHeight));
        b->setStyleSheet(QStringLiteral("QToolButton { border: none; padding: 0; }"));
        buttons_[i] = b;
        b->installEventFilter(this);
        if (n <= store::kPhraseCount) {
            setPhrase(n, QCoreApplication::translate("Phrases", store::kDefaultPhrases[static_cast<std::size_t>(i)]));
            b->setAccessibleDescription(tr("Sends this phrase to the chat"));
            connect(b, &QToolButton::clicked, this, [this, b] { emit phraseClicked(b->toolTip()); });
        } else {
            b->setToolTip(tr("Chatter Sounds"));
            b->setAccessibleName(tr("Chatter Sounds"));
        }
    }
    // One stop of Tab; Up and Down move along the strip.
    focus_ = new RovingFocus(std::vector<QWidget*>(std::begin(buttons_), std::end(buttons_)), this);
    rest_ = new QTimer(this);
    rest_->setSingleShot(true);
    rest_->setTimerType(Qt::PreciseTimer);  // never before the session takes phrases again
    connect(rest_, &QTimer::timeout, this, [this] {
        for (int i = 0; i < store::kPhraseCount; ++i) buttons_[i]->setEnabled(true);
    });
    menu_ = new SoundsMenu(this);
    connect(menu_, &SoundsMenu::soundChosen, this, &PhraseBar::soundChosen);
}

void PhraseBar::rest(int ms) {
    if (ms <= 0) return;
    // A resting button cannot keep the focus; it stays in the strip, on the
    // sounds button, rather than jumping to whatever comes next.
    for (int i = 0; i < store::kPhraseCount; ++i)
        if (buttons_[i]->hasFocus()) buttons_[9]->setFocus(Qt::OtherFocusReason);
    for (int i = 0; i < store::kPhraseCount; ++i) buttons_[i]->setEnabled(false);
    rest_->start(ms);
}

bool PhraseBar::resting() const { return rest_->isActive(); }

void PhraseBar::setPhrase(int n, const QString& phrase) {
    if (n < 1 || n > store::kPhraseCount) return;
    buttons_[n - 1]->setToolTip(phrase);
    // The picture says nothing to a screen reader; the phrase does.
    buttons_[n - 1]->setAccessibleName(phrase);
}

QString PhraseBar::phrase(int n) const {
    if (n < 1 || n > store::kPhraseCount) return {};
    return buttons_[n - 1]->toolTip();
}

QStringList PhraseBar::phrases() const {
    QStringList out;
    for (int n = 1; n <= store::kPhraseCount; ++n) out << phrase(n);
    return out;
}

void PhraseBar::setTableScale(double scale, double pictureScale) {
    // The chatter-sound menu at the table's scale too.
    if (!menuStyle_) menuStyle_ = new ScaledStyle(this);
    scaleWidget(menu_, menuStyle_, scale);
    const bool redraw = pictureScale != iconScale_;
    iconScale_ = pictureScale;
    for (int i = 0; i < 10; ++i) {
        const int n = i + 1;
        buttons_[i]->setIconSize(QSize(qRound(kButtonWidth * scale), qRound(kButtonHeight * scale)));
        if (!redraw) continue;
        QIcon icon;
        if (pictureScale == 1.0) {
            icon = QIcon(n <= store::kPhraseCount ? QStringLiteral(":/images/phrase%1.png").arg(n)
                                                 : QStringLiteral(":/images/sounds.png"));
        } else {
            const art::Resolution resolution(pictureScale);
            icon = QIcon(QPixmap::fromImage(n <= store::kPhraseCount ? art::phraseButton(n) : art::soundButton()));
        }
        buttons_[i]->setIcon(icon);
    }
}

void PhraseBar::openSoundsMenu() {
    QToolButton* b = buttons_[9];
    menu_->popup(b->mapToGlobal(QPoint(b->width(), b->height())));
}

bool PhraseBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == buttons_[9] && event->type() == QEvent::MouseButtonRelease) {
        const auto* e = static_cast<QMouseEvent*>(event);
        if (buttons_[9]->rect().contains(e->position().toPoint())) openSoundsMenu();
    }
    if (event->type() == QEvent::KeyPress) {
        // Space clicks a focused button by itself; Enter does the same here,
        // and either opens the chatter sounds' menu from its button.
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const bool space = key->key() == Qt::Key_Space;
        if ((enter || space) && key->modifiers() == Qt::NoModifier && !key->isAutoRepeat()) {
            if (watched == buttons_[9]) {
                openSoundsMenu();
                return true;
            }
            if (enter) {
                static_cast<QToolButton*>(watched)->click();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tc::chat
