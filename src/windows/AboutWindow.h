#pragma once
// `Tabout`: the logo, the maker's web address (underlined; a click opens
// it in the browser), the credits and the version line. The version label
// shows the very string the client sends at login.
#include <QString>

#include "windows/SideWindow.h"

class QLabel;

namespace tc::windows {

class Desktop;

class AboutWindow : public SideWindow {
    Q_OBJECT
public:
    explicit AboutWindow(const QString& makerSite, QWidget* parent = nullptr);

    void setDesktop(Desktop* desktop) { desktop_ = desktop; }
    // Opens the maker's web site; also what a click on the board's logo does.
    void openSite();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString site_;
    Desktop* desktop_;
    QLabel* web_;
};

} // namespace tc::windows
