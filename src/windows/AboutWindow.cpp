#include "windows/AboutWindow.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include "TilecrestAssets.h"
#include "net/Version.h"
#include "windows/Desktop.h"

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
    return l;
}

} // namespace

AboutWindow::AboutWindow(const QString& makerSite, QWidget* parent)
    : SideWindow(Qt::Tool, parent), site_(makerSite), desktop_(&Desktop::system()) {
    setObjectName(QStringLiteral("Tabout"));
    setWindowTitle(QStringLiteral("Tilecrest - About"));
    setFixedSize(300, 250);

    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("image_logo"));
    logo->setPixmap(QPixmap(QString::fromLatin1(tcassets::logo)));
    logo->setGeometry(65, 14, 170, 40);

    web_ = label(this, QStringLiteral("label_web"), site_, QRect(10, 62, 280, 18));
    web_->setAlignment(Qt::AlignCenter);
    QFont wf = web_->font();
    wf.setUnderline(true);
    web_->setFont(wf);
    QPalette wp = web_->palette();
    wp.setColor(QPalette::WindowText, QColor(190, 225, 255));
    web_->setPalette(wp);
    web_->setCursor(Qt::PointingHandCursor);
    web_->installEventFilter(this);

    auto* credits = label(this, QStringLiteral("label_credits"),
                          QStringLiteral("Written by the Tilecrest developers.\n"
                                         "Every picture is drawn by our own art tool.\n"
                                         "Free software under the MIT licence."),
                          QRect(10, 88, 280, 60));
    credits->setAlignment(Qt::AlignCenter);
    credits->setWordWrap(true);

    // "Version", then the login version and the build right after it:
    // the line reads Version 1.0.3.5.
    auto* word = label(this, QStringLiteral("label_versionword"), QStringLiteral("Version"), QRect(0, 158, 0, 18));
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

    auto* done = new QPushButton(QStringLiteral("Done"), this);
    done->setObjectName(QStringLiteral("button_done"));
    done->setGeometry(110, 200, 80, 26);
    connect(done, &QPushButton::clicked, this, &QWidget::close);
}

void AboutWindow::openSite() {
    if (!desktop_->openUrl(QUrl(site_))) desktop_->showMessage(this, QStringLiteral("Cannot open Webpage"));
}

bool AboutWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == web_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        openSite();
        return true;
    }
    return SideWindow::eventFilter(watched, event);
}

} // namespace tc::windows
