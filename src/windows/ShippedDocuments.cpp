#include "windows/ShippedDocuments.h"

#include <QCoreApplication>
#include <QDir>

namespace tc::windows {

QString ShippedDocuments::folder() {
    return QDir::cleanPath(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(TILECREST_DOC_FROM_BIN)));
}

QUrl ShippedDocuments::readme() { return QUrl::fromLocalFile(QDir(folder()).filePath(QStringLiteral("README.md"))); }

QUrl ShippedDocuments::licence() { return QUrl::fromLocalFile(QDir(folder()).filePath(QStringLiteral("LICENSE"))); }

QUrl ShippedDocuments::orReadme(const std::string& address) {
    return address.empty() ? readme() : QUrl(QString::fromStdString(address));
}

QString ShippedDocuments::shown(const QUrl& url) {
    return url.isLocalFile() ? QDir::toNativeSeparators(url.toLocalFile()) : url.toString();
}

} // namespace tc::windows
