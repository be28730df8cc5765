// One QApplication for every GUI test, on the xcb platform under an X server
// of its own (tests/with-xvfb.sh).
#include <gtest/gtest.h>

#include <cstdio>

#include <QApplication>
#include <QTemporaryDir>

#include "store/StoreLocation.h"

#include "app/ApplicationIdentity.h"

namespace {

QtMessageHandler standardHandler = nullptr;

// The offscreen platform reports window-manager calls it cannot honour, and
// a bare CI environment has no XDG runtime directory; neither says anything
// about the program, so they are kept out of the output.
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtFatalMsg && (message.startsWith(QLatin1String("This plugin does not support")) ||
                               message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR"))))
        return;
    if (standardHandler) standardHandler(type, context, message);
}

// A test that points the store at a folder of its own (and removes that
// folder when it ends) must not leave the tests after it, in the same
// process, writing into a folder that is gone.
class RestoreStoreFolder : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { before_ = tc::store::storeFolderOverride(); }
    void OnTestEnd(const ::testing::TestInfo&) override { tc::store::setStoreFolderOverride(before_); }
    QString before_;
};

} // namespace

int main(int argc, char** argv) {
    // Under an X server of its own (tests/with-xvfb.sh sets DISPLAY and
    // QT_QPA_PLATFORM=xcb, as ctest does); never on the caller's screen by chance.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fprintf(stderr, "Run this under an X server of its own: tests/with-xvfb.sh %s [ARGS]\n", argv[0]);
        return 2;
    }
    // The games these tests host must never be announced on a real network:
    // a system bus that is not there leaves the machine's Avahi unasked.
    // (tests/discovery announces inside a private network namespace.)
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/tilecrest-tests/system_bus_socket");
    // Nor may they ask a router on it: ctest turns port mapping off for
    // every test, and a binary run by hand gets the same here (the router
    // tests ask only inside private namespaces, from a binary of their own).
    qputenv("TILECREST_NO_PORT_MAP", "1");
    // English, whatever the desktop speaks, unless a test runs in a language
    // of its own on purpose (tests/gui/CMakeLists.txt).
    if (qEnvironmentVariableIsEmpty("TILECREST_TEST_LANGUAGE")) qputenv("LANGUAGE", "en");
    standardHandler = qInstallMessageHandler(quietHandler);
    QApplication app(argc, argv);
    // The same application identity the program sets up, so window titles
    // come out as they do for the player.
    tc::app::ApplicationIdentity::apply();
    QApplication::setQuitOnLastWindowClosed(false);
    // Every test binary keeps its settings and tally in a folder of its
    // own, never beside the shared test executable.
    QTemporaryDir store;
    if (!store.isValid()) return 1;
    tc::store::setStoreFolderOverride(store.path());
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new RestoreStoreFolder);
    return RUN_ALL_TESTS();
}
