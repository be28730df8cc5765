#pragma once
// The table fits the window and the window its screen: the table and its
// pictures scale with the window (TableScaler), the menus grow with the
// table, and the first time the window is shown it is fitted to its screen's
// available area, the table drawn smaller on a screen too small for it.
// Options > Reset Screen Location puts the window back at its default place.
#include <QObject>
#include <QSize>

#include "client/TableScaler.h"

class QMainWindow;

namespace tc::client {

class BoardPanel;
class MainMenus;

class ScreenFit final : public QObject {
    Q_OBJECT
public:
    // FormResize: the client area never gets smaller than the board panel
    // plus its margins (702 + 15, 502 + 12), unless the screen is smaller:
    // then the table shrinks to it.
    static constexpr QSize kMinimumClient = TableScaler::kSmallestTable;

    // Before `window` is first shown.
    explicit ScreenFit(QMainWindow* window) : window_(window) {}
    // Call once everything on `board` (the window's table) is placed: the
    // scaler takes their places at 1x from here.
    void scaleTable(BoardPanel* board);
    // The menu bar and the menus grow with the table; adds Reset Screen
    // Location to them.
    void attachMenus(MainMenus& menus);
    // The window's show event (a spontaneous one comes from the desktop).
    void shown(bool spontaneous);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fit();
    void fitsAgain();

    QMainWindow* window_;
    TableScaler* scaler_ = nullptr;
    bool fitted_ = false;  // fitted to its screen at the first show
};

} // namespace tc::client
