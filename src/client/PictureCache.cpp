#include "client/PictureCache.h"

#include <map>

#include <QCryptographicHash>
#include <QDataStream>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QSysInfo>

#include <algorithm>

#include "art/Effects.h"
#include "store/StoreLocation.h"

namespace tc::client {

namespace {

constexpr char kMagic[4] = {'T', 'C', 'P', 'X'};
constexpr quint32 kFormat = 1;
constexpr int kHashBytes = 20;  // SHA-1 of everything before it
const QString kSuffix = QStringLiteral(".tcpx");
constexpr int kMaxSide = 16384;

QString versionTag() { return QStringLiteral(".v%1").arg(art::artVersion); }

bool littleEndian() { return QSysInfo::ByteOrder == QSysInfo::LittleEndian; }

bool plainName(const QString& name) {
    if (name.isEmpty() || name.size() > 100) return false;
    return std::all_of(name.begin(), name.end(), [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'-' ||
               c == u'.';
    });
}

} // namespace

PictureCache::PictureCache(QString folder) : folder_(std::move(folder)) {}

QString PictureCache::defaultFolder() {
    // Tests keep every file of theirs in a folder of their own.
    const QString override = store::storeFolderOverride();
    if (!override.isEmpty()) return QDir(override).filePath(QStringLiteral("cache"));
    return QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation)).filePath(QStringLiteral("tables"));
}

QString PictureCache::pathOf(const QString& name) const {
    return QDir(folder_).filePath(name + versionTag() + kSuffix);
}

std::optional<std::vector<QImage>> PictureCache::load(const QString& name) const {
    if (folder_.isEmpty() || !plainName(name)) return std::nullopt;
    QFile file(pathOf(name));
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const qint64 size = file.size();
    if (size < 4 + 4 * 4 + kHashBytes || size > kMaxFileBytes) return std::nullopt;
    const QByteArray bytes = file.read(size);
    file.close();
    if (bytes.size() != size) return std::nullopt;
    const QByteArrayView body(bytes.constData(), size - kHashBytes);
    if (QCryptographicHash::hash(body, QCryptographicHash::Sha1) != bytes.right(kHashBytes)) return std::nullopt;
    if (!body.startsWith(QByteArrayView(kMagic, 4))) return std::nullopt;

    QDataStream in(QByteArray::fromRawData(body.data() + 4, body.size() - 4));
    quint32 format = 0, version = 0, count = 0;
    quint8 little = 0;
    in >> format >> version >> little >> count;
    if (in.status() != QDataStream::Ok || format != kFormat || version != quint32(art::artVersion) ||
        (little != 0) != littleEndian() || count > quint32(kMaxImages))
        return std::nullopt;
    std::vector<QImage> images;
    for (quint32 i = 0; i < count; ++i) {
        quint32 w = 0, h = 0;
        double dpr = 0;
        in >> w >> h >> dpr;
        if (in.status() != QDataStream::Ok || w > quint32(kMaxSide) || h > quint32(kMaxSide) || !(dpr > 0 && dpr <= 16))
            return std::nullopt;
        if (w == 0 || h == 0) {
            images.emplace_back();
            continue;
        }
        QImage image(int(w), int(h), QImage::Format_ARGB32_Premultiplied);
        if (image.isNull()) return std::nullopt;
        const int rowBytes = int(w) * 4;
        for (int y = 0; y < int(h); ++y)
            if (in.readRawData(reinterpret_cast<char*>(image.scanLine(y)), rowBytes) != rowBytes) return std::nullopt;
        image.setDevicePixelRatio(dpr);
        images.push_back(std::move(image));
    }
    if (!in.atEnd()) return std::nullopt;
    // Used now: kept longest when the folder is pruned.
    QFile touched(pathOf(name));
    if (touched.open(QIODevice::ReadWrite)) touched.setFileTime(QDateTime::currentDateTimeUtc(), QFileDevice::FileModificationTime);
    return images;
}

bool PictureCache::save(const QString& name, const std::vector<QImage>& images) const {
    if (folder_.isEmpty() || !plainName(name) || images.size() > std::size_t(kMaxImages)) return false;
    QByteArray bytes;
    {
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out.writeRawData(kMagic, 4);
        out << kFormat << quint32(art::artVersion) << quint8(littleEndian() ? 1 : 0) << quint32(images.size());
        for (const QImage& original : images) {
            if (original.isNull()) {
                out << quint32(0) << quint32(0) << 1.0;
                continue;
            }
            if (original.width() > kMaxSide || original.height() > kMaxSide) return false;
            const QImage image = original.convertToFormat(QImage::Format_ARGB32_Premultiplied);
            out << quint32(image.width()) << quint32(image.height()) << image.devicePixelRatio();
            for (int y = 0; y < image.height(); ++y)
                out.writeRawData(reinterpret_cast<const char*>(image.constScanLine(y)), image.width() * 4);
        }
    }
    bytes += QCryptographicHash::hash(bytes, QCryptographicHash::Sha1);
    if (bytes.size() > kMaxFileBytes) return false;
    if (!QDir().mkpath(folder_)) return false;
    QSaveFile file(pathOf(name));
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void PictureCache::prune(int keep) const {
    if (folder_.isEmpty()) return;
    QDir dir(folder_);
    const QFileInfoList files =
        dir.entryInfoList({QStringLiteral("*") + kSuffix}, QDir::Files | QDir::Hidden, QDir::Time);
    std::map<QString, int> kept;  // by kind
    for (const QFileInfo& f : files) {
        // Newest first: the ones of this version used most recently stay.
        const bool current = f.fileName().endsWith(versionTag() + kSuffix);
        int& ofKind = kept[f.fileName().section(QLatin1Char('-'), 0, 0)];
        if (current && ofKind < keep)
            ++ofKind;
        else
            QFile::remove(f.absoluteFilePath());
    }
    // What a copy stopped in the middle of a write left behind (another
    // copy may be writing one now, so only old ones).
    const QDateTime old = QDateTime::currentDateTimeUtc().addSecs(-600);
    for (const QFileInfo& f : dir.entryInfoList({QStringLiteral("*") + kSuffix + QStringLiteral(".*")}, QDir::Files | QDir::Hidden))
        if (f.lastModified().toUTC() < old) QFile::remove(f.absoluteFilePath());
}

} // namespace tc::client
