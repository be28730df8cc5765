#pragma once
// Which slot a new connection gets while connections that have not logged
// in ("strangers") hold slots. A stranger holds its slot up to the login
// time, so one program that keeps opening connections and never logs in
// could keep every free slot held and every player out. The gate prevents
// that without telling a squatter from a slow player on a single look:
//
// - One address holds at most kStrangersPerAddress slots without a login at
//   a time: two copies started together behind one router both get in;
//   more are turned away. (An IPv6 address counts by its /64: one host
//   usually has a whole /64 to pick addresses from.)
// - Each address has a standing: how many of its connections arrived in
//   the last kStandingMemoryMs and have not logged in (those waiting now and
//   those that went without). A player's copy logs in at once and stands
//   at 0 again; a squatter's standing grows with every try.
// - A newcomer takes the lowest slot that is free or held by a stranger of
//   another address whose standing is at least kStandingMargin above its
//   own (with the newcomer counted). That stranger gives way: its
//   connection is closed, without a word. So a squatter never keeps a
//   player from the slot he would have had, and cannot push him out again
//   before his login, while two players arriving together both stay.
// - With no such slot the newcomer is turned away without a word while
//   strangers hold slots (the table is not full: a later try may get in),
//   and told the table is full only when every slot is held by a seated
//   player or a seat kept for one.
//
// Memory is bounded: at most kMaxAddresses standings are kept, the
// quietest forgotten first.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace tc::server {

inline constexpr int kStrangerSlots = 9;
inline constexpr int kStrangersPerAddress = 2;
inline constexpr int kStandingMargin = 2;
inline constexpr std::int64_t kStandingMemoryMs = 60'000;
inline constexpr std::size_t kMaxAddresses = 1024;
// Turned-away connections less than this apart are one episode.
inline constexpr std::int64_t kTurnAwayEpisodeMs = 10'000;

class StrangerGate {
public:
    // What holds a slot right now, as the server sees it.
    struct Slot {
        enum class State { Free, Seated, Stranger };
        State state = State::Free;
        std::string address;  // a stranger's address (any form addressKey takes)
    };
    using Slots = std::array<Slot, kStrangerSlots + 1>;  // [1..9]; [0] unused

    struct Admission {
        enum class Kind {
            Slot,      // take `slot`; when `giveWay` is set, close that stranger first
            TurnAway,  // close without a word
            Full,      // every slot is seated or kept: the table is full
        };
        Kind kind = Kind::Full;
        int slot = 0;
        int giveWay = 0;
        // TurnAway: the standing of the newcomer's address, and whether this
        // is the first turned away in kTurnAwayEpisodeMs, from any address
        // (for the log: a storm from many addresses is one episode).
        int standing = 0;
        bool firstOfEpisode = false;
        bool operator==(const Admission&) const = default;
    };

    // A connection arrives from `address` at `nowMs`; counts it against the
    // address's standing and says where it goes.
    Admission admit(const Slots& slots, const std::string& address, std::int64_t nowMs);
    // A connection from `address` logged in (or took a kept seat back).
    void loggedIn(const std::string& address);
    // The standing of `address` now (for tests and the log).
    int standing(const std::string& address, std::int64_t nowMs) const;
    std::size_t addressesKept() const { return standings_.size(); }

    // The part of an address that names one party: an IPv4 address whole,
    // an IPv6 address by its first 64 bits ("2001:db8:1:2::/64"); an
    // IPv4-mapped IPv6 address as its IPv4 address. Text that is no
    // address is kept as it is.
    static std::string addressKey(std::string_view address);

private:
    struct Standing {
        int pending = 0;  // arrivals not yet matched by a login
        std::int64_t lastArrivalMs = 0;
    };
    int pendingOf(const std::string& key, std::int64_t nowMs) const;
    void forgetQuietest();

    std::unordered_map<std::string, Standing> standings_;
    std::int64_t lastTurnAwayMs_ = 0;
    bool turnedAway_ = false;
};

} // namespace tc::server
