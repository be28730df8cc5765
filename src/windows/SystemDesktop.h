#pragma once
// Desktop through QDesktopServices, QProcess and message boxes.
#include "windows/Desktop.h"

namespace tc::windows {

class SystemDesktop : public Desktop {
public:
    bool openUrl(const QUrl& url) override;
    bool startProgram(const QString& path) override;
    void showMessage(QWidget* parent, const QString& text) override;
};

} // namespace tc::windows
