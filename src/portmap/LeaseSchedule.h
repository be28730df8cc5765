#pragma once
// When a mapping is asked for again. A lease is renewed at half its time,
// so one lost answer still leaves time for the next; a router that
// restarted has forgotten it, and the renewal makes it again. After a
// failure the next try waits longer each time, so a missing router is
// never asked every few seconds.
namespace tc::portmap {

// The lease asked for: an hour. A crash leaves a mapping that runs out.
inline constexpr int kLeaseSeconds = 3600;

// Seconds until the renewal of a mapping granted for `grantedSeconds`
// (0: kept until removed, when the router is still asked every
// `askedSeconds` / 2 in case it restarted). At least 1.
int renewAfterSeconds(int grantedSeconds, int askedSeconds);

// Seconds until the next try after `failures` failed tries in a row
// (1 or more): 60, 120, 240 ... at most 1800.
int retryAfterSeconds(int failures);

} // namespace tc::portmap
