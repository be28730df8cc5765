#pragma once
// LinkOpener through QDesktopServices and a message box.
#include "chat/LinkOpener.h"

namespace tc::chat {

class DesktopLinkOpener : public LinkOpener {
public:
    bool openUrl(const QUrl& url) override;
    void showFailure(QWidget* parent, const QString& text) override;
};

} // namespace tc::chat
