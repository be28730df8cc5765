#pragma once
// The game server: slot table, login, relays and the authoritative game
// flow. Qt-free; every input is a call and every output goes through
// ServerPorts, so it runs the same under the Qt host and under tests.
//
// Inputs are handled at once and in order. Requests are bound to the
// connection they arrive on: a request naming any slot other than its own
// connection's is ignored (the host, slot 1, may also set another seat to
// just watching). A line over 8 KiB is dropped and logged; only a peer that
// sends 1 MiB without a single 0xFF is closed. A field that does not convert
// ends that one request and is logged, nothing more.
//
// Flood control: chat, actions and sounds together, and slides, pass per
// connection through token buckets (lines and bytes); what is over is
// dropped with one log line per episode. Of the game requests only those
// that answer everyone without moving the game on are limited, generously:
// just-watch toggles and refused moves.
// Output: a peer whose unsent output stays over kOutputSoftLimit while it
// takes nothing for kStallMs is closed, and so is one past kOutputHardLimit.
// Logins: a connection holds a slot, and so keeps others out; one that has
// not logged in kLoginMs after it arrived, or that sends kJunkLinesBeforeLogin
// other lines or kJunkBytesBeforeLogin bytes first, is closed. How many may
// wait for their login at once, and who gives way to whom, is StrangerGate's.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "game/ComputerPlayer.h"
#include "game/Lcg.h"
#include "game/Rules.h"
#include "net/LineFramer.h"
#include "net/Version.h"
#include "server/FloodGate.h"
#include "server/RemovedPlayers.h"
#include "server/SeatHold.h"
#include "server/SeatKeys.h"
#include "server/StrangerGate.h"
#include "server/ServerPorts.h"
#include "server/tplayer.h"

namespace tc::server {

inline constexpr const char* kServerVersion = net::kProtocolVersion;
inline constexpr int kSlotCount = 9;      // 1..6 seats, 7..9 spectators
inline constexpr std::size_t kMaxNameBytes = 32;
// A seat's score before its first turn of a game; reported as 0.
inline constexpr int kNotPlayedScore = 50;

// Relayed chat, actions and sounds of one connection, together: far above
// anyone typing or clicking phrases, far below what nine readers can take.
inline constexpr FloodLimits kTalkLimits{10, 4, 16 * 1024, 4 * 1024};
// Slides of one connection: a player may click quickly through a turn.
inline constexpr FloodLimits kSlideLimits{40, 10, 4 * 1024, 1024};
// Just-watch requests and refused moves of one connection: a person
// toggles or misclicks a few times, a script thousands of times a second.
inline constexpr FloodLimits kRequestLimits{20, 5, 1024 * 1024, 1024 * 1024};
// Unsent output a peer may keep queued without being watched, and the
// bound at which it is closed even while it still reads.
inline constexpr std::uint64_t kOutputSoftLimit = 1024 * 1024;
inline constexpr std::uint64_t kOutputHardLimit = 16 * kOutputSoftLimit;
// How long a peer over the soft limit may take nothing before it is closed.
inline constexpr std::int64_t kStallMs = 10'000;
// How long a connection may hold its slot without logging in. Our client
// logs in as soon as it is given its slot.
inline constexpr std::int64_t kLoginMs = 15'000;
// How long a connection to a full table may take to present a kept seat's
// key, and how many may wait at once; the rest are refused as full.
inline constexpr std::int64_t kFullWaitMs = 1'000;
// Past either bound the oldest waiting (of that address, or of all) gives
// way to the newcomer, so a program connecting without end cannot keep a
// returning player out.
inline constexpr std::size_t kMaxWaitingAtFull = 16;
inline constexpr std::size_t kMaxWaitingPerAddress = 4;
// What a connection may send before its login: a client of this protocol
// sends nothing at all, so these only spare a stray empty line or two.
inline constexpr int kJunkLinesBeforeLogin = 4;
inline constexpr std::size_t kJunkBytesBeforeLogin = 8 * 1024;
// Removed players remembered (address and name) to keep out; the oldest
// is forgotten past this.
inline constexpr std::size_t kMaxRemembered = RemovedPlayers::kMaxRemembered;

// Monotonic milliseconds.
using Clock = std::function<std::int64_t()>;
// The system's steady clock in milliseconds.
std::int64_t steadyMs();

// What a server tells the network about itself: people seated (logged in
// on seats 1..6), seats nobody holds, and whether a game is under way.
struct SeatSummary {
    int seated = 0;
    int freeSeats = game::kSeatCount;
    bool running = false;
    bool operator==(const SeatSummary&) const = default;
};

// Pending pause actions.
enum class PauseTag { None = 0, TurnOver = 1, ComputerMove = 2, NextRound = 3 };

class TServer {
public:
    // Both references must outlive the server. `rng` draws the first seat
    // and the dice (first seat, then die 1, then die 2). `clock` times the
    // flood limits and the output rule.
    TServer(ServerPorts& ports, game::Lcg& rng, Clock clock = steadyMs);

