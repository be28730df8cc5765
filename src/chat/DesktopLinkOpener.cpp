#include "chat/DesktopLinkOpener.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QStandardPaths>

namespace tc::chat {

bool DesktopLinkOpener::openUrl(const QUrl& url) {
    // Without a desktop opener Qt only prints a warning on the console;
    // the player should see the failure instead.
    if (qEnvironmentVariableIsEmpty("BROWSER") && QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty())
        return false;
    return QDesktopServices::openUrl(url);
}

void DesktopLinkOpener::showFailure(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, QStringLiteral("Tilecrest"), text);
}

} // namespace tc::chat
