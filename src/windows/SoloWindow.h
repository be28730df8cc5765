#pragma once
// `Tsolo`: how to play on your own. The picture and both lines show a
// hand cursor; a click on any of them opens the page that tells how (the
// README that ships with the game, unless a packager set a web page).
#include <QUrl>

#include "windows/SideWindow.h"

namespace tc::windows {

class Desktop;

class SoloWindow : public SideWindow {
    Q_OBJECT
public:
    explicit SoloWindow(const QUrl& soloPage, QWidget* parent = nullptr);

    void setDesktop(Desktop* desktop) { desktop_ = desktop; }
    void openPage();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent*) override;

private:
    QUrl page_;
    Desktop* desktop_;
};

} // namespace tc::windows
