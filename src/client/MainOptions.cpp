#include "client/MainOptions.h"

#include <QCoreApplication>

#include "Translations.h"

#include "net/CommandLine.h"
#include "net/Version.h"

namespace tc::client {

MainOptions parseMainOptions(const QStringList& args) {
    using Kind = net::OptionRule::Kind;
    static const std::vector<net::OptionRule> rules = {
        {"--port", Kind::Number, 0, 65535},
        {"--pause-ms", Kind::Number, 1, 60000},
        {"--help", Kind::Flag},
        {"--version", Kind::Flag},
        {"--no-announce", Kind::Flag},
        {"--no-map-port", Kind::Flag},
        {"--hold-s", Kind::Number, 0, 3600},
    };
    std::vector<std::string> words;
    for (const QString& a : args) words.push_back(a.toStdString());
    // A lobby passes the player's name as it is: a word that is none of our
    // options is one of the three parameter words.
    const net::CommandLine cl = net::parseCommandLine(words, rules, net::UnknownOptions::AreWords);
    MainOptions o;
    o.error = cl.error;
    if (!cl.error.empty()) return o;
    o.help = cl.has("--help");
    o.version = cl.has("--version");
    net::GameWords game = net::takeGameWords(cl);
    if (!game.error.empty() && !o.help && !o.version) {
        o.error = game.error;
        return o;
    }
    o.params = game.error.empty() ? game.params : cl.words;
    o.ignored = game.ignored;
    o.port = static_cast<quint16>(cl.number("--port", o.port));
    o.pauseMs = static_cast<int>(cl.number("--pause-ms", o.pauseMs));
    o.announce = !cl.has("--no-announce");
    o.mapPort = !cl.has("--no-map-port");
    o.holdSeconds = static_cast<int>(cl.number("--hold-s", o.holdSeconds));
    return o;
}

QString mainUsage() {
    // Printed before the application exists: in the desktop's language.
    static const char* const usage = QT_TRANSLATE_NOOP(
               "MainOptions",
               "Usage: tilecrest [NAME HOST true | NAME HOST x] [--port N] [--pause-ms N] [--hold-s N]\n"
               "                [--no-announce] [--no-map-port]\n"
               "Tilecrest %1, a dice-and-tiles game for up to six players.\n"
               "\n"
               "  (no parameters)  a solo game as \"You\" against the computer player\n"
               "  NAME HOST true   host a game as NAME (HOST is not used)\n"
               "  NAME HOST x      join the game hosted at HOST as NAME (any word but \"true\")\n"
               "  --port N         host or join on TCP port N (0..65535) instead of 7772; a solo\n"
               "                   game takes another free port when N is taken\n"
               "  --pause-ms N     length of the hosted server's pause tick, 1..60000 ms (default 1000)\n"
               "  --hold-s N       a hosted game keeps the seat of a player whose connection drops\n"
               "                   for N seconds, 0..3600 (default 120; 0 never)\n"
               "  --no-announce    do not show a hosted game to players on the local network\n"
               "  --no-map-port    do not ask the home router to open a hosted game's port for\n"
               "                   players on the internet (otherwise the Host dialog's choice counts)\n"
               "  --               end of the options: every word after it is a parameter word\n"
               "  --help           show this text and end\n"
               "  --version        show the version and end\n"
               "\n"
               "A solo game can be reached only from this computer; a hosted game from the network.\n"
               "In the game, File > Host a Game... and Join a Game... do the same without a command line.\n"
               "Any word that is none of these options is a parameter word, so a NAME may start with \"-\";\n"
               "among fewer than three words such a word is an unknown option. One or two parameter words\n"
               "are not enough; words after the third are ignored, with a line on stderr.\n"
               "A wrong command line is named on stderr with this text and ends with status 2.\n");
    return i18n::translateEarly("MainOptions", usage).arg(QLatin1String(net::kFullVersion));
}

} // namespace tc::client