    // A TCP connection was accepted; `peer` is for the log only. Returns
    // its id. The connection is given a slot and sent "CMD_sendlogininfo+"
    // slot (a stranger may first be closed to make room), or closed at once
    // (through the ports, before this returns): sent "CMD_full+" first when
    // every slot is held by a seated player or a kept seat, sent nothing
    // when it is turned away by StrangerGate.
    ConnId connectionArrived(const std::string& peer);
    // The id the next connectionArrived will give.
    ConnId nextConnection() const { return nextConn_; }
    // Bytes read from a connection. Every complete line is handled before
    // this returns. Unknown or closed connections are ignored.
    void bytesArrived(ConnId conn, std::string_view bytes);
    // The connection ended (any way). Releases its slot; a repeat, or a
    // report about a connection the server closed itself, does nothing.
    void connectionClosed(ConnId conn);
    // One period of the pause timer.
    void pauseTick();
    // Limits for connections that arrive from now on (kTalkLimits and
    // kSlideLimits unless set); the relay benchmark lifts them.
    void setFloodLimits(const FloodLimits& talk, const FloodLimits& slides) {
        talkLimits_ = talk;
        slideLimits_ = slides;
    }
    // The computer player for every seat nobody plays (seat 2 while empty,
    // seats whose player just watches); Classic unless set. The host's
    // choice: nothing of it goes on the wire. Choosing Expert builds its
    // tables now, not at the first move.
    void setRudi(game::Rudi rudi);
    game::Rudi rudi() const { return rudi_; }
    // Called after an input that changed seatSummary(), never while one is
    // being handled; the announcement of the game follows it.
    void setSeatObserver(std::function<void(const SeatSummary&)> observer) { seatObserver_ = std::move(observer); }
    SeatSummary seatSummary() const;
    // Looks at every connection's output (ServerPorts::output) and closes
    // the ones that have stalled. The host calls it about once a second.
    void checkOutput();
    // Closes the connections that have held a slot for the login time
    // without logging in. The host calls it about once a second.
    void checkLogins();
    // How long a connection may go without logging in; 0 never closes one
    // for that (kLoginMs unless set).
    void setLoginTimeoutMs(std::int64_t ms) { loginMs_ = ms; }
    // How long the seat of a player whose connection dropped during a game
    // is kept for him (none unless set; the programs set kHoldMs); 0
    // releases it at once, as
    // for every connection that ends. See TServerHold.cpp.
    void setHoldMs(std::int64_t ms) { hold_.setHoldMs(ms); }
    std::int64_t holdMs() const { return hold_.holdMs(); }
    // Releases the seats whose hold has run out. The host calls it about
    // once a second; every pause tick looks too.
    void checkHolds();
    // The server is going away: every connection is told so that no
    // client takes the end for a drop. The host closes them after this.
    void shutdown();
    // Whether a seat is kept for a player whose connection dropped.
    bool held(int seat) const { return hold_.held(seat); }

    // --- state, read-only (tests, the host's log) ---
    const tplayer& player(int slot) const { return player_[slot]; }
    int playercount() const { return playercount_; }
    bool gamestarted() const { return gamestarted_; }
    int currentseat() const { return currentseat_; }
    int die1() const { return dice_[0]; }
    int die2() const { return dice_[1]; }
    int pointstowin() const { return pointstowin_; }
    // Rounds finished in the game under way (or the last one).
    int rounds() const { return rounds_; }
    const game::Tiles& tiles() const { return tiles_; }
    PauseTag pauseTag() const { return pauseRunning_ ? pauseTag_ : PauseTag::None; }
    int pausecount() const { return pausecount_; }
    // The slot a connection holds, 0 when unknown or closed.
    int slotOf(ConnId conn) const;

