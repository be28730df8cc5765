#include "store/StoreLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace tc::store {
namespace {
QString& overrideFolder() {
    static QString folder;
    return folder;
}
} // namespace

void setStoreFolderOverride(const QString& folder) { overrideFolder() = folder; }

QString storeFilePath(const QString& fileName, QStandardPaths::StandardLocation userFolder) {
    if (!overrideFolder().isEmpty()) return QDir(overrideFolder()).filePath(fileName);
    return storeFilePathFor(fileName, QCoreApplication::applicationDirPath(), userFolder);
}

QString storeFilePathFor(const QString& fileName, const QString& exeDir,
                         QStandardPaths::StandardLocation userFolder) {
    const QString beside = QDir(exeDir).filePath(fileName);
    if (QFileInfo::exists(beside) || QFileInfo(exeDir).isWritable()) return beside;
    const QString user = QStandardPaths::writableLocation(userFolder);
    QDir().mkpath(user);
    return QDir(user).filePath(fileName);
}

} // namespace tc::store
