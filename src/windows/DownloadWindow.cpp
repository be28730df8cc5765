#include "windows/DownloadWindow.h"

#include <algorithm>

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHideEvent>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>

#include "TilecrestAssets.h"
#include "chat/ReaderRoles.h"
#include "store/StoreLocation.h"
#include "windows/Desktop.h"
#include "windows/DialogKeys.h"
#include "windows/InstallerFileName.h"
#include "windows/LobbyDownload.h"

namespace tc::windows {

namespace {

// The window as laid out, control by control, at a scale of 1.
constexpr QSize kSize(660, 370);

QLabel* textLabel(QWidget* parent, const QString& text, QRect geometry, const char* name = nullptr) {
    auto* l = new QLabel(text, parent);
    if (name) l->setObjectName(QString::fromLatin1(name));
    l->setTextFormat(Qt::PlainText);
    l->setWordWrap(true);
    l->setGeometry(geometry);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, QColor(58, 34, 12));
    l->setPalette(pal);
    return l;
}

QPushButton* button(QWidget* parent, const QString& text, QRect geometry, const char* name) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(geometry);
    return b;
}

} // namespace

DownloadWindow::DownloadWindow(const WebAddresses& addresses, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::Tool | Qt::WindowStaysOnTopHint),
      addresses_(addresses),
      desktop_(&Desktop::system()),
      transfer_(new LobbyDownload(this)) {
    setObjectName(QStringLiteral("Tdownload"));
    setWindowTitle(tr("Download The Velmora Lobby"));
    setFixedSize(kSize);

    // Left panel: the offer and the transfer.
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("image_download"));
    picture->setPixmap(QPixmap(QString::fromLatin1(tcassets::downloadPicture)));
    picture->setGeometry(76, 22, 180, 120);
    chat::reader::hide(picture);
    textLabel(this,
              tr("Download The Velmora Lobby Now to play this  and other exciting games online "
                             "with other players! "),
              QRect(24, 148, 284, 46), "label_offer");
    getbutton_ = button(this, tr("Download And Install The Velmora Lobby Now"),
                        QRect(20, 198, 292, 26), "getbutton");
    abortbutton_ = button(this, tr("Stop Download"), QRect(20, 228, 292, 26), "abortbutton");
    abortbutton_->setEnabled(false);  // nothing to stop yet
    infolabel_ = textLabel(this, QString(), QRect(24, 258, 284, 18), "infolabel");
    infolabel_->setWordWrap(false);
    progressBar_ = new QProgressBar(this);
    progressBar_->setObjectName(QStringLiteral("progress_download"));
    progressBar_->setGeometry(24, 278, 284, 12);
    progressBar_->setRange(0, 100);
    progressBar_->setTextVisible(false);
    progressBar_->hide();
    infolabel3_ = textLabel(this, QString(), QRect(24, 292, 284, 44), "infolabel3");
    infolabel3_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // The mouse selects the saved file's path; the keyboard has nothing to
    // stop at while it is empty, nor a reader.
    infolabel3_->setFocusPolicy(Qt::NoFocus);
    openFolder_ = button(this, tr("Open Folder"), QRect(20, 338, 120, 24), "button_openfolder");
    openFolder_->hide();
    infolabel2_ = textLabel(this, QString(), QRect(24, 344, 284, 14), "infolabel2");
    infolabel2_->hide();
    QFont bold = infolabel_->font();
    bold.setBold(true);
    infolabel_->setFont(bold);

    // Upper right panel: back to the solo game.
    textLabel(this,
              tr("To proceed to the game without the ability to play against others click the "
                             "button below."),
              QRect(346, 20, 290, 48), "label_solo");
    auto* solo = button(this, tr("Play Solo Game"), QRect(416, 72, 150, 28), "button_solo");
    solo->setDefault(true);
    solo->setAutoDefault(true);
    DialogKeys::install(this, solo);
    // The window opens on its default: Space must not start a download.
    solo->setFocus();
    auto* note = textLabel(this,
                           tr("Note: A solo game stays on this computer and needs nothing from "
                                          "your firewall. Only a game you host for others needs its port "
                                          "(7772) open."),
                           QRect(346, 108, 270, 72), "label_note");
    QFont small = note->font();
    small.setItalic(true);
    note->setFont(small);

    // Lower right panel: an installed lobby.
    textLabel(this,
              tr("If you already have The Velmora Lobby and you wish to play with others then "
                             "click the button below to close this game and open The Velmora Lobby."),
              QRect(346, 206, 290, 72), "label_others");
    auto* others = button(this, tr("Play with Others"), QRect(416, 286, 150, 28), "button_others");

    dontShow_ = new QCheckBox(tr("Don't show this again"), this);
    dontShow_->setObjectName(QStringLiteral("check_dontshow"));
    // On the wood under the panels, in the light text the other windows use there.
    dontShow_->setGeometry(346, 338, 290, 22);
    QPalette cp = dontShow_->palette();
    cp.setColor(QPalette::WindowText, QColor(255, 248, 220));
    dontShow_->setPalette(cp);
    connect(dontShow_, &QCheckBox::toggled, this, [this](bool checked) { emit offerAtStartChanged(!checked); });

    connect(getbutton_, &QPushButton::clicked, this, &DownloadWindow::getbuttonClick);
    connect(abortbutton_, &QPushButton::clicked, this, &DownloadWindow::abortbuttonClick);
    connect(solo, &QPushButton::clicked, this, &QWidget::close);
    connect(others, &QPushButton::clicked, this, &DownloadWindow::playWithOthersClick);
    connect(transfer_, &LobbyDownload::headerReceived, this,
            [this] { infolabel_->setText(infolabel_->text() + QLatin1Char('.')); });
    connect(transfer_, &LobbyDownload::bodyStarted, this,
            [this] { infolabel3_->setText(tr("Downloading: %1").arg(infolabel2_->text())); });
    connect(transfer_, &LobbyDownload::progress, this, &DownloadWindow::showProgress);
    connect(transfer_, &LobbyDownload::finished, this, [this](qint64 size) { transferEnded(true, size); });
    connect(transfer_, &LobbyDownload::failed, this, &DownloadWindow::transferFailed);
    connect(openFolder_, &QPushButton::clicked, this, [this] {
        desktop_->openUrl(QUrl::fromLocalFile(QFileInfo(filePath_).absolutePath()));
    });
}

