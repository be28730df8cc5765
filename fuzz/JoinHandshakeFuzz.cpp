// A join tried before the current game is left, fed whatever a peer sends:
// at most one login goes out and only after a good login request, the state
// only moves forward, and the bytes held stay bounded.
//
// Input: the name (length, bytes), then chunks of the peer's bytes (each a
// length byte or a run, see FuzzInput::chunkOrRun).
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "session/JoinHandshake.h"

using tc::client::JoinHandshake;
using State = JoinHandshake::State;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tc::fuzz::FuzzInput in(data, size);
    JoinHandshake h{std::string(in.chunk())};
    int logins = 0;
    State before = h.state();
    while (!in.empty()) {
        const std::string bytes = in.chunkOrRun();
        const std::string reply = h.onBytes(bytes);
        if (!reply.empty()) {
            ++logins;
            FUZZ_CHECK(reply.rfind("CMD_logininfo+" + std::to_string(h.seat()) + "+1.0.3+", 0) == 0, reply);
            FUZZ_CHECK(reply.size() >= 2 && reply.back() == '\xFF', reply);
        }
        FUZZ_CHECK(logins <= 1, "a second login");
        FUZZ_CHECK(h.seat() >= 0 && h.seat() <= 9, std::to_string(h.seat()));
        FUZZ_CHECK(static_cast<int>(h.state()) >= static_cast<int>(before), "state went back");
        if (before != State::Waiting && before != State::LoggedIn) FUZZ_CHECK(h.state() == before, "left an end");
        // A login turned away (full, removed) or a peer that went wrong
        // after it keeps the seat it was given.
        const bool endAfterLogin =
            h.state() == State::NotAGame || h.state() == State::Full || h.state() == State::Removed;
        FUZZ_CHECK((h.state() == State::LoggedIn || h.state() == State::Joined) == (h.seat() != 0) ||
                       (endAfterLogin && logins == 1),
                   "seat without login");
        FUZZ_CHECK(h.state() != State::Joined || !h.rest().empty(), "joined without an answer");
        FUZZ_CHECK(h.rest().size() <= JoinHandshake::kMaxBytes + 2 * 1024 * 1024, "rest unbounded");
        before = h.state();
    }
    return 0;
}
