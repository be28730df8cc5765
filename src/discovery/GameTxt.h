#pragma once
// The TXT record of an announced game (DNS-SD, service type
// "_tilecrest._tcp"): what a player sees in the list before joining.
//
//   txtvers=1        this record's layout
//   version=1.0.3    the version a client must log in with
//   players=N        people seated (0..6)
//   free=N           seats nobody holds (0..6)
//   game=running     a game is under way; "waiting" between games
//
// Reading takes whatever another machine sends: keys are matched without
// regard to case and the first of a repeated key counts (as DNS-SD says);
// a value that is out of range or malformed is left unknown, never guessed.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tc::discovery {

inline constexpr const char* kServiceType = "_tilecrest._tcp";
inline constexpr int kSeats = 6;
// Only this many items of a record are looked at, each at most 255 bytes
// (the most one DNS-SD string holds).
inline constexpr std::size_t kMaxTxtItems = 32;
inline constexpr std::size_t kMaxTxtItemBytes = 255;
inline constexpr std::size_t kMaxVersionBytes = 16;

struct GameAnnouncement {
    std::string version;
    int seated = 0;
    int freeSeats = kSeats;
    bool running = false;
};

// The record's strings in the order above. Counts are clamped to 0..6 and
// the version to printable ASCII of at most 16 bytes.
std::vector<std::string> buildTxt(const GameAnnouncement& game);

// What a received record says; a field left unknown is empty / nullopt.
struct GameTxtInfo {
    std::string version;
    std::optional<int> seated;
    std::optional<int> freeSeats;
    std::optional<bool> running;
    bool operator==(const GameTxtInfo&) const = default;
};
GameTxtInfo parseTxt(const std::vector<std::string>& items);

// The list's columns: "2 (4 free)", "2", "?"; "running", "waiting", "".
std::string playersText(const GameTxtInfo& info);
std::string stateText(const GameTxtInfo& info);

} // namespace tc::discovery
