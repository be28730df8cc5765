#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QUuid>

#include "GuiTestSupport.h"
#include "app/SingleInstance.h"
#include "client/MainOptions.h"

using tc::app::SingleInstance;
using tc::client::parseMainOptions;
using Params = std::vector<std::string>;

TEST(MainOptions, OurOptionsComeOutAnywhereAndTheRestStaysInOrder) {
    auto o = parseMainOptions({});
    EXPECT_TRUE(o.params.empty());
    EXPECT_EQ(o.port, 7772);
    EXPECT_EQ(o.pauseMs, 0);
    EXPECT_TRUE(o.announce);

    o = parseMainOptions({"Ann", "--port", "9000", "10.0.0.5", "--no-announce", "true"});
    EXPECT_EQ(o.params, (Params{"Ann", "10.0.0.5", "true"}));
    EXPECT_EQ(o.port, 9000);
    EXPECT_FALSE(o.announce);

    EXPECT_EQ(o.holdSeconds, 120);
    EXPECT_EQ(parseMainOptions({"Ann", "h", "true", "--hold-s", "0"}).holdSeconds, 0);
    EXPECT_EQ(parseMainOptions({"--hold-s=3600"}).holdSeconds, 3600);

    o = parseMainOptions({"--pause-ms", "20", "Ann", "127.0.0.1", "true", "--port", "0"});
    EXPECT_EQ(o.params, (Params{"Ann", "127.0.0.1", "true"}));
    EXPECT_EQ(o.port, 0);
    EXPECT_EQ(o.pauseMs, 20);

    // Names are passed on as UTF-8.
    o = parseMainOptions({QString::fromUtf8("Jürgen"), "h", "x"});
    EXPECT_EQ(o.params, (Params{"Jürgen", "h", "x"}));

    // A lobby's words are taken whatever the name looks like; more than
    // three are ignored and named.
    o = parseMainOptions({"-Ace-", "HOST", "false", "--port", "7773"});
    EXPECT_EQ(o.error, "");
    EXPECT_EQ(o.params, (Params{"-Ace-", "HOST", "false"}));
    EXPECT_EQ(o.port, 7773);
    o = parseMainOptions({"a", "b", "c", "d", "-e"});
    EXPECT_EQ(o.params, (Params{"a", "b", "c"}));
    EXPECT_EQ(o.ignored, (Params{"d", "-e"}));
}

TEST(MainOptions, AWrongCommandLineIsNamedAndNothingOfItIsTaken) {
    auto o = parseMainOptions({"Ann", "--port", "seventy", "host", "true"});
    EXPECT_EQ(o.error, "--port needs a whole number (0..65535), not \"seventy\"");
    EXPECT_TRUE(o.params.empty());
    EXPECT_EQ(parseMainOptions({"--port", "70000"}).error, "--port 70000 is out of range (0..65535)");
    EXPECT_EQ(parseMainOptions({"--pause-ms", "0", "x"}).error, "--pause-ms 0 is out of range (1..60000)");
    EXPECT_EQ(parseMainOptions({"Ann", "--port"}).error, "--port needs a value");
    EXPECT_EQ(parseMainOptions({"-h"}).error, "unknown option -h");
    EXPECT_EQ(parseMainOptions({"--hold-s", "3601"}).error, "--hold-s 3601 is out of range (0..3600)");
    EXPECT_EQ(parseMainOptions({"--hold-s", "-1"}).error, "--hold-s -1 is out of range (0..3600)");
    EXPECT_EQ(parseMainOptions({"--hold-s", "2m"}).error, "--hold-s needs a whole number (0..3600), not \"2m\"");
    EXPECT_EQ(parseMainOptions({"--Version"}).error, "unknown option --Version");
    EXPECT_EQ(parseMainOptions({"Ann", "--bogus"}).error, "unknown option --bogus");
    // One or two parameter words are no game: today's "Loading" for ever.
    EXPECT_EQ(parseMainOptions({"Bob"}).error, "NAME, HOST and true or x go together; only 1 word given: \"Bob\"");
    EXPECT_EQ(parseMainOptions({"Bob", "--port", "1", "h"}).error,
              "NAME, HOST and true or x go together; only 2 words given: \"Bob\" \"h\"");
    // A name that starts with a dash comes after "--".
    o = parseMainOptions({"--port", "1", "--", "-Ann-", "h", "true"});
    EXPECT_EQ(o.error, "");
    EXPECT_EQ(o.params, (Params{"-Ann-", "h", "true"}));
    o = parseMainOptions({"Ann", "--version", "host"});
    EXPECT_TRUE(o.version);
    EXPECT_EQ(o.params, (Params{"Ann", "host"}));
    EXPECT_TRUE(parseMainOptions({"--help"}).help);
    EXPECT_TRUE(tc::client::mainUsage().contains("1.0.3.5"));
}

TEST(SingleInstance, ASecondCopyBringsTheFirstForwardAndStandsDown) {
    const QString key = "arolmev-test-" + QUuid::createUuid().toString(QUuid::Id128);
    SingleInstance first(key);
    ASSERT_TRUE(first.claim());
    QSignalSpy raised(&first, &SingleInstance::raiseRequested);
    SingleInstance second(key);
    EXPECT_FALSE(second.claim());
    ASSERT_TRUE(tc::guitest::waitUntil([&] { return raised.count() == 1; }));
}

TEST(SingleInstance, ANameLeftBehindDoesNotLockOutTheNextCopy) {
    const QString key = "arolmev-test-" + QUuid::createUuid().toString(QUuid::Id128);
    // What a crashed copy leaves: the name exists, nobody answers on it.
    const QString path = QDir::tempPath() + "/" + key;
    {
        QFile stale(path);
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    }
    SingleInstance next(key);
    EXPECT_TRUE(next.claim());
    EXPECT_TRUE(SingleInstance::defaultKey().startsWith("arolmev-"));
    // One copy per user and home folder: another home, another name.
    const QString here = SingleInstance::defaultKey();
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", QDir::tempPath().toLocal8Bit());
    const QString elsewhere = SingleInstance::defaultKey();
    qputenv("HOME", oldHome);
    EXPECT_NE(here, elsewhere);
    EXPECT_EQ(SingleInstance::defaultKey(), here);
}

TEST(SingleInstance, AStrangerOnTheSocketIsNotARaiseRequest) {
    const QString key = "arolmev-test-" + QUuid::createUuid().toString(QUuid::Id128);
    SingleInstance first(key);
    ASSERT_TRUE(first.claim());
    QSignalSpy raised(&first, &SingleInstance::raiseRequested);
    QLocalSocket stranger;
    stranger.connectToServer(key);
    ASSERT_TRUE(stranger.waitForConnected(5000));
    stranger.write("hello\n");
    stranger.flush();
    ASSERT_TRUE(tc::guitest::waitUntil([&] { return stranger.state() == QLocalSocket::UnconnectedState; }));
    EXPECT_EQ(raised.count(), 0);
}
