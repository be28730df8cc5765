// The cache folder of drawn pictures: what is kept comes back exactly, a
// damaged or foreign file is never used (and never crashes), files of
// another art version and the least used go, and a write leaves no half
// file behind.
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QTemporaryDir>

#include "GuiTestSupport.h"
#include "art/Effects.h"
#include "client/BoardPictures.h"
#include "client/PictureCache.h"

using tc::client::PictureCache;

namespace {

QImage pattern(int w, int h, qreal dpr, QRgb colour) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor::fromRgba(colour));
    p.drawEllipse(QRectF(1, 1, w - 2, h - 2));
    p.end();
    image.setDevicePixelRatio(dpr);
    return image;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

// A small set kept under `name`, read back without its checksum, for a
// test to forge and checksum again (writeChecksummed).
QByteArray keptBody(const PictureCache& cache, const QString& name) {
    EXPECT_TRUE(cache.save(name, {pattern(4, 4, 1.0, qRgba(1, 2, 3, 255))}));
    QByteArray bytes = readAll(cache.pathOf(name));
    bytes.chop(20);
    return bytes;
}

void writeChecksummed(const QString& path, QByteArray body) {
    body += QCryptographicHash::hash(body, QCryptographicHash::Sha1);
    writeAll(path, body);
}

} // namespace

TEST(PictureCache, WhatIsKeptComesBackPixelForPixel) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const PictureCache cache(dir.filePath("cache"));
    EXPECT_FALSE(cache.load("pictures-300").has_value());  // nothing yet, no folder yet
    const std::vector<QImage> images = {pattern(30, 20, 3.0, qRgba(200, 10, 10, 255)), QImage(),
                                        pattern(7, 9, 1.25, qRgba(0, 0, 80, 128))};
    ASSERT_TRUE(cache.save("pictures-300", images));
    const auto back = cache.load("pictures-300");
    ASSERT_TRUE(back.has_value());
    ASSERT_EQ(back->size(), 3u);
    EXPECT_EQ((*back)[0], images[0]);
    EXPECT_EQ((*back)[0].devicePixelRatio(), 3.0);
    EXPECT_TRUE((*back)[1].isNull());
    EXPECT_EQ((*back)[2], images[2]);
    EXPECT_EQ((*back)[2].devicePixelRatio(), 1.25);
    // Written whole and renamed: only the file itself is in the folder.
    EXPECT_EQ(QDir(dir.filePath("cache")).entryList(QDir::Files | QDir::Hidden),
              QStringList{QFileInfo(cache.pathOf("pictures-300")).fileName()});
    EXPECT_TRUE(cache.pathOf("pictures-300").endsWith(QStringLiteral(".v%1.tcpx").arg(art::artVersion)));
    // Names are plain file names.
    EXPECT_FALSE(cache.save("../elsewhere", images));
    EXPECT_FALSE(cache.save("", images));
    EXPECT_FALSE(cache.load("../elsewhere").has_value());
}

TEST(PictureCache, ADamagedFileIsNotUsedAndIsWrittenAgain) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const PictureCache cache(dir.path());
    const std::vector<QImage> images = {pattern(40, 30, 2.0, qRgba(10, 200, 10, 255))};
    ASSERT_TRUE(cache.save("set", images));
    const QString path = cache.pathOf("set");
    const QByteArray good = readAll(path);
    ASSERT_GT(good.size(), 40 * 30 * 4);

    QByteArray flipped = good;
    flipped[flipped.size() / 2] = char(flipped[flipped.size() / 2] ^ 0x10);
    const QByteArray damaged[] = {
        {},                                       // empty
        good.left(good.size() / 2),               // torn
        good.left(good.size() - 1),               // last byte lost
        flipped,                                  // one bit changed
        QByteArray(good.size(), 'x'),             // not ours at all
        good + QByteArray("more"),                // something after the end
    };
    for (const QByteArray& bytes : damaged) {
        writeAll(path, bytes);
        EXPECT_FALSE(cache.load("set").has_value()) << bytes.size() << " bytes";
    }
    // Written again over the damaged one, it is used.
    ASSERT_TRUE(cache.save("set", images));
    ASSERT_TRUE(cache.load("set").has_value());
    EXPECT_EQ(cache.load("set")->front(), images.front());
}

