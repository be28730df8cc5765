#include "store/StoreLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

// Set by the build from GNUInstallDirs; a build without them is portable.
#ifndef TILECREST_INSTALL_PREFIX
#define TILECREST_INSTALL_PREFIX ""
#define TILECREST_INSTALL_BINDIR ""
#define TILECREST_INSTALL_DATADIR ""
#define TILECREST_APP_ID ""
#endif

namespace tc::store {
namespace {
QString& overrideFolder() {
    static QString folder;
    return folder;
}

QString clean(const QString& path) { return QDir::cleanPath(QFileInfo(path).absoluteFilePath()); }
} // namespace

// Whether a new file can be made in `folder`: tried, not guessed from the
// mode bits, which root and read-only mounts do not follow.
bool takesNewFiles(const QString& folder) {
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".tilecrest-probe-XXXXXX")));
    return probe.open();
}

void setStoreFolderOverride(const QString& folder) { overrideFolder() = folder; }

QString storeFolderOverride() { return overrideFolder(); }

QString storeFilePath(const QString& fileName, QStandardPaths::StandardLocation userFolder) {
    if (!overrideFolder().isEmpty()) return QDir(overrideFolder()).filePath(fileName);
    return storeFilePathFor(fileName, QCoreApplication::applicationDirPath(), userFolder);
}

bool isInstalledProgramFolder(const QString& programFolder) {
    const QString bin = QStringLiteral(TILECREST_INSTALL_BINDIR);
    const QString data = QStringLiteral(TILECREST_INSTALL_DATADIR);
    if (bin.isEmpty()) return false;
    const QString folder = clean(programFolder);
    const QString configured = clean(QDir(QStringLiteral(TILECREST_INSTALL_PREFIX)).filePath(bin));
    if (folder == configured) return true;
    // Another prefix: PREFIX/BINDIR beside PREFIX/DATADIR/applications/ID.desktop.
    QString prefix;
    if (QDir::isAbsolutePath(bin)) {
        if (folder != clean(bin)) return false;
        prefix = QStringLiteral("/");
    } else {
        const QString tail = QLatin1Char('/') + QDir::cleanPath(bin);
        if (!folder.endsWith(tail)) return false;
        prefix = folder.left(folder.size() - tail.size());
    }
    const QString entry = QStringLiteral("applications/%1.desktop").arg(QStringLiteral(TILECREST_APP_ID));
    const QString dataDir = QDir::isAbsolutePath(data) ? data : QDir(prefix).filePath(data);
    return QFileInfo(QDir(dataDir).filePath(entry)).isFile();
}

QString storeFilePathFor(const QString& fileName, const QString& exeDir,
                         QStandardPaths::StandardLocation userFolder) {
    const QString beside = QDir(exeDir).filePath(fileName);
    const QFileInfo besideInfo(beside);
    // Saves replace the file through a new one in its folder (the folder of
    // the file a link points to), so that folder has to take new files.
    const QString target = besideInfo.isSymLink() ? besideInfo.symLinkTarget() : beside;
    const bool exists = besideInfo.exists() || besideInfo.isSymLink();
    const bool installed = isInstalledProgramFolder(exeDir);
    if (!installed && takesNewFiles(QFileInfo(exists ? target : beside).absolutePath())) return beside;
    const QString user = QStandardPaths::writableLocation(userFolder);
    QDir().mkpath(user);
    const QString inUser = QDir(user).filePath(fileName);
    // A file that could be read but never saved: its values go on in the
    // user's folder (an earlier copy there is the newer one). Not from an
    // installed copy's folder: a file there is nobody's own.
    if (!installed && exists && !QFileInfo::exists(inUser)) {
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
