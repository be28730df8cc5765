#pragma once
// The main() of a GUI test binary: one QApplication under an X server of its
// own (tests/with-xvfb.sh), and every test with a settings, tally and
// picture folder of its own, so that no test reads what another wrote,
// whatever the order the tests run in.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include "store/StoreLocation.h"

namespace tc::guitest {

namespace run {

inline QtMessageHandler& standardHandler() {
    static QtMessageHandler handler = nullptr;
    return handler;
}

// The offscreen platform reports window-manager calls it cannot honour, and
// a bare CI environment has no XDG runtime directory; neither says anything
// about the program, so they are kept out of the output.
inline void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtFatalMsg && (message.startsWith(QLatin1String("This plugin does not support")) ||
                               message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR"))))
        return;
    if (standardHandler()) standardHandler()(type, context, message);
}

// Each test starts in an empty folder of its own under the run's folder
// (kept until the binary ends: a window a test left for deletion may still
// save into it). A test that points the store elsewhere is set back after it.
class FolderPerTest : public ::testing::EmptyTestEventListener {
public:
    explicit FolderPerTest(QString base) : base_(std::move(base)) {}

private:
    void OnTestStart(const ::testing::TestInfo& info) override {
        QString name = QStringLiteral("%1.%2").arg(QString::fromUtf8(info.test_suite_name()),
                                                   QString::fromUtf8(info.name()));
        name.replace(QLatin1Char('/'), QLatin1Char('_'));
        const QString folder = QDir(base_).filePath(name);
        QDir().mkpath(folder);
        store::setStoreFolderOverride(folder);
    }
    void OnTestEnd(const ::testing::TestInfo&) override { store::setStoreFolderOverride(base_); }
    QString base_;
};

} // namespace run

// Runs every test of the binary; `withApplication` runs once the
// application exists, before the first test.
inline int runGuiTests(int argc, char** argv, const std::function<void()>& withApplication = {}) {
    // Under an X server of its own (tests/with-xvfb.sh sets DISPLAY and
    // QT_QPA_PLATFORM=xcb, as ctest does); never on the caller's screen by chance.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fprintf(stderr, "Run this under an X server of its own: tests/with-xvfb.sh %s [ARGS]\n", argv[0]);
        return 2;
    }
    run::standardHandler() = qInstallMessageHandler(run::quietHandler);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    if (withApplication) withApplication();
    // Never the user's folders, nor beside the shared test executable.
    QTemporaryDir store;
    if (!store.isValid()) return 1;
    store::setStoreFolderOverride(store.path());
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new run::FolderPerTest(store.path()));
    return RUN_ALL_TESTS();
}

} // namespace tc::guitest
