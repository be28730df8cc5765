// The program's sound player: every name the session asks for finds its
// packaged sound whatever its case, anything else finds none, and playing
// on a machine without audio neither fails nor prints. Qt Multimedia is
// loaded with the sound module at the first sound, never before.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include "client/SoundEffectPlayer.h"

namespace tc::client {
namespace {

QStringList printed;

// Whether this process has a library of that name mapped.
bool mapped(const char* library) {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly)) return false;
    return maps.readAll().contains(library);
}

void recordMessage(QtMsgType, const QMessageLogContext&, const QString& message) { printed << message; }

TEST(SoundEffectPlayer, NamesFindTheirSoundsWithoutRegardToCase) {
    const QStringList table = {"slide", "dice", "entered", "wonpoint", "nopoint", "gameover"};
    for (const QString& name : table) {
        const QString path = SoundEffectPlayer::resourceFor(name);
        EXPECT_EQ(path, ":/sounds/" + name.toUpper() + ".wav");
        EXPECT_TRUE(QFile::exists(path)) << path.toStdString();
    }
    for (int n = 1; n <= 20; ++n) {
        const QString path = QStringLiteral(":/sounds/WAVE%1.wav").arg(n);
        EXPECT_EQ(SoundEffectPlayer::resourceFor(QStringLiteral("wave%1").arg(n)), path);
        EXPECT_TRUE(QFile::exists(path)) << path.toStdString();
    }
    EXPECT_EQ(SoundEffectPlayer::resourceFor("Wave12"), ":/sounds/WAVE12.wav");
    EXPECT_EQ(SoundEffectPlayer::resourceFor("DiCe"), ":/sounds/DICE.wav");
    // The win's own name plays the fanfare that follows it.
    EXPECT_EQ(SoundEffectPlayer::resourceFor("winner"), ":/sounds/GAMEOVER.wav");

    for (const char* unknown : {"", "wave", "wave0", "wave21", "wave01", "dice ", "../images/board",
                                "DICE.wav", ":/sounds/DICE.wav"})
        EXPECT_TRUE(SoundEffectPlayer::resourceFor(unknown).isEmpty()) << unknown;
}

TEST(SoundEffectPlayer, PlaysAnyNameAtOnceAndQuietly) {
    // Each test runs in its own process, so the player's filter chains to this recorder.
    printed.clear();
    const QtMessageHandler before = qInstallMessageHandler(recordMessage);
    {
        SoundEffectPlayer player(QStringLiteral(TILECREST_SOUND_MODULE));
        QElapsedTimer clock;
        clock.start();
        for (const char* name : {"dice", "nosuch", "WAVE3", "", "winner", "gameover", "slide"})
            player.play(name);
        EXPECT_LT(clock.elapsed(), 2000);
        QElapsedTimer settle;
        settle.start();
        while (settle.elapsed() < 200) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    qWarning("our own warning");
    qInstallMessageHandler(before);
    EXPECT_EQ(printed, QStringList{"our own warning"});
}

TEST(SoundEffectPlayer, LoadsQtMultimediaOnlyWithTheFirstSound) {
    // Nothing in the test binary links Qt Multimedia: only the module brings it.
    if (mapped("tilecrest-sound.so")) GTEST_SKIP() << "an earlier test in this process loaded the module";
    ASSERT_FALSE(mapped("libQt6Multimedia")) << "linked into the program, so loaded with it";
    SoundEffectPlayer player(QStringLiteral(TILECREST_SOUND_MODULE));
    EXPECT_EQ(player.audio(), SoundEffectPlayer::Audio::Unknown);
    EXPECT_FALSE(mapped("tilecrest-sound.so"));
    EXPECT_FALSE(mapped("libQt6Multimedia"));
    player.play("dice");
    // Whether this machine has an audio output or not, the module was found and asked.
    EXPECT_NE(player.audio(), SoundEffectPlayer::Audio::Unknown);
    EXPECT_NE(player.audio(), SoundEffectPlayer::Audio::NoModule);
    EXPECT_TRUE(mapped("tilecrest-sound.so"));
    EXPECT_TRUE(mapped("libQt6Multimedia"));
}

TEST(SoundEffectPlayer, WithoutItsModuleStaysSilentAndQuiet) {
    const bool loadedBefore = mapped("libQt6Multimedia");
    printed.clear();
    const QtMessageHandler before = qInstallMessageHandler(recordMessage);
    QTemporaryDir empty;
    ASSERT_TRUE(empty.isValid());
    // A file of the module's name that is no module, and a module of another
    // build's interface: each is refused, never run.
    QFile notAModule(empty.filePath(QStringLiteral("tilecrest-sound.so")));
    ASSERT_TRUE(notAModule.open(QIODevice::WriteOnly));
    notAModule.write("not a shared object");
    notAModule.close();
    for (const QString& path : {empty.filePath(QStringLiteral("missing.so")), notAModule.fileName(),
                                QStringLiteral(TILECREST_OTHER_SOUND_MODULE)}) {
        SoundEffectPlayer player(path);
        player.play("dice");
        player.play("slide");
        EXPECT_EQ(player.audio(), SoundEffectPlayer::Audio::NoModule) << path.toStdString();
    }
    if (!loadedBefore) {
        EXPECT_FALSE(mapped("libQt6Multimedia"));
    }
    qInstallMessageHandler(before);
    EXPECT_TRUE(printed.isEmpty()) << printed.join(QLatin1Char('\n')).toStdString();
}

TEST(SoundEffectPlayer, LooksBesideItselfThenInTheInstallsLibraryFolder) {
    const QStringList paths = SoundEffectPlayer::modulePaths();
    ASSERT_EQ(paths.size(), 2);
    EXPECT_EQ(paths[0], QCoreApplication::applicationDirPath() + QStringLiteral("/tilecrest-sound.so"));
    // The second is checked against a real install by the install test.
    EXPECT_TRUE(paths[1].endsWith(QStringLiteral("/tilecrest/tilecrest-sound.so"))) << paths[1].toStdString();
    EXPECT_FALSE(paths[1].contains(QStringLiteral("/bin/")));
}

} // namespace
} // namespace tc::client