TEST(PictureCache, AFileThatClaimsMoreThanItHoldsIsRefused) {
    // A whole, checksummed file whose header asks for a huge picture: its
    // sizes are checked before any memory is taken for it.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const PictureCache cache(dir.path());
    const QByteArray bytes = keptBody(cache, "set");
    // magic 4, format 4, version 4, byte order 1, count 4: then the width.
    const int widthAt = 4 + 4 + 4 + 1 + 4;
    for (const auto& [w, h] : {std::pair{16384u, 16384u}, std::pair{100000u, 1u}, std::pair{4u, 5u}}) {
        QByteArray forged = bytes;
        for (int i = 0; i < 4; ++i) {
            forged[widthAt + i] = char((w >> (24 - 8 * i)) & 0xff);
            forged[widthAt + 4 + i] = char((h >> (24 - 8 * i)) & 0xff);
        }
        writeChecksummed(cache.pathOf("set"), forged);
        EXPECT_FALSE(cache.load("set").has_value()) << w << "x" << h;
    }
}

TEST(PictureCache, NamesSidesAndCountsAreHeldToTheirBoundsExactly) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const PictureCache cache(dir.path());
    const std::vector<QImage> one = {pattern(4, 4, 1.0, qRgba(1, 2, 3, 255))};
    // Names: letters, digits, '-' and '.', at most 100 of them; nothing that leaves the folder.
    for (const QString& name : {QStringLiteral("azAZ09-."), QString(100, QLatin1Char('z'))}) {
        EXPECT_TRUE(cache.save(name, one)) << name.toStdString();
        EXPECT_TRUE(cache.load(name).has_value()) << name.toStdString();
    }
    ASSERT_TRUE(cache.save("inside", one));
    QDir(dir.path()).mkpath("sub");
    ASSERT_TRUE(QFile::copy(cache.pathOf("inside"), dir.filePath("sub/x" + QFileInfo(cache.pathOf("")).fileName())));
    for (const QString& name : {QString(), QString(101, QLatin1Char('z')), QStringLiteral("sub/x"),
                                QStringLiteral("../inside"), QStringLiteral("a b"), QStringLiteral("{")}) {
        EXPECT_FALSE(cache.save(name, one)) << name.toStdString();
        EXPECT_FALSE(cache.load(name).has_value()) << name.toStdString();
    }
    EXPECT_FALSE(PictureCache(QString()).save("inside", one));
    EXPECT_FALSE(PictureCache(QString()).load("inside").has_value());

    // Sides up to 16384 pixels, a one-pixel-wide picture is a picture, not an empty one.
    // Device pixel ratios up to 16.
    const std::vector<QImage> edges = {pattern(16384, 1, 1.0, qRgba(9, 9, 9, 255)), pattern(1, 16384, 1.0, qRgba(9, 9, 9, 255)),
                                       pattern(1, 3, 16.0, qRgba(9, 9, 9, 255))};
    ASSERT_TRUE(cache.save("edges", edges));
    const auto back = cache.load("edges");
    ASSERT_TRUE(back.has_value());
    ASSERT_EQ(back->size(), 3u);
    EXPECT_EQ((*back)[0].size(), QSize(16384, 1));
    EXPECT_EQ((*back)[1].size(), QSize(1, 16384));
    EXPECT_EQ((*back)[2].size(), QSize(1, 3));
    EXPECT_EQ((*back)[2], edges[2]);
    EXPECT_EQ((*back)[2].devicePixelRatio(), 16.0);
    EXPECT_FALSE(cache.save("wide", {QImage(16385, 1, QImage::Format_ARGB32_Premultiplied)}));
    EXPECT_FALSE(cache.save("tall", {QImage(1, 16385, QImage::Format_ARGB32_Premultiplied)}));

    // At most 64 pictures a file.
    EXPECT_TRUE(cache.save("many", std::vector<QImage>(64, one.front())));
    EXPECT_EQ(cache.load("many")->size(), 64u);
    EXPECT_FALSE(cache.save("toomany", std::vector<QImage>(65, one.front())));
}

