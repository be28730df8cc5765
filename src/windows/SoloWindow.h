#pragma once
// `Tsolo`: points the player to the maker's one-player edition. The
// picture and both lines show a hand cursor; a click on any of them opens
// that edition's page in the browser.
#include <QString>

#include "windows/SideWindow.h"

namespace tc::windows {

class Desktop;

class SoloWindow : public SideWindow {
    Q_OBJECT
public:
    explicit SoloWindow(const QString& soloPage, QWidget* parent = nullptr);

    void setDesktop(Desktop* desktop) { desktop_ = desktop; }
    void openPage();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent*) override;

private:
    QString page_;
    Desktop* desktop_;
};

} // namespace tc::windows
