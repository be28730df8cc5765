#include "windows/AboutWindow.h"

#include <QEvent>
#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include "TilecrestAssets.h"
#include "chat/ReaderRoles.h"
#include "net/Version.h"
#include "windows/Desktop.h"
#include "windows/DialogKeys.h"
#include "windows/ShippedDocuments.h"

namespace tc::windows {

namespace {

QLabel* label(QWidget* parent, const QString& name, const QString& text, QRect geometry) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    l->setGeometry(geometry);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, QColor(255, 248, 220));
    l->setPalette(pal);
    // A dark edge keeps light text readable on the light streaks of the wood.
    auto* shadow = new QGraphicsDropShadowEffect(l);
    shadow->setOffset(1, 1);
    shadow->setBlurRadius(3);
    shadow->setColor(QColor(30, 16, 4, 230));
    l->setGraphicsEffect(shadow);
    return l;
}

// An address the player can click: underlined, a light gold that stands
// out from the cream text as far from the wood, a hand cursor, the whole of
// it in the tooltip when the line is too short for it.
void makeLink(QLabel* l, const QString& text) {
    l->setAlignment(Qt::AlignCenter);
    QFont f = l->font();
    f.setUnderline(true);
    l->setFont(f);
    l->setText(l->fontMetrics().elidedText(text, Qt::ElideMiddle, l->width()));
    if (l->text() != text) l->setToolTip(text);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, QColor(255, 226, 140));
    l->setPalette(p);
    l->setCursor(Qt::PointingHandCursor);
}

} // namespace

AboutWindow::AboutWindow(const QUrl& site, const QUrl& licence, QWidget* parent)
    : SideWindow(Qt::Tool, parent), site_(site), licence_(licence), desktop_(&Desktop::system()) {
    setObjectName(QStringLiteral("Tabout"));
    setWindowTitle(tr("Tilecrest - About"));
    setFixedSize(300, 250);

    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("image_logo"));
    logo->setPixmap(QPixmap(QString::fromLatin1(tcassets::logo)));
    logo->setGeometry(65, 14, 170, 40);

    web_ = label(this, QStringLiteral("label_web"), QString(), QRect(10, 62, 280, 18));
    makeLink(web_, ShippedDocuments::shown(site_));
    web_->installEventFilter(this);

    auto* credits = label(this, QStringLiteral("label_credits"),
                          tr("Written by the Tilecrest developers.\n"
                                         "Every picture is drawn by our own art tool."),
                          QRect(10, 88, 280, 40));
    credits->setAlignment(Qt::AlignCenter);
    credits->setWordWrap(true);
    licenceLabel_ = label(this, QStringLiteral("label_licence"), QString(), QRect(10, 128, 280, 18));
    makeLink(licenceLabel_, tr("Free software under the MIT licence."));
    licenceLabel_->setToolTip(ShippedDocuments::shown(licence_));
    licenceLabel_->installEventFilter(this);

    // "Version", then the login version and the build right after it:
    // the line reads Version 1.0.3.5.
    auto* word = label(this, QStringLiteral("label_versionword"), tr("Version"), QRect(0, 158, 0, 18));
    auto* version = label(this, QStringLiteral("version"), QString::fromLatin1(net::kProtocolVersion), QRect(0, 158, 0, 18));
    auto* build = label(this, QStringLiteral("label_build"), QString::fromLatin1(net::kBuildSuffix), QRect(0, 158, 0, 18));
    QFont bold = word->font();
    bold.setBold(true);
    for (QLabel* l : {word, version, build}) {
        l->setFont(bold);
        l->resize(l->sizeHint().width(), 18);
    }
    const int gap = 4;
    const int total = word->width() + gap + version->width() + build->width();
    word->move((width() - total) / 2, 158);
    version->move(word->x() + word->width() + gap, 158);
    build->move(version->x() + version->width(), 158);

    DialogKeys::keyLink(web_, [this] { openSite(); });
    DialogKeys::keyLink(licenceLabel_, [this] { openLicence(); });
    chat::reader::hide(logo);
    auto* done = new QPushButton(tr("Done"), this);
    done->setObjectName(QStringLiteral("button_done"));
    done->setGeometry(110, 200, 80, 26);
    connect(done, &QPushButton::clicked, this, &QWidget::close);
    DialogKeys::install(this, done);
    done->setFocus();  // opens on Done: Enter closes, Tab leads to the links
}

void AboutWindow::openSite() { open(site_); }

void AboutWindow::openLicence() { open(licence_); }

void AboutWindow::open(const QUrl& url) {
    if (!desktop_->openUrl(url)) desktop_->showMessage(this, tr("Cannot open Webpage"));
}

bool AboutWindow::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == web_ || watched == licenceLabel_) && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        watched == web_ ? openSite() : openLicence();
        return true;
    }
    return SideWindow::eventFilter(watched, event);
}

} // namespace tc::windows
