#pragma once
// The desktop's language, read from the environment the way Qt reads it,
// for the programs and tools that have no Qt and for those that do, so that
// all of them speak the same language on one desktop.
#include <string>
#include <vector>

namespace tc::net {

// The languages the desktop asks for, most wanted first, as lower-case
// codes ("de_AT.UTF-8" and "de-CH" are "de"; "C" and "POSIX" are "en"):
// LANGUAGE, a colon list, when it is set; else the first set of LC_ALL,
// LC_MESSAGES, LANG. Empty entries are skipped. `getenv` reads a variable
// (nullptr or "" when unset).
std::vector<std::string> desktopLanguages(const char* (*getenv)(const char*));
std::vector<std::string> desktopLanguages();

// The first of `wanted` that is English or one of `spoken` (codes); "en"
// where none is.
std::string pickLanguage(const std::vector<std::string>& wanted, const std::vector<std::string>& spoken);

} // namespace tc::net
