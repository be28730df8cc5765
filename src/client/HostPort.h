#pragma once
// A port to offer when the one the player chose for hosting is taken.
#include <QtGlobal>

namespace tc::client {

// The first of the 20 ports above `busy` that can be listened on at every
// address right now, else one the system chooses; 0 when there is none.
// Nothing stays bound: another program may take it before the player does.
quint16 freePortNear(quint16 busy);

} // namespace tc::client