    // Removes "+" and "|", trims spaces, keeps at most 32 bytes; an empty
    // result becomes "Player" and the slot number.
    static std::string cleanName(std::string_view raw, int slot);

private:
    struct Connection {
        int slot = 0;
        std::string address;  // the peer's address without its port
        net::LineFramer framer;
        FloodGate talk{kTalkLimits};
        FloodGate slides{kSlideLimits};
        FloodGate requests{kRequestLimits};
        std::uint64_t taken = 0;      // output taken as of the last look
        std::int64_t progressMs = 0;  // last time it took output or had little queued
        std::int64_t arrivedMs = 0;
        // Before the login: lines that were not one, and bytes received.
        int junkLines = 0;
        std::size_t bytesBeforeLogin = 0;
        // The client said it is leaving on purpose: its end is no drop.
        bool leaving = false;
    };

    // --- connections and seats ---
    // The slot for a connection from `address`, after closing a stranger
    // that gives way to it (StrangerGate); 0 when every slot is seated or
    // kept, -1 when it is turned away without a word.
    int chooseSlot(const std::string& peer, const std::string& address);
    StrangerGate::Slots slotStates() const;
    void dispatch(int slot, const std::string& line);
    void receivedlogininfo(int slot, const std::string& data);
    void kickhim(int slot, const std::string& data);
    void chat(int slot, const std::string& data);
    void action(int slot, const std::string& data);
    void relayText(int slot, const std::string& data, const char* keyword, const char* between);
    void playasound(int slot, const std::string& data);
    void justwatch(int slot, const std::string& data);
    // The host lets the players he removed join again.
    void letbackin(int slot, const std::string& data);
    void disconnectsock(int slot, const std::string& why);
    // Answers `answer` ("CMD_full+", "CMD_removed+") and closes the slot's
    // connection without telling the others: it never joined the table.
    void refuse(int slot, const std::string& answer, const std::string& why);
    void release(int slot);
    // Whether a relay of `bytes` from `slot` passes its gate; logs the start
    // of an episode of drops.
    bool admit(int slot, FloodGate Connection::*gate, const char* what, std::size_t bytes);
    // Closes the connections that passed the hard output limit while
    // something was being sent; runs after each input is handled.
    void closeOverflowing();
    void watchOutput(ConnId conn);
    // Counts what a connection that has not logged in sends; closes it once
    // that is plainly not a client of this protocol. False when closed.
    bool keepBeforeLogin(ConnId conn, std::size_t bytes, int lines);
    // Ends every input: closes overflowing peers, then tells the seat
    // observer what changed.
    void afterInput();

    // --- seats kept for dropped players (TServerHold.cpp) ---
    // The connection of `slot` ended without a removal: keeps the seat when
    // its player may come back. False when the slot is to be released.
    bool holdSeat(int slot, const std::string& address);
    // What a seat learns of the table it sits down at, after its login and
    // after its return alike: everyone else seated (strangers are nobody's
    // business), then `beforeGame`, then during a game the turn, the
    // scores, the rounds played and the seats kept for others.
    void catchUp(int slot, const std::vector<std::string>& beforeGame);
    // The seat's key after a seated player's login.
    void tellAfterLogin(int slot);
    // Whether the seat of `slot` is kept when its connection ends.
    bool mayHold(int slot) const;
    // The seat a presented key takes: a kept one, or a seat whose old
    // connection is still open during a game (the client noticed its drop
    // first), which is ended here as a drop and kept. 0 when none.
    int seatForKey(const std::string& key, ConnId presenter);
    // Moves connection `conn` onto the kept `seat` and tells everyone.
    void takeSeat(ConnId conn, int seat);
    // A copy gives its kept `seat` up with the key, on connection `conn`.
    void giveSeatUp(ConnId conn, int seat);

