#include "client/ScreenFit.h"

#include <algorithm>
#include <cmath>

#include <QAction>
#include <QLayout>
#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>

#include "client/BoardPanel.h"
#include "client/MainMenus.h"
#include "client/WindowBackground.h"
#include "client/WindowPlacement.h"

namespace tc::client {

void ScreenFit::scaleTable(BoardPanel* board) {
    // The table scales with the window (and paints the table top behind it).
    scaler_ = new TableScaler(window_->centralWidget());
    TableScaler::growWithTable(board);
    scaler_->capture();
    connect(scaler_, &TableScaler::picturesChanged, board, [board, s = scaler_] { board->usePictures(s->currentPictures()); });
}

void ScreenFit::attachMenus(MainMenus& menus) {
    QAction* reset = menus.add(MainMenus::Place::OptionsWindow, tr("Reset Screen Location"), "ResetScreenLocation1");
    connect(reset, &QAction::triggered, this, [this] { WindowPlacement::reset(window_); });
    // Their scale comes from the window's size (the bar's own height would
    // otherwise feed back into the table's scale), in eighths.
    connect(scaler_, &TableScaler::scaleChanged, this, [this, &menus] {
        const qreal s = std::max<qreal>(1.0, std::min(window_->width() / qreal(TableScaler::kTableSize.width()),
                                                      window_->height() / qreal(TableScaler::kTableSize.height())));
        menus.setScale(std::floor(s * 8.0) / 8.0);
    });
}

void ScreenFit::shown(bool spontaneous) {
    // A strip a resize uncovers is the table top's colour from the first
    // moment, before the table is painted there.
    setNativeBackground(window_, TableScaler::kTableColour);
    if (fitted_ || spontaneous) return;
    fitted_ = true;
    fit();
    // The menu bar may show only after the window (its menus are made
    // later): it is counted then (fitsAgain).
    window_->menuBar()->installEventFilter(this);
    fitsAgain();
}

void ScreenFit::fitsAgain() {
    // Once laid out: should the window's least size be more than the
    // screen holds (a dense screen, such as three device pixels a point on
    // 1920 x 1200, with the menu bar counted now), it is fitted again.
    QTimer::singleShot(0, this, [this] {
        const QScreen* where = window_->screen();
        if (!where) return;
        const QSize frame = window_->frameGeometry().size() - window_->size();
        const QSize least = window_->minimumSizeHint().expandedTo(window_->minimumSize()) + frame;
        const QSize room = where->availableGeometry().size();
        if (least.width() > room.width() || least.height() > room.height()) fit();
    });
}

bool ScreenFit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_->menuBar() && event->type() == QEvent::Show) fitsAgain();
    return QObject::eventFilter(watched, event);
}

void ScreenFit::fit() {
    const QScreen* where = window_->screen();
    if (!where) return;
    // A screen too small for the 1x table (a small or a dense one): the
    // client area may be as small as fits, the table then drawn smaller.
    QWidget* client = window_->centralWidget();
    const QSize chrome = window_->frameGeometry().size() - client->size();
    const QSize room = where->availableGeometry().size() - chrome;
    const qreal k = std::clamp(std::min(room.width() / qreal(kMinimumClient.width()),
                                        room.height() / qreal(kMinimumClient.height())),
                               TableScaler::kSmallestScale, 1.0);
    client->setMinimumSize((QSizeF(kMinimumClient) * k).toSize());
    if (window_->layout()) window_->layout()->activate();  // the window's own minimum follows now
    // Larger than the screen, or off it: made to fit (as a stored place
    // is); in full screen it has the screen already.
    if (!window_->isFullScreen()) WindowPlacement::restore(window_, WindowPlacement::current(window_));
}

} // namespace tc::client
