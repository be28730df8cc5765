#pragma once
// The first words of a copy coming back to the seat kept for it: the host
// asks for a login ("CMD_sendlogininfo+slot"), and instead of logging in
// the copy presents its seat key ("CMD_reclaim+slot+key+"). The host
// answers "CMD_yourseat+seat+" (the seat is ours again; that line and
// everything after it are for the session taking the connection over),
// "CMD_reclaimrefused+" (no seat is kept for this key), or "CMD_full+".
// A table whose nine slots are held while seats are kept gives no slot but
// asks for a key ("CMD_fullkept+"), presented for slot 0; without the
// right one the answer is "CMD_full+".
//
// A copy that gives up (Cancel while reconnecting) presents the key with
// "CMD_giveup+slot+key+" instead; the host answers "CMD_givenup+seat+" and
// releases the seat as for any player who leaves, instead of keeping it
// for nobody until the hold ends, or "CMD_reclaimrefused+". A host that
// does not know the request says nothing, and the seat ends with its hold.
#include <cstddef>
#include <string>
#include <string_view>

namespace tc::client {

// The requests presenting `key` from `slot`, in wire bytes: to take the
// seat back, and to give it up.
std::string reclaimMessage(int slot, const std::string& key);
std::string giveUpMessage(int slot, const std::string& key);

class ReclaimHandshake {
public:
    enum class State {
        Waiting,    // for the login request
        Asked,      // key presented, waiting for the answer
        Reclaimed,  // the seat is ours: rest() starts with "CMD_yourseat"
        Left,       // (giving up) the seat was given up
        Refused,    // no seat is kept for the key
        Full,       // no slot to arrive on: may be tried again
        NotAGame,   // something answered that does not speak the game
    };
    // More than this before the answer is not a game host.
    static constexpr std::size_t kMaxBytes = 64 * 1024;

    enum class Purpose { Return, Leave };

    explicit ReclaimHandshake(std::string key, Purpose purpose = Purpose::Return)
        : key_(std::move(key)), purpose_(purpose) {}

    // Bytes from the host. Returns what to send to it, or nothing. Bytes
    // after a final state are not looked at.
    std::string onBytes(std::string_view bytes);

    State state() const { return state_; }
    bool finished() const { return state_ != State::Waiting && state_ != State::Asked; }
    // The seat named by "CMD_yourseat", 0 before.
    int seat() const { return seat_; }
    const std::string& rest() const { return rest_; }

private:
    std::string key_;
    Purpose purpose_;
    State state_ = State::Waiting;
    int seat_ = 0;
    std::string pending_;
    std::string rest_;
    std::size_t total_ = 0;
};

} // namespace tc::client