QString DownloadWindow::downloadFolderFor(const QString& programFolder) {
    // An installed copy never writes beside itself (see StoreLocation).
    const QFileInfo folder(programFolder);
    if (folder.isDir() && folder.isWritable() && !store::isInstalledProgramFolder(programFolder))
        return programFolder;
    const QString user = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    QDir().mkpath(user);
    return user;
}

QString DownloadWindow::downloadFolder() const {
    return folder_.isEmpty() ? downloadFolderFor(QCoreApplication::applicationDirPath()) : folder_;
}

QStringList DownloadWindow::reservedNames() const {
    // The files this program keeps beside itself, and itself.
    return {QFileInfo(QCoreApplication::applicationFilePath()).fileName(), QStringLiteral("tilecrest"),
            QStringLiteral("tilecrest-server"), QStringLiteral("velmoralobby.ini"),
            QStringLiteral("Ridgeplaytally.tld"), QStringLiteral("temp.txt")};
}

void DownloadWindow::getbuttonClick() {
    if (transfer_->running()) return;
    std::vector<std::string> reserved;
    for (const QString& r : reservedNames()) reserved.push_back(r.toStdString());
    const QString name =
        QString::fromStdString(InstallerFileName::fromAddress(addresses_.lobbyInstaller, reserved));
    const QDir folder(downloadFolder());
    filePath_ = folder.filePath(name);
    infolabel2_->setText(name);
    aborted_ = false;
    openFolder_->hide();
    progressBar_->hide();
    infolabel3_->clear();
    if (QFileInfo(filePath_).absoluteDir() != QDir(folder.absolutePath()) ||
        !transfer_->start(QUrl(QString::fromStdString(addresses_.lobbyInstaller)), filePath_)) {
        // No file could be made there: nothing was fetched.
        aborted_ = true;
        infolabel_->setText(tr("Download Aborted"));
        return;
    }
    getbutton_->setEnabled(false);
    abortbutton_->setEnabled(true);
    infolabel_->setText(tr("Loading"));
}

void DownloadWindow::abortbuttonClick() {
    transfer_->stop();
    infolabel_->setText(tr("Download has been aborted."));
    aborted_ = true;
    infolabel3_->setText(tr("Download Aborted"));
}

void DownloadWindow::showProgress(qint64 received, qint64 total) {
    if (total <= 0) {
        infolabel_->setText(tr("%1 bytes").arg(received));
        return;
    }
    const int percent = int(std::min<qint64>(100, received * 100 / total));
    infolabel_->setText(tr("%1 of %2 bytes (%3%)").arg(received).arg(total).arg(percent));
    progressBar_->setValue(percent);
    progressBar_->show();
}

