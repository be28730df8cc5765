#pragma once
// What the host reads in the chat, and the server's log, about the port
// on the router. No "0+" in front of the chat lines.
#include <string>
#include <vector>

#include "portmap/Mapping.h"

namespace tc::portmap {

// "Players on the internet can join at 203.0.113.7 port 7772 (your router
// opened it)." with the port the router gave.
std::string openedLine(const Mapping& m);

// One line for a mapping that could not be made for `port`: why, and what
// still works (players on the host's network; forwarding by hand; a host
// with a public address).
std::string failedLine(const Failure& f, int port);

// A mapping the router no longer keeps at its renewal.
std::string lostLine(const Failure& f, int port);

// "Players with IPv6 can join at 2a01:4f8::5 port 7772 ..." for the
// global IPv6 addresses among `addresses` (at most six named); empty when
// there is none.
std::string ipv6Line(const std::vector<std::string>& addresses, int port);

// What "Copy Internet Address" puts on the clipboard: "203.0.113.7:7772".
std::string copyText(const Mapping& m);

// The server's log lines.
std::string logOpened(const Mapping& m, bool renewal);
std::string logFailed(const Failure& f, int port);
std::string logRemoved(const Mapping& m);

} // namespace tc::portmap
