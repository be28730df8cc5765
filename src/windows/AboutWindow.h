#pragma once
// `Tabout`: the logo, the game's address (underlined; a click opens it:
// the README that ships with the game, or a web site a packager set), the
// credits with the licence (a click opens the shipped LICENSE) and the
// version line. The version label shows the very string the client sends
// at login.
#include <QUrl>

#include "windows/SideWindow.h"

class QLabel;

namespace tc::windows {

class Desktop;

class AboutWindow : public SideWindow {
    Q_OBJECT
public:
    explicit AboutWindow(const QUrl& site, const QUrl& licence, QWidget* parent = nullptr);

    void setDesktop(Desktop* desktop) { desktop_ = desktop; }
    // Opens the game's address; also what a click on the board's logo does.
    void openSite();
    void openLicence();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void open(const QUrl& url);

    QUrl site_;
    QUrl licence_;
    Desktop* desktop_;
    QLabel* web_;
    QLabel* licenceLabel_;
};

} // namespace tc::windows
