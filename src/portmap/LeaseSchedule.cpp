#include "portmap/LeaseSchedule.h"

#include <algorithm>

namespace tc::portmap {

int renewAfterSeconds(int grantedSeconds, int askedSeconds) {
    const int lease = grantedSeconds > 0 ? grantedSeconds : std::max(askedSeconds, 0);
    return std::max(1, lease / 2);
}

int retryAfterSeconds(int failures) {
    int wait = 60;
    for (int i = 1; i < failures && wait < 1800; ++i) wait *= 2;
    return std::min(wait, 1800);
}

} // namespace tc::portmap
