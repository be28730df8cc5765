#include "store/StoreLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

namespace tc::store {
namespace {
QString& overrideFolder() {
    static QString folder;
    return folder;
}
} // namespace

// Whether a new file can be made in `folder`: tried, not guessed from the
// mode bits, which root and read-only mounts do not follow.
bool takesNewFiles(const QString& folder) {
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".tilecrest-probe-XXXXXX")));
    return probe.open();
}

void setStoreFolderOverride(const QString& folder) { overrideFolder() = folder; }

QString storeFilePath(const QString& fileName, QStandardPaths::StandardLocation userFolder) {
    if (!overrideFolder().isEmpty()) return QDir(overrideFolder()).filePath(fileName);
    return storeFilePathFor(fileName, QCoreApplication::applicationDirPath(), userFolder);
}

QString storeFilePathFor(const QString& fileName, const QString& exeDir,
                         QStandardPaths::StandardLocation userFolder) {
    const QString beside = QDir(exeDir).filePath(fileName);
    const QFileInfo besideInfo(beside);
    // Saves replace the file through a new one in its folder (the folder of
    // the file a link points to), so that folder has to take new files.
    const QString target = besideInfo.isSymLink() ? besideInfo.symLinkTarget() : beside;
    const bool exists = besideInfo.exists() || besideInfo.isSymLink();
    if (takesNewFiles(QFileInfo(exists ? target : beside).absolutePath())) return beside;
    const QString user = QStandardPaths::writableLocation(userFolder);
    QDir().mkpath(user);
    const QString inUser = QDir(user).filePath(fileName);
    // A file that could be read but never saved: its values go on in the
    // user's folder (an earlier copy there is the newer one).
    if (exists && !QFileInfo::exists(inUser)) {
        QFile from(target);
        QSaveFile to(inUser);
        if (from.open(QIODevice::ReadOnly) && to.open(QIODevice::WriteOnly)) {
            to.write(from.readAll());
            to.commit();
        }
    }
    return inUser;
}

} // namespace tc::store
