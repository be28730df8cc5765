// The widget tests need one QApplication for the whole run.
#include <gtest/gtest.h>

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
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    previous = qInstallMessageHandler(quietPlatform);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
