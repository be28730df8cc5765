#include "app/ApplicationIdentity.h"

#include <QGuiApplication>
#include <QIcon>

namespace tc::app {

void ApplicationIdentity::apply() {
    QGuiApplication::setApplicationName(QStringLiteral("Tilecrest"));
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/images/icon.png")));
    // Ties the window to the installed menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tilecrest.Tilecrest"));
}

} // namespace tc::app
