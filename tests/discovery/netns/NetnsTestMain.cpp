// The tests that need a private network namespace with its own Avahi
// daemon: ctest runs this binary through tests/discovery/netns-run.sh.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "app/ApplicationIdentity.h"
#include "store/StoreLocation.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tc::app::ApplicationIdentity::apply();
    QApplication::setQuitOnLastWindowClosed(false);
    QTemporaryDir store;
    if (!store.isValid()) return 1;
    tc::store::setStoreFolderOverride(store.path());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
