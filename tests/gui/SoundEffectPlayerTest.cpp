// The program's sound player: every name the session asks for finds its
// packaged sound whatever its case, anything else finds none, and playing
// on a machine without audio neither fails nor prints.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>

#include "client/SoundEffectPlayer.h"

namespace tc::client {
namespace {

QStringList printed;

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
        SoundEffectPlayer player;
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

} // namespace
} // namespace tc::client
