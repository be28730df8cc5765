// The widget tests need one QApplication for the whole run.
#include <gtest/gtest.h>

#include <cstdio>

#include <QApplication>

namespace {

// The offscreen platform reports what it cannot do (raise, grab, ...);
// those notices say nothing about our code, so they are kept out of the
// test output. Anything else still goes through.
QtMessageHandler previous = nullptr;

void quietPlatform(QtMsgType type, const QMessageLogContext& context, const QString& msg) {
    if (msg.startsWith(QLatin1String("This plugin does not support")) ||
        msg.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    previous(type, context, msg);
}

} // namespace

int main(int argc, char** argv) {
    // Under an X server of its own (tests/with-xvfb.sh sets DISPLAY and
    // QT_QPA_PLATFORM=xcb, as ctest does); never on the caller's screen by chance.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fprintf(stderr, "Run this under an X server of its own: tests/with-xvfb.sh %s [ARGS]\n", argv[0]);
        return 2;
    }
    previous = qInstallMessageHandler(quietPlatform);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
