#include "client/QuietMultimedia.h"

#include <cstdio>

#include <QByteArray>
#include <QLatin1String>
#include <QString>
#include <QtGlobal>

namespace tc::client {

namespace {

QtMessageHandler previous = nullptr;
bool installed = false;

bool fromMultimedia(const QMessageLogContext& context, const QString& message) {
    if (context.category && QLatin1String(context.category).startsWith(QLatin1String("qt.multimedia")))
        return true;
    // The sound server's and the sound effect's own warnings carry no category.
    return message.startsWith(QLatin1String("PulseAudioService:")) ||
           message.startsWith(QLatin1String("QPulseAudio")) ||
           message == QLatin1String("No audio device detected");
}

void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    // Only warnings: debug output that someone switched on stays visible.
    if (type == QtWarningMsg && fromMultimedia(context, message)) return;
    if (previous) {
        previous(type, context, message);
    } else {
        const QByteArray text = qFormatLogMessage(type, context, message).toLocal8Bit();
        std::fprintf(stderr, "%s\n", text.constData());
    }
}

} // namespace

void installQuietMultimedia() {
    if (installed) return;
    installed = true;
    previous = qInstallMessageHandler(quietHandler);
}

} // namespace tc::client
