// tilecrest-artgen: draws exactly the pictures that tc_assets packages, at
// the packaged sizes, the same bytes on every run, and refuses a bad command line.

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QCoreApplication& app()
{
    static int argc = 1;
    static char name[] = "artgen_test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication instance(argc, argv);
    return instance;
}

int runArtgen(const QStringList& args)
{
    app();
    QProcess process;
    // Kept out of the test's own output; Qt's start-up notes would be noise.
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // Offscreen: the tool draws pictures into files and opens no window.
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(TILECREST_ARTGEN), args);
    if (!process.waitForFinished(120000))
        return -1;
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

// Relative names ("images/tile1.png") of the files under `root`.
QStringList filesUnder(const QString& root)
{
    QStringList names;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        names << QDir(root).relativeFilePath(it.next());
    names.sort();
    return names;
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(Artgen, DrawsEveryPackagedPictureAtItsSizeTheSameEachRun)
{
    QTemporaryDir first;
    QTemporaryDir second;
    ASSERT_TRUE(first.isValid() && second.isValid());
    ASSERT_EQ(runArtgen({first.path()}), 0);
    ASSERT_EQ(runArtgen({second.path()}), 0);

    QStringList packaged;
    QDirIterator it(QStringLiteral(":/"), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (path.startsWith(QLatin1String(":/images/"))
            || path.startsWith(QLatin1String(":/smilies/")))
            packaged << path.mid(2);
    }
    packaged.sort();
    QStringList drawn = filesUnder(first.path());
    // The desktop icons are installed, not packaged: the committed ones.
    const QStringList icons = drawn.filter(QRegularExpression(QStringLiteral("^icons/")));
    EXPECT_EQ(icons, filesUnder(QStringLiteral(TILECREST_ASSETS_DIR)).filter(QRegularExpression(QStringLiteral("^icons/"))));
    EXPECT_EQ(icons, (QStringList{"icons/hicolor/128x128/apps/org.tilecrest.Tilecrest.png",
                                  "icons/hicolor/256x256/apps/org.tilecrest.Tilecrest.png",
                                  "icons/hicolor/48x48/apps/org.tilecrest.Tilecrest.png"}));
    for (const QString& name : icons) {
        const QImage fresh(first.filePath(name));
        EXPECT_EQ(fresh.size(), QImage(QStringLiteral(TILECREST_ASSETS_DIR "/") + name).size()) << name.toStdString();
        EXPECT_EQ(contents(first.filePath(name)), contents(second.filePath(name))) << name.toStdString();
        drawn.removeAll(name);
    }
    EXPECT_EQ(drawn, packaged);
    // Nine tiles, six dice, the twelve table pieces, four side pictures,
    // nine phrase buttons and eighteen smileys.
    EXPECT_EQ(drawn.size(), 9 + 6 + 12 + 4 + 9 + 18);

    for (const QString& name : drawn) {
        const QImage fresh(first.filePath(name));
        const QImage shipped(QStringLiteral(":/") + name);
        EXPECT_FALSE(fresh.isNull()) << name.toStdString();
        EXPECT_EQ(fresh.size(), shipped.size()) << name.toStdString();
        EXPECT_EQ(contents(first.filePath(name)), contents(second.filePath(name)))
            << name.toStdString() << " differs between two runs";
    }
}

TEST(Artgen, RefusesAMissingOrExtraArgument)
{
    EXPECT_EQ(runArtgen({}), 2);
    EXPECT_EQ(runArtgen({QStringLiteral("a"), QStringLiteral("b")}), 2);
}

TEST(Artgen, ReportsAnOutputFolderItCannotCreate)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A plain file where the output folder should be.
    const QString blocker = dir.filePath(QStringLiteral("file"));
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(runArtgen({blocker}), 1);
}
