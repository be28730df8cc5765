#include "chat/DesktopLinkOpener.h"

#include <QDesktopServices>
#include <QMessageBox>

namespace tc::chat {

void DesktopLinkOpener::openUrl(const QUrl& url) {
    QDesktopServices::openUrl(url);
}

void DesktopLinkOpener::showFailure(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, QStringLiteral("Tilecrest"), text);
}

} // namespace tc::chat
