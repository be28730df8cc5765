#include "client/MainOptions.h"

#include "net/Version.h"

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
        } else if (a == QLatin1String("--no-announce")) {
            o.announce = false;
        } else if (a == QLatin1String("--help")) {
            o.help = true;
        } else if (a == QLatin1String("--version")) {
            o.version = true;
        } else {
            o.params.push_back(a.toStdString());
        }
    }
    return o;
}

QString mainUsage() {
    return QStringLiteral(
               "Usage: tilecrest [NAME HOST true | NAME HOST x] [--port N] [--pause-ms N] [--no-announce]\n"
               "Tilecrest %1, a dice-and-tiles game for up to six players.\n"
               "\n"
               "  (no parameters)  a solo game as \"You\" against the computer player\n"
               "  NAME HOST true   host a game as NAME (HOST is not used)\n"
               "  NAME HOST x      join the game hosted at HOST as NAME (any word but \"true\")\n"
               "  --port N         host or join on TCP port N instead of 7772\n"
               "  --pause-ms N     length of the hosted server's pause tick (default 1000)\n"
               "  --no-announce    do not show a hosted game to players on the local network\n"
               "  --help           show this text and end\n"
               "  --version        show the version and end\n"
               "\n"
               "In the game, File > Host a Game... and Join a Game... do the same without a command line.\n")
        .arg(QLatin1String(net::kFullVersion));
}

} // namespace tc::client
