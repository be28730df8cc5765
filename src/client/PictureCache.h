#pragma once
// Pictures drawn before, kept in the user's cache folder, so a later start
// at the same scale shows them at once instead of drawing them again. One
// file per set of images, named by what it holds and the art's version;
// files of another version are removed, and beyond a few the ones used
// least recently. A file is written whole under a new name and renamed over
// the old one; a file that does not read back exactly (torn, damaged, of
// another format, too large) is not used and is written again.
#include <QImage>
#include <QString>

#include <optional>
#include <vector>

namespace tc::client {

class PictureCache {
public:
    // The files live in `folder` (made when the first one is written).
    explicit PictureCache(QString folder);

    // The user's cache folder for pictures (window thread: it reads the
    // application's name and the tests' store folder).
    static QString defaultFolder();

    // The images kept under `name` (letters, digits, '-' and '.'), or
    // nothing. Safe on any thread for different names.
    std::optional<std::vector<QImage>> load(const QString& name) const;
    // Keeps `images` under `name`; false when the file could not be written.
    bool save(const QString& name, const std::vector<QImage>& images) const;
    // Removes files of another art version, then all but the `keep` used
    // most recently of each kind, the part of the name before its first
    // '-' ("pictures", "table"): a window resized many times makes table
    // tops for many sizes, which must not push out the few picture sets.
    void prune(int keep) const;

    QString pathOf(const QString& name) const;

    // Bounds a file has to keep to be read: a damaged one is never trusted
    // with more memory than this.
    static constexpr qint64 kMaxFileBytes = 256ll * 1024 * 1024;
    static constexpr int kMaxImages = 64;

private:
    QString folder_;
};

} // namespace tc::client
