#include "windows/SoloWindow.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "TilecrestAssets.h"
#include "chat/ReaderRoles.h"
#include "windows/Desktop.h"
#include "windows/DialogKeys.h"

namespace tc::windows {

namespace {
const QRect kCard(10, 10, 280, 268);
}

SoloWindow::SoloWindow(const QUrl& soloPage, QWidget* parent)
    : SideWindow(Qt::Tool, parent), page_(soloPage), desktop_(&Desktop::system()) {
    setObjectName(QStringLiteral("Tsolo"));
    setWindowTitle(tr("Tilecrest - Solo"));
    setFixedSize(300, 324);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("image_solo"));
    picture->setPixmap(QPixmap(QString::fromLatin1(tcassets::soloPicture)));
    picture->setGeometry(30, 20, 240, 150);

    auto* here = new QLabel(tr("Click HERE to learn how to Play Tilecrest Solo!"), this);
    here->setObjectName(QStringLiteral("label_here"));
    QFont bold = here->font();
    bold.setBold(true);
    here->setFont(bold);
    here->setGeometry(20, 178, 260, 36);

    // No separate one-player edition exists: this one plays solo against
    // Rudi, and the line says so rather than advertise another program.
    auto* invite = new QLabel(tr("Playing solo is built in: start Tilecrest on its own and play the "
                                             "tiles against Rudi whenever you like, with no host to wait for."),
                              this);
    invite->setObjectName(QStringLiteral("label_invite"));
    invite->setGeometry(20, 216, 260, 54);

    for (QLabel* l : {picture, here, invite}) {
        l->setTextFormat(Qt::PlainText);
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignCenter);
        l->setCursor(Qt::PointingHandCursor);
        l->installEventFilter(this);
        QPalette pal = l->palette();
        pal.setColor(QPalette::WindowText, QColor(40, 60, 120));
        l->setPalette(pal);
    }

    DialogKeys::keyLink(here, [this] { openPage(); });
    chat::reader::hide(picture);  // the line under it says and does the same
    auto* done = new QPushButton(tr("Done"), this);
    done->setObjectName(QStringLiteral("button_done"));
    done->setGeometry(110, 288, 80, 26);
    connect(done, &QPushButton::clicked, this, &QWidget::close);
    DialogKeys::install(this, done);
    done->setFocus();  // opens on Done: Enter closes, Tab leads to the links
}

void SoloWindow::openPage() {
    if (!desktop_->openUrl(page_)) desktop_->showMessage(this, tr("Cannot open Webpage"));
}

bool SoloWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease && qobject_cast<QLabel*>(watched) &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        openPage();
        return true;
    }
    return SideWindow::eventFilter(watched, event);
}

void SoloWindow::paintEvent(QPaintEvent* event) {
    SideWindow::paintEvent(event);
    // A white card on the planks holds the picture and its lines.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(110, 80, 40), 1.0));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(kCard).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
}

} // namespace tc::windows
