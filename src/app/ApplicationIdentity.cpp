#include "app/ApplicationIdentity.h"

#include <QGuiApplication>
#include <QIcon>

namespace tc::app {

void ApplicationIdentity::apply(bool withIcon) {
    QGuiApplication::setApplicationName(QStringLiteral("Tilecrest"));
    // Ties the window to the installed menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tilecrest.Tilecrest"));
    if (withIcon) applyIcon();
}

void ApplicationIdentity::applyIcon() {
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/images/icon.png")));
}

} // namespace tc::app