void DownloadWindow::transferFailed(LobbyDownload::Failure why, const QString& detail) {
    using Failure = LobbyDownload::Failure;
    switch (why) {
    case Failure::Stopped:
        break;  // abortbuttonClick says so
    case Failure::Stalled: {
        const int ms = transfer_->stallTimeoutMs();
        infolabel3_->setText(tr("No data for %1 s").arg(ms % 1000 == 0 ? QString::number(ms / 1000)
                                                                                    : QString::number(ms / 1000.0)));
        break;
    }
    case Failure::HttpStatus:
        infolabel3_->setText(detail);
        break;
    case Failure::TooLarge:
        infolabel3_->setText(tr("The file is larger than any installer"));
        break;
    case Failure::Network:
    case Failure::Disk:
        infolabel3_->setText(detail);
        break;
    }
    // What was kept of a transfer that broke off, so a second try is not
    // the only way to find it.
    const QString part = filePath_ + QLatin1String(LobbyDownload::kPartSuffix);
    if (why != Failure::Stopped && QFileInfo::exists(part))
        infolabel3_->setText(tr("%1. The part received is in %2").arg(infolabel3_->text(), part));
    transferEnded(false, 0);
}

void DownloadWindow::transferEnded(bool complete, qint64 size) {
    if (complete) {
        infolabel_->setText(tr("Received %1 bytes").arg(size));
    } else {
        infolabel_->setText(tr("Download Aborted"));
        aborted_ = true;
    }
    getbutton_->setEnabled(true);
    abortbutton_->setEnabled(false);
    if (aborted_) return;
    progressBar_->setValue(100);
    infolabel3_->setText(tr("Saved to %1").arg(QDir::toNativeSeparators(filePath_)));
    openFolder_->show();
    // The desktop opens it with the player's own tools, which ask first.
    // When nothing opens it, the window says where it is and stays.
    if (desktop_->openUrl(QUrl::fromLocalFile(filePath_))) emit exitRequested();
}

void DownloadWindow::playWithOthersClick() {
    const QFileInfo lobby(QString::fromStdString(addresses_.lobbyProgram));
    if (lobby.isFile() && lobby.isExecutable()) {
        if (desktop_->startProgram(lobby.absoluteFilePath())) {
            emit exitRequested();
            return;
        }
        desktop_->showMessage(this, tr("An Error has Occurred."));
        return;
    }
    desktop_->showMessage(this, tr("Please close the game and open the Velmora Lobby from its icon on "
                                               "your desktop or from your desktop's applications menu."));
}

qreal DownloadWindow::fitInto(QSize room) {
    if (placed_.empty())
        for (QWidget* w : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            placed_.push_back({w, w->geometry(), w->font()});
    const qreal k = std::clamp(std::min(room.width() / qreal(kSize.width()), room.height() / qreal(kSize.height())),
                               0.25, 1.0);
    if (k == scale_) return k;
    scale_ = k;
    const auto scaled = [k](int v) { return qRound(v * k); };
    for (const Placed& p : placed_) {
        const QRect g = p.geometry;
        p.widget->setGeometry(QRect(QPoint(scaled(g.left()), scaled(g.top())),
                                    QPoint(scaled(g.right() + 1) - 1, scaled(g.bottom() + 1) - 1)));
        QFont f = p.font;
        if (f.pixelSize() > 0)
            f.setPixelSize(std::max(1, scaled(f.pixelSize())));
        else
            f.setPointSizeF(f.pointSizeF() * k);
        p.widget->setFont(f);
        if (auto* label = qobject_cast<QLabel*>(p.widget); label && !label->pixmap().isNull())
            label->setScaledContents(k != 1.0);
    }
    setFixedSize(scaled(kSize.width()), scaled(kSize.height()));
    update();
    return k;
}

void DownloadWindow::showCentredOnScreen() {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        // What the window manager's frame takes, once it is known.
        const QSize frame = isVisible() ? frameGeometry().size() - size() : QSize(0, 0);
        fitInto(area.size() - frame);
        move(area.topLeft() + QPoint((area.width() - width() - frame.width()) / 2,
                                     (area.height() - height() - frame.height()) / 2));
    }
    show();
    raise();
    activateWindow();
}

void DownloadWindow::setOfferedAtStart(bool offered) {
    const QSignalBlocker quiet(dontShow_);
    dontShow_->setChecked(!offered);
}

bool DownloadWindow::offeredAtStart() const { return !dontShow_->isChecked(); }

void DownloadWindow::hideEvent(QHideEvent* event) {
    // Nobody could watch or stop a transfer behind a closed window, and
    // its end would leave the game unasked.
    if (!event->spontaneous() && transfer_->running()) abortbuttonClick();
    QWidget::hideEvent(event);
}

void DownloadWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    static const QPixmap back(QString::fromLatin1(tcassets::downloadBackground));
    p.fillRect(rect(), QColor(72, 46, 24));
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.scale(scale_, scale_);
    if (!back.isNull()) p.drawPixmap(0, 0, back);
}

} // namespace tc::windows
