// The main of the tests that run in private network namespaces: the Avahi
// ones (through tests/discovery/netns-run.sh) and the router ones (through
// tests/portmap/router-netns.sh).
#include <gtest/gtest.h>

#include <cstdio>

#include <QApplication>
#include <QTemporaryDir>

#include "app/ApplicationIdentity.h"
#include "store/StoreLocation.h"

int main(int argc, char** argv) {
    // Under an X server of its own (tests/with-xvfb.sh sets DISPLAY and
    // QT_QPA_PLATFORM=xcb, as ctest does); never on the caller's screen by chance.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fprintf(stderr, "Run this under an X server of its own: tests/with-xvfb.sh %s [ARGS]\n", argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    tc::app::ApplicationIdentity::apply();
    QApplication::setQuitOnLastWindowClosed(false);
    QTemporaryDir store;
    if (!store.isValid()) return 1;
    tc::store::setStoreFolderOverride(store.path());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
