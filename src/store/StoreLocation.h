#pragma once
// Where the files the program keeps live. An installed copy keeps them in
// the user's own folder of the given kind (XDG configuration or data), for
// every user, root too: an install folder such as /usr/local/bin is shared,
// and a file root left there would be read by everyone and block their own.
// A copy run from its build or unpacked folder is portable: beside the
// executable when that folder takes new files, else in the user's folder.
// There, a file beside the executable in a folder that takes none could be
// read but never saved: it is copied to the user's folder (unless one is
// there already) and kept there from then on. A symbolic link counts by the
// folder of the file it points to.
#include <QStandardPaths>
#include <QString>

namespace tc::store {

// The full path for `fileName`; creates the user's folder when it is chosen.
QString storeFilePath(const QString& fileName, QStandardPaths::StandardLocation userFolder);

// The same rule for a given program folder (storeFilePath uses the
// executable's).
QString storeFilePathFor(const QString& fileName, const QString& programFolder,
                         QStandardPaths::StandardLocation userFolder);

// Whether `programFolder` is the bin folder of an install made by this
// build's install rules: the install prefix it was configured with, or any
// prefix (`cmake --install --prefix`) whose data folder holds the menu entry
// that only installing puts there.
bool isInstalledProgramFolder(const QString& programFolder);

// Tests and portable set-ups: every store file lives in `folder` instead
// (an empty string restores the rule above).
void setStoreFolderOverride(const QString& folder);
QString storeFolderOverride();

} // namespace tc::store
