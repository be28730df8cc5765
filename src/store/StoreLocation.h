#pragma once
// Where the files the program keeps live: beside the executable when that
// folder takes new files (a build tree, a portable copy), else in the
// user's own folder of the given kind, so an installed, read-only copy
// still keeps its settings and tally. A file beside the executable in a
// folder that takes none could be read but never saved: it is copied to the
// user's folder (unless one is there already) and kept there from then on.
// A symbolic link counts by the folder of the file it points to.
#include <QStandardPaths>
#include <QString>

namespace tc::store {

// The full path for `fileName`; creates the user's folder when it is chosen.
QString storeFilePath(const QString& fileName, QStandardPaths::StandardLocation userFolder);

// The same rule for a given program folder (storeFilePath uses the
// executable's).
QString storeFilePathFor(const QString& fileName, const QString& programFolder,
                         QStandardPaths::StandardLocation userFolder);

// Tests and portable set-ups: every store file lives in `folder` instead
// (an empty string restores the rule above).
void setStoreFolderOverride(const QString& folder);

} // namespace tc::store
