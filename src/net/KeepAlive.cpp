#include "net/KeepAlive.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

namespace tc::net {

namespace {
bool set(int fd, int level, int option, int value) {
    return ::setsockopt(fd, level, option, &value, sizeof value) == 0;
}
} // namespace

bool enableKeepAlive(int fd, const KeepAliveTimes& times) {
    if (fd < 0) return false;
    // The timings first: keepalive must never run on the system's default
    // of two hours, even for a moment.
    return set(fd, IPPROTO_TCP, TCP_KEEPIDLE, times.idleS) && set(fd, IPPROTO_TCP, TCP_KEEPINTVL, times.intervalS) &&
           set(fd, IPPROTO_TCP, TCP_KEEPCNT, times.probes) &&
           set(fd, IPPROTO_TCP, TCP_USER_TIMEOUT, times.userTimeoutMs()) &&
           set(fd, SOL_SOCKET, SO_KEEPALIVE, 1);
}

} // namespace tc::net
