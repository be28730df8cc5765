// The games found on the network, fed what other machines announce: TXT
// records of any bytes, instances appearing, resolving and going in any
// order. Checked: the list stays bounded and sorted, every value read is in
// its range, a shown name is valid UTF-8 without control or bidirectional
// control characters, and our own record reads back whole.
//
// Input: operations of one byte each (add, resolve, remove, a record built
// and read back), with the instance's name, interface and protocol and the
// record's strings taken from the bytes that follow.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "discovery/FoundGames.h"
#include "discovery/GameTxt.h"
#include "discovery/ServiceName.h"

namespace {

using namespace tc::discovery;
using tc::fuzz::FuzzInput;

ServiceKey keyFrom(FuzzInput& in) {
    const std::uint8_t b = in.byte();
    // Few interfaces and names, so instances meet again.
    return ServiceKey{b & 3, (b >> 2) & 1, std::string(in.take(in.byte() % 4)), (b & 0x80) ? "local" : "lan"};
}

void checkInfo(const GameTxtInfo& info) {
    FUZZ_CHECK(!info.seated || (*info.seated >= 0 && *info.seated <= kSeats), "players out of range");
    FUZZ_CHECK(!info.freeSeats || (*info.freeSeats >= 0 && *info.freeSeats <= kSeats), "free out of range");
    FUZZ_CHECK(info.version.size() <= kMaxVersionBytes, "version too long");
    // What the list shows of it: a player count or "?", and a state.
    const std::string players = playersText(info);
    FUZZ_CHECK(!players.empty() && (players == "?") == !info.seated, "players text " + players);
    const std::string state = stateText(info);
    FUZZ_CHECK(state.empty() ? !info.running : state == (*info.running ? "running" : "waiting"), "state " + state);
}

// Valid UTF-8 holding none of the characters shownGameName drops.
bool showable(const std::string& s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        std::size_t len = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
        if (len == 0 || i + len > s.size()) return false;
        char32_t c = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
        for (std::size_t k = 1; k < len; ++k) {
            const auto cb = static_cast<unsigned char>(s[i + k]);
            if ((cb & 0xC0) != 0x80) return false;
            c = (c << 6) | (cb & 0x3F);
        }
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x061C || c == 0x200E || c == 0x200F || c == 0x2028 ||
            c == 0x2029 || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) ||
            (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
            return false;
        i += len;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    FoundGames games;
    while (!in.empty()) {
        switch (in.byte() % 4) {
        case 0:
            games.add(keyFrom(in));
            break;
        case 1: {
            const ServiceKey key = keyFrom(in);
            Resolved where{std::string(in.chunk()), static_cast<std::uint16_t>(in.u32()), (in.byte() & 1) != 0, {}};
            for (int n = in.byte() % 40; n > 0; --n) where.txt.push_back(in.chunkOrRun());
            checkInfo(parseTxt(where.txt));
            games.resolved(key, where);
            break;
        }
        case 2:
            games.remove(keyFrom(in));
            break;
        case 3: {
            GameAnnouncement game{std::string(in.chunk()), static_cast<std::int8_t>(in.byte()),
                                  static_cast<std::int8_t>(in.byte()), (in.byte() & 1) != 0};
            const GameTxtInfo back = parseTxt(buildTxt(game));
            checkInfo(back);
            FUZZ_CHECK(back.seated && back.freeSeats && back.running, "our own record lost a value");
            FUZZ_CHECK(*back.running == game.running, "our own record changed the game state");
            const std::string name = serviceNameFor(in.chunk());
            FUZZ_CHECK(!name.empty() && name.size() <= kMaxServiceNameBytes, "bad service name length");
            break;
        }
        }
        FUZZ_CHECK(games.instanceCount() <= kMaxInstances, "more instances than the cap");
        const auto rows = games.rows();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            checkInfo(rows[i].info);
            FUZZ_CHECK(!rows[i].name.empty() && showable(rows[i].name), "a shown name steers the text");
            // Names that differ only in dropped characters show alike.
            if (i > 0) FUZZ_CHECK(rows[i - 1].name <= rows[i].name, "rows not sorted");
        }
    }
    return 0;
}
