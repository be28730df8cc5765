#pragma once
// The program's own command-line options, taken out before the rest goes
// to the session as its positional parameters (name, host, "true").
//   --port N      host and join on port N (0..65535; 0 lets the system
//                 choose when hosting); default 7772
//   --pause-ms N  the in-process server's pause tick in milliseconds (1..60000)
//   --no-announce a hosted game is not announced on the local network
//   --no-map-port a hosted game does not ask the home router to open its
//                 port (without it, the Host dialog's remembered choice counts)
//   --hold-s N    a hosted game keeps the seat of a player whose connection
//                 drops for N seconds (0..3600; 0 never); default 120
//   --help, --version  print the usage or the version and end, before any
//                 window or port is opened
// Options are accepted anywhere and are not counted as parameters; "--"
// ends them. The parameters are none or three (net::takeGameWords): a word
// that is none of our options is one of them, so a lobby's "-Ace- HOST x"
// joins as "-Ace-"; one or two words, an unknown option (also "-h") among
// fewer than three words, a missing value or one that is not a number in
// its range makes the command line wrong (`error`): the program says so and
// ends with status 2 (net/CommandLine.h). Words after the third are
// ignored and listed in `ignored`.
#include <string>
#include <vector>

#include <QStringList>

namespace tc::client {

struct MainOptions {
    std::vector<std::string> params;
    std::vector<std::string> ignored;  // words after the third
    quint16 port = 7772;
    int pauseMs = 0;  // 0: the server's own default
    bool announce = true;  // a hosted game (never a solo one) is announced
    bool mapPort = true;   // a hosted game may ask the router to open its port
    int holdSeconds = 120;  // how long the own server keeps a dropped player's seat
    bool help = false;
    bool version = false;
    std::string error;  // empty unless the command line is wrong
};

// `args` without the program name.
MainOptions parseMainOptions(const QStringList& args);

// What --help prints, ending in a line end.
QString mainUsage();

} // namespace tc::client
