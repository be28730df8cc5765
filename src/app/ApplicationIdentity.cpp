#include "app/ApplicationIdentity.h"

#include <QGuiApplication>
#include <QIcon>

namespace tc::app {

void ApplicationIdentity::apply() {
    QGuiApplication::setApplicationName(QStringLiteral("Tilecrest"));
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/images/icon.png")));
}

} // namespace tc::app
