#pragma once
// The documents that ship with the game, README.md and LICENSE: installed
// in share/doc/tilecrest beside the programs' bin folder, and kept in the
// same place under a build folder, so an installed copy and a built one
// both find them from their own executable.
#include <string>

#include <QString>
#include <QUrl>

namespace tc::windows {

struct ShippedDocuments {
    // The folder, absolute: the one beside the program, else the build's,
    // else the installed one, whichever holds the README first; the one
    // beside the program when none does.
    static QString folder();
    static QUrl readme();
    static QUrl licence();
    // `address` when it is given, else the README (WebAddresses' empty).
    static QUrl orReadme(const std::string& address);
    // What a label shows for `url`: a file as its path, a web address as is.
    static QString shown(const QUrl& url);
};

} // namespace tc::windows
