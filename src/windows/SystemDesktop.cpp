#include "windows/SystemDesktop.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>

namespace tc::windows {

Desktop& Desktop::system() {
    static SystemDesktop desktop;
    return desktop;
}

bool SystemDesktop::openUrl(const QUrl& url) {
    // Without a desktop opener Qt only prints a warning on the console;
    // the caller tells the player instead.
    if (qEnvironmentVariableIsEmpty("BROWSER") && QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty())
        return false;
    return QDesktopServices::openUrl(url);
}

bool SystemDesktop::startProgram(const QString& path) {
    return QProcess::startDetached(path, {});
}

void SystemDesktop::showMessage(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, QStringLiteral("Tilecrest"), text);
}

} // namespace tc::windows
