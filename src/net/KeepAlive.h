#pragma once
// TCP keepalive on a game connection. A peer whose machine vanishes (cable
// pulled, power gone) sends no FIN or RST: without probes an idle
// connection looks alive for hours, and one with data in flight for many
// minutes of retransmissions, so the seat hold would start far too late and
// a client would wait on a server that is gone. With these timings a
// silent peer is noticed about 35 s after it last spoke, idle or not.
namespace tc::net {

struct KeepAliveTimes {
    int idleS = 15;     // quiet time before the first probe
    int intervalS = 5;  // between probes
    int probes = 4;     // unanswered probes before the end
    // How long sent data may stay unacknowledged; the same bound, so a
    // connection that was writing when the peer vanished ends as soon as
    // an idle one does.
    int userTimeoutMs() const { return (idleS + intervalS * probes) * 1000; }
};

inline constexpr KeepAliveTimes kKeepAlive{};

// Turns keepalive on for the connected TCP socket `fd` with `times`. False
// when `fd` is no TCP socket or the system refused an option; the
// connection then works as before, only without the early end.
bool enableKeepAlive(int fd, const KeepAliveTimes& times = kKeepAlive);

} // namespace tc::net