TEST(PictureCache, AWholeFileOfAnotherFormatVersionOrByteOrderIsRefused) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const PictureCache cache(dir.path());
    const QByteArray bytes = keptBody(cache, "set");
    // magic 4, format 4, version 4, byte order 1: each changed alone, checksummed again.
    for (const int at : {0, 3, 7, 11, 12}) {
        QByteArray forged = bytes;
        forged[at] = char(forged[at] ^ 0x01);
        writeChecksummed(cache.pathOf("set"), forged);
        EXPECT_FALSE(cache.load("set").has_value()) << "byte " << at;
    }
    writeChecksummed(cache.pathOf("set"), bytes);
    EXPECT_TRUE(cache.load("set").has_value());
}

TEST(PictureCache, OtherVersionsAndTheLeastUsedGo) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const PictureCache cache(dir.path());
    writeAll(dir.filePath(QStringLiteral("pictures-200.v%1.tcpx").arg(art::artVersion - 1)), "old");
    writeAll(dir.filePath("notes.txt"), "not ours");
    const std::vector<QImage> one = {pattern(4, 4, 1.0, qRgba(1, 2, 3, 255))};
    for (const char* name : {"table-a", "table-b", "table-c"}) {
        ASSERT_TRUE(cache.save(name, one));
        // Modification times a second apart, oldest first.
        QFile f(cache.pathOf(name));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-100 + (name[6] - 'a')), QFileDevice::FileModificationTime);
    }
    // "table-a" was used last.
    ASSERT_TRUE(cache.load("table-a").has_value());
    cache.prune(2);
    QStringList left = QDir(dir.path()).entryList(QDir::Files);
    left.sort();
    EXPECT_EQ(left, (QStringList{"notes.txt", QFileInfo(cache.pathOf("table-a")).fileName(),
                                 QFileInfo(cache.pathOf("table-c")).fileName()}));
}

TEST(PictureCache, ManyTableTopsDoNotPushOutThePictureSets) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const PictureCache cache(dir.path());
    const std::vector<QImage> one = {pattern(4, 4, 1.0, qRgba(1, 2, 3, 255))};
    // The picture sets first, then a window dragged through many sizes.
    int age = 100;
    const auto saveAged = [&](const QString& name) {
        ASSERT_TRUE(cache.save(name, one));
        QFile f(cache.pathOf(name));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-age--), QFileDevice::FileModificationTime);
    };
    for (const char* name : {"pictures-150", "pictures-200"}) saveAged(name);
    for (int w = 720; w < 740; ++w) saveAged(QStringLiteral("table-2000-%1x555-0x0").arg(w));
    cache.prune(2);
    QStringList left = QDir(dir.path()).entryList(QDir::Files);
    left.sort();
    const auto file = [&](const QString& name) { return QFileInfo(cache.pathOf(name)).fileName(); };
    EXPECT_EQ(left, (QStringList{file("pictures-150"), file("pictures-200"), file("table-2000-738x555-0x0"),
                                 file("table-2000-739x555-0x0")}));
}

TEST(PictureCache, ADrawnSetIsTakenOnlyWhenWhole) {
    // What the table reads back from the folder must be a full set at its scale.
    const auto drawn = tc::client::BoardPictures::draw(1.5);
    EXPECT_TRUE(tc::client::BoardPictures::fits(drawn, 1.5));
    EXPECT_FALSE(tc::client::BoardPictures::fits(drawn, 2.0));
    auto fewer = drawn;
    fewer.pop_back();
    EXPECT_FALSE(tc::client::BoardPictures::fits(fewer, 1.5));
    auto hole = drawn;
    hole[3] = QImage();
    EXPECT_FALSE(tc::client::BoardPictures::fits(hole, 1.5));
}
