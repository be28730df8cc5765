#include "windows/SpyListWindow.h"

#include <algorithm>

#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "windows/DialogKeys.h"

namespace tc::windows {

SpyListWindow::SpyListWindow(QWidget* parent) : SideWindow(Qt::WindowStaysOnTopHint, parent) {
    setObjectName(QStringLiteral("Tspylist"));
    setWindowTitle(tr("Tilecrest - Spys"));
    // Wide enough for its own title in a desktop's title bar: the title's
    // bold text, a fifth more for a larger title font, and the bar's three
    // buttons.
    QFont bar = font();
    bar.setBold(true);
    const int titleWidth = QFontMetrics(bar).horizontalAdvance(windowTitle());
    resize(std::max(200, titleWidth * 6 / 5 + 110), 240);

    auto* title = new QLabel(tr("Spy List"), this);
    QFont f = title->font();
    f.setBold(true);
    title->setFont(f);
    QPalette tp = title->palette();
    tp.setColor(QPalette::WindowText, QColor(255, 248, 220));
    title->setPalette(tp);

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("listbox_spys"));
    QPalette lp = list_->palette();
    lp.setColor(QPalette::Base, QColor(248, 249, 236));
    list_->setPalette(lp);
    list_->setMouseTracking(true);
    list_->viewport()->setMouseTracking(true);
    list_->viewport()->installEventFilter(this);
    list_->setContextMenuPolicy(Qt::DefaultContextMenu);

    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("popup_kick"));
    kick_ = popup_->addAction(tr("Remove From Game"));
    kick_->setObjectName(QStringLiteral("popup_kickhim"));
    kick_->setEnabled(false);
    connect(kick_, &QAction::triggered, this, [this] { emit removeRequested(entryUnderPointer()); });

    auto* done = new QPushButton(tr("Done"), this);
    done->setObjectName(QStringLiteral("button_done"));
    connect(done, &QPushButton::clicked, this, &QWidget::hide);
    DialogKeys::install(this, done, QAccessible::Window);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(list_, 1);
    layout->addWidget(done, 0, Qt::AlignHCenter);
}

void SpyListWindow::setEntries(const QStringList& entries) {
    if (entries == this->entries()) return;
    list_->clear();
    list_->addItems(entries);
}

QStringList SpyListWindow::entries() const {
    QStringList out;
    for (int i = 0; i < list_->count(); ++i) out << list_->item(i)->text();
    return out;
}

void SpyListWindow::setRemoveEnabled(bool enabled) { kick_->setEnabled(enabled); }

QString SpyListWindow::entryUnderPointer() const {
    // An index alone could name another spectator once the list changed;
    // the remembered text must still be in the list.
    if (underPointer_ < 0 || underPointer_ >= list_->count()) return {};
    const QString now = list_->item(underPointer_)->text();
    return now == underPointerText_ ? now : QString();
}

void SpyListWindow::trackPointer(const QPoint& viewportPos) {
    QListWidgetItem* item = list_->itemAt(viewportPos);
    underPointer_ = item ? list_->row(item) : -1;
    underPointerText_ = item ? item->text() : QString();
}

bool SpyListWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_->viewport()) {
        if (event->type() == QEvent::MouseMove) {
            trackPointer(static_cast<QMouseEvent*>(event)->position().toPoint());
        } else if (event->type() == QEvent::ContextMenu) {
            auto* e = static_cast<QContextMenuEvent*>(event);
            if (e->reason() == QContextMenuEvent::Mouse) trackPointer(e->pos());
            popup_->popup(e->globalPos());
            return true;
        }
    }
    return SideWindow::eventFilter(watched, event);
}

} // namespace tc::windows
