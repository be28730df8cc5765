#pragma once
// A join tried before the current game is left: the first words with the
// new host, on a connection of its own. The host asks for the login
// ("CMD_sendlogininfo+slot") or says it is full ("CMD_full+"); once the
// login has been sent and the host has announced the newcomer's own entry
// ("CMD_newplayerinfo+slot+..."), the join has worked and the session that
// takes the connection over starts as logged in, with every byte after the
// login request still to handle. A host that turns the login away ("game is
// full", "you were removed") ends the try like a refused connection: until
// the join has worked the player stays in the game he is in.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tc::client {

// The name exactly as the server will store and echo it: what has no
// Windows-1252 byte (and "ÿ", which would end the message) becomes "?",
// and so does "+", which would split the name into two list fields at
// every receiver.
std::string wireSafeName(const std::string& name);

// The login message for `seat`, in wire bytes. `loginname` is the name
// followed by one 0xFF, so the line is followed by an empty one, which the
// server ignores.
std::string loginMessage(int seat, const std::string& loginname);

class JoinHandshake {
public:
    enum class State {
        Waiting,   // for the login request
        LoggedIn,  // login sent, waiting for the host's answer
        Joined,    // the host seated us: the connection can be taken over
        Full,      // the host has no free slot
        Removed,   // the host removed this player earlier and keeps him out
        NotAGame,  // something answered that does not speak the game
    };
    // More than this before the join has worked is not a game host.
    static constexpr std::size_t kMaxBytes = 64 * 1024;

    // `name` as given (made wire-safe here).
    explicit JoinHandshake(const std::string& name);

    // Bytes from the new host. Returns what to send to it (the login), or
    // nothing. Bytes after Joined, Full or NotAGame are not looked at.
    std::string onBytes(std::string_view bytes);

    State state() const { return state_; }
    bool finished() const { return state_ != State::Waiting && state_ != State::LoggedIn; }
    // The slot the host gave; 0 before the login request.
    int seat() const { return seat_; }
    // What came after the login request, for the session taking over.
    const std::string& rest() const { return rest_; }

private:
    // One line after the login: the host's answer, or a line to wait past.
    void answer(const std::string& line);

    std::string loginname_;
    State state_ = State::Waiting;
    int seat_ = 0;
    std::string pending_;  // a line not yet ended
    std::string rest_;
    std::size_t total_ = 0;
};

} // namespace tc::client
