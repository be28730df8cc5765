#include "client/MainOptions.h"

namespace tc::client {

namespace {

bool readInt(const QStringList& args, qsizetype& i, int low, int high, int& out) {
    if (i + 1 >= args.size()) return false;
    bool ok = false;
    const int v = args[i + 1].toInt(&ok);
    ++i;  // the value is consumed even when it does not read
    if (!ok || v < low || v > high) return false;
    out = v;
    return true;
}

} // namespace

MainOptions parseMainOptions(const QStringList& args) {
    MainOptions o;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        int v = 0;
        if (a == QLatin1String("--port")) {
            if (readInt(args, i, 0, 65535, v)) o.port = static_cast<quint16>(v);
        } else if (a == QLatin1String("--pause-ms")) {
            if (readInt(args, i, 1, 60000, v)) o.pauseMs = v;
        } else {
            o.params.push_back(a.toStdString());
        }
    }
    return o;
}

} // namespace tc::client
