#include "windows/ShippedDocuments.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace tc::windows {

QString ShippedDocuments::folder() {
    const QString own =
        QDir::cleanPath(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(TILECREST_DOC_FROM_BIN)));
    // A program copied or moved away from its build or install has no
    // documents beside it: the build's, else the installed ones, serve.
    for (const QString& place : {own, QStringLiteral(TILECREST_DOC_BUILT), QStringLiteral(TILECREST_DOC_INSTALLED)})
        if (QFileInfo::exists(QDir(place).filePath(QStringLiteral("README.md")))) return QDir::cleanPath(place);
    return own;
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