    // --- a full table while seats are kept (TServerFull.cpp) ---
    // With every slot held and a seat kept, the connection is asked for a
    // key instead of being refused at once. False: refuse it as usual.
    bool waitAtFullTable(ConnId conn, const std::string& peer);
    // Bytes from a connection waiting there; false when it is none.
    // `rest`: what followed a key that took a seat, the seat's to read.
    bool fullTableBytes(ConnId conn, std::string_view bytes, std::string& rest);
    // Refuses the waiting connections whose time is up.
    void checkWaiting();
    void refuseWaiting(ConnId conn, const std::string& why);
    struct Waiting {
        std::string peer;
        std::string address;
        net::LineFramer framer;
        std::int64_t arrivedMs = 0;
    };
    std::unordered_map<ConnId, Waiting> waiting_;
    void keyack(int slot, const std::string& data);
    void leaving(int slot, const std::string& data);
    void reclaim(int slot, const std::string& data);
    // A copy that stopped trying to come back gives its kept seat up with
    // the key: released at once, without first coming back to the table.
    void giveup(int slot, const std::string& data);
    // Ends every hold with a release, as between games.
    void releaseHeld();
    // A game started while seats are kept: every table has cleared its
    // seats' marks, so the computer's play of them is told again.
    void retellKept();
    std::string shutTilesLine() const;
    std::string awayLine(int seat) const;

    // --- game flow ---
    void startgame(int slot, const std::string& data);
    void findplayer();
    void checkforroundover(bool passedEmptySeatOne);
    void startturn();
    void getdice();
    // `fromSlot` is the requesting connection's slot, 0 for the computer.
    void closethem(int fromSlot, const std::string& data);
    void slide(int slot, const std::string& data);
    bool checkforwin();
    void cplay();
    // For the expert: the lowest score the Mark candidates that played
    // before the seat on turn made in this round; game::kNoLimit when none
    // has, and for Classic.
    int scoreToReach() const;
    // Steps currentseat to the next seat in the turn order (seat 2 and
    // every held seat). Returns true when it stepped over seat 1's place
    // while seat 1 was empty.
    bool advanceSeat();
    // A connection that has not logged in is a stranger to the table: it
    // hears nothing of it, says nothing to it, takes no turn and no Mark.
    bool seated(int slot) const { return player_[slot].active && player_[slot].loggedin; }
    bool inTurnOrder(int seat) const { return seat == 2 || seated(seat); }
    bool computerPlays(int seat) const {
        return !seated(seat) || player_[seat].watching || player_[seat].away;
    }
    // A turn is in progress and waits for a move (not in a turn-over or
    // round pause).
    bool turnOpen() const;
    void startPause(PauseTag tag, int count);
    void stopPause();
    void timerpauseTimer();

    // --- output ---
    void sendTo(int slot, const std::string& line);
    // To every connection that has logged in (strangers hear nothing).
    void sendAll(const std::string& line);
    void sendAllBut(int slot, const std::string& line);
    void log(const std::string& line) { ports_.log(line); }
    std::string who(int slot) const;
    static std::string utf8(std::string_view wire);
    // Names the third flood gate in the log.
    static constexpr const char* kRequestsWhat = "just-watch requests and refused moves";

    ServerPorts& ports_;
    game::Lcg& rng_;
    Clock clock_;
    FloodLimits talkLimits_ = kTalkLimits;
    FloodLimits slideLimits_ = kSlideLimits;
    std::int64_t loginMs_ = kLoginMs;
    std::vector<ConnId> overflowing_;
    std::function<void(const SeatSummary&)> seatObserver_;
    SeatSummary lastSummary_;
    // Address and name of each player the host removed.
    RemovedPlayers removed_;
    SeatHold hold_;
    SeatKeys keys_;
    // Who may wait in a slot without a login.
    StrangerGate strangers_;
    // The last refusal at a full table, for the log.
    bool refusedFull_ = false;
    std::int64_t lastRefusedFullMs_ = 0;

    std::array<tplayer, kSlotCount + 2> player_{};  // [1..9], [10] refusals, [0] unused
    int playercount_ = 0;
    std::unordered_map<ConnId, Connection> conns_;
    ConnId nextConn_ = 1;

    bool gamestarted_ = false;
    int currentseat_ = 0;
    std::array<int, 2> dice_{0, 0};
    int pointstowin_ = 0;
    int rounds_ = 0;
    game::Tiles tiles_ = game::allOpen();
    game::Rudi rudi_ = game::Rudi::Classic;
    // The current roll was made while nobody held the seat on turn.
    bool rollForEmptySeat_ = false;
    int pausecount_ = 0;
    PauseTag pauseTag_ = PauseTag::None;
    bool pauseRunning_ = false;
};

} // namespace tc::server
