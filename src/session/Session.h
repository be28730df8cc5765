#pragma once
// The client half of a game without any GUI: session state, the dispatch
// of server messages and every handler's decisions. Inputs arrive as calls
// (bytes from the socket, a timer tick, a click); outputs leave through
// SessionView. Text inside is UTF-8; the wire is Windows-1252.
//
// What it refuses: a received message with a field that does not convert,
// a list of the wrong length, or a slot, seat, tile, die, face, Marks count
// or Marks needed to win (3..10) outside its range is dropped whole and
// silently (nothing of it is applied); the next
// message is handled normally. A received line longer than
// net::kMaxLineBytes is dropped, and so is the rest of it when it arrives
// later; the connection stays. The received-line queue holds at most
// kMaxQueuedBytes: when it is full, queued chat, action and sound relays
// make room for game messages first, and the chat says once that
// messages were dropped.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "net/Colour.h"
#include "session/ChatPacer.h"
#include "session/SessionView.h"
#include "session/TableState.h"
#include "game/Lcg.h"
#include "net/LineFramer.h"
#include "net/Version.h"

namespace tc::client {

inline constexpr const char* kVersion = net::kProtocolVersion;
inline constexpr int kDefaultPort = 7772;
// Bound of the received-line queue, in bytes of text.
inline constexpr std::size_t kMaxQueuedBytes = 4 * 1024 * 1024;
// Longest chat, action or phrase text sent, in Windows-1252 bytes; longer
// text is cut there. Half a line leaves room for what the relay puts in
// front (the sender's name), so the line neither gets the sender
// disconnected by the server nor dropped by the receivers.
inline constexpr std::size_t kMaxSentTextBytes = net::kMaxLineBytes / 2;
// More Marks than any game can give; a larger count is refused.
inline constexpr int kMaxMarks = 100;
// How long the phrase buttons rest after a phrase was sent.
inline constexpr std::int64_t kPhraseLockMs = 1500;
// What a "|" in the player's own text travels as: receivers read the first
// "|" of a chat line as the start of its colour, so the player's text must
// never hold one. U+00A6 looks alike and has a Windows-1252 byte (0xA6).
inline constexpr const char* kPipeLookAlike = "\u00a6";

// The items of popup_kick as prepared for one seat.
struct SeatPopup {
    int seat = 0;
    bool removeEnabled = false;
    bool setJustWatchEnabled = false;
    bool unsetJustWatchEnabled = false;
    bool letBackInEnabled = false;  // the host lets removed players join again
};

class Session {
public:
    Session(SessionView& view, game::Lcg& rng);

    // FormCreate: defaults, clearall. The generator is seeded by the owner.
    void formCreate();
    // processparams with the command-line parameters (program name and
    // our own options already removed).
    void processParams(const std::vector<std::string>& params);
    // processparams for a join whose connection was already made and
    // whose login was already answered (JoinHandshake): the session starts
    // connected and logged in at `seat`, sends nothing, and takes the
    // host's further messages through onBytes as usual.
    void processJoined(const std::vector<std::string>& params, int seat);
    // The port named in messages about hosting and connecting (the window
    // listens and connects on it). Default 7772.
    void setPort(int port) { port_ = port; }
    int port() const { return port_; }
    // Monotonic milliseconds for the phrase lock and the pace of our own
    // chat (the steady clock unless set; tests move their own).
    void setClock(std::function<std::int64_t()> clock) { clock_ = std::move(clock); }

    // --- socket ---
    // The game connection is up. Nothing is sent until CMD_sendlogininfo.
    void onConnected();
    // The connect failed: a system line names the address and the reason;
    // the window stays open.
    void onConnectFailed(const std::string& reason);
    void onBytes(std::string_view bytes);  // sockRead
    // sockInfo "Socket Closed": closes the window once, after every line
    // already received has been handled. Ignored while no connection was
    // ever made (a failed connect keeps the window open).
    void onSocketClosed();

    // --- a dropped connection (SessionHold.cpp) ---
    // The player leaves on purpose (Exit, closing the window, another
    // game): the server is told first, so that it releases the seat at once
    // instead of keeping it. Nothing the connection reports after this is
    // a drop.
    void leave();
    // The key the server gave for our seat at the login, "" when none, and
    // how long it keeps the seat after a drop.
    const std::string& seatKey() const { return seatKey_; }
    int holdSeconds() const { return holdSeconds_; }
    // From a drop in a running game until reclaimed() or reconnectFailed().
    bool reconnecting() const { return lost_; }
    // A new connection got the seat back: `rest` is what the server sent
    // from "CMD_yourseat" on; the table is brought up to date from it.
    void reclaimed(std::string_view rest);
    // Getting back failed or was given up: `why` goes to the chat and the
    // game ends as after a closed connection.
    void reconnectFailed(const std::string& why);

    // --- dispatch timer ---
    // Timer1Timer: one queued line, then our own chat lines whose turn has
    // come.
    void tick();
    // The owner runs the 1 ms timer only while this is true: lines are
    // waiting, received or our own to send (the phrase lock is a time of
    // its own and needs no ticks).
    bool needsTicks() const;

    // --- player input ---
    void clickTile(int tile);        // number_1MouseDown; tiles 1..9, others ignored
    void clickRoll();                // button_rollClick
    // Every tile slid down goes back up, each as if it were clicked (the
    // keyboard's Escape). Out of turn, or with none down, nothing happens.
    void putTilesBackUp();
    void clickStart();               // button_startClick of the main window
    // button_startClick of Tgamestart: sends only when logged in and marks
    // is 3..10.
    void startGame(int marks);
    void justWatchClicked();         // JustWatch1Click
    SeatPopup openSeatPopup(int seat);  // label_playername1ContextPopup; seats 1..6
    void removeFromGame();           // RemoveFromGame1Click (seat of the last popup)
    void setJustWatch();             // SettoJustWatch1Click
    void unsetJustWatch();           // UnsetJustWatch1Click
    void spyRemove(const std::string& entryUnderPointer);  // popup_kickhimClick; "" = none
    // The seat menu's "Let Removed Players Back In": asks the server to
    // forget whom the host removed; its answer is told in the chat.
    void letRemovedBackIn();
    // sendit with the input box's text. Returns true when the box is to be
    // emptied (logged in), false when the text stays (also while
    // kMaxWaitingLines of our own wait to be sent). Text beyond
    // kMaxSentTextBytes is not sent. Chat, actions, phrases and chatter
    // sounds leave at the pace of ChatPacer, in order; the chat says once
    // when lines have to wait, and TableState::chatWaiting counts them.
    bool sendTyped(const std::string& text, net::Colour colour);
    // b_phrase1Click with the button's phrase. Sends only when phraseready
    // and logged in; then phraseready stays false for kPhraseLockMs.
    // Returns true when sent. A "|" in typed or phrase text is sent as
    // kPipeLookAlike.
    bool sendPhrase(const std::string& phrase, net::Colour colour);
    // wave12Click: number 1..20 sends the chatter sound "waveN" when logged
    // in; 0 ("<Cancel>") and anything else send nothing.
    void sendChatterSound(int number);
    // QuickInstructions1Click: the seven lines of the quick instructions.
    void quickInstructions();
    // The Marks the game-start window offers: shown as the Marks needed to
    // win until a game names its own.
    void offerMarks(int marks);

    // --- options ---
    // "Play Sounds": the game's own sounds are asked for only while on.
    // "Play Chatter Sounds": a relayed chatter sound is played while on,
    // shown as a line naming the sender's seat while off. The window's
    // built-in states are on and off; the settings file sets both.
    void setPlaySounds(bool on) { playSounds_ = on; }
    void setChatterSounds(bool on) { chatterSounds_ = on; }
    bool playSounds() const { return playSounds_; }
    bool chatterSounds() const { return chatterSounds_; }
    // "Show Best Move": on the own turn, after each roll, the tiles the
    // expert computer player would shut are marked (TableState::bestMove)
    // and the status line gives the expected round score of that move. It
    // sends nothing; the marks go when the tiles are shut and when the turn
    // ends, and never show while the computer plays the seat (Just Watch).
    // Off until switched on; the settings file sets it.
    void setShowBestMove(bool on);
    bool showBestMove() const { return showBestMove_; }

    // --- state ---
    const TableState& table() const { return table_; }
    int myseat() const { return myseat_; }
    bool loggedin() const { return loggedin_; }
    // Whoever holds slot 1 is the host: he starts games and removes
    // players, whether this window runs the server or joined a headless
    // one. A hosting window counts as host from the start.
    bool ishost() const { return ishost_; }
    // The name from the command line, made wire-safe; once the server has
    // announced this client's own entry, the name as the server stored it.
    const std::string& myname() const { return myname_; }
    int currentplayer() const { return currentplayer_; }
    bool mayselect() const { return mayselect_; }
    net::Colour systemcolor() const { return systemcolor_; }
    const std::string& hostaddress() const { return hostaddress_; }
    // myname followed by one 0xFF once hosting or joining has begun.
    const std::string& loginname() const { return loginname_; }
    bool phraseready() const;
    // How long phrases still wait after the last one sent (0: ready).
    std::int64_t phraseRestMs() const;
    std::size_t queuedLines() const { return received_.size() + relays_.size(); }

private:
    using Handler = void (Session::*)(const std::string& data);
    struct Route {
        const char* keyword;
        Handler handler;
    };
    static const Route kRoutes[];

    void dispatch(const std::string& line);
    // The login's slot: own seat or spectator's place, logged in; slot 1
    // makes this window the host.
    void takeSlot(int slot);
    void enqueue(std::string line);

    // Output helpers.
    void post(const std::string& line);  // system line in systemcolor
    void post(const std::string& line, net::Colour colour);
    void sendRequest(const std::string& utf8Line);  // only when logged in
    void sendTalk(const std::string& utf8Line);     // paced; only when logged in
    void flushTalk();
    void playsounds(const char* name);  // a game sound, when Play Sounds is on
    void changed() { dirty_ = true; }
    void publish();

    // Start-up (processparams).
    void hostpress();
    void joinpress();

    // Session handlers.
    void sendloginfo(const std::string& data);
    void chat(const std::string& data);
    void action(const std::string& data);
    void chatrecieved(const std::string& data);
    void klottalk();
    // An own relayed line's text with its head in the second person.
    std::string inSecondPerson(const std::string& text) const;
    void newplayerinfo(const std::string& data);
    void havewrongversion(const std::string& data);
    void wrongversion(const std::string& data);
    void playerdisconnected(const std::string& data);
    void full(const std::string& data);
    void removed(const std::string& data);
    void letbackin(const std::string& data);
    void justwatching(const std::string& data);
    void playasound(const std::string& data);
    void kicking(int slot);

    // A dropped connection (SessionHold.cpp).
    void seatkey(const std::string& data);
    void away(const std::string& data);
    void back(const std::string& data);
    void yourseat(const std::string& data);
    void shuttiles(const std::string& data);
    // The rounds finished in the game under way, told to a seat that sits
    // down during it (an extension; older servers say nothing).
    void rounds(const std::string& data);
    void serverclosing(const std::string& data);
    // The connection is over and every line of it handled: back to the
    // seat when the server keeps it, else the window closes.
    void connectionEnded();
    bool mayReclaim() const;

    // Table handlers.
    void clearall();
    void startthegame(const std::string& data);
    void getnextplayer(const std::string& data);
    void placedice(const std::string& data);
    void createdice(int die, int face);
    void slide(const std::string& data);
    void slideup(int tile);
    void slidedown(int tile);
    void closeit(const std::string& data);
    void notvalid(const std::string& data);
    void notsum(int slot);
    void nomoves();
    void scores(const std::string& data);
    void clearscores(const std::string& data);
    void updatescores(const std::string& data);
    void gamestats(const std::string& data);
    void roundwinner(const std::string& data);
    void winner(const std::string& data);
    void sendClosethem();
    // The coach: marks the best move for the own live roll, or nothing.
    void showCoach();
    // The own roll is no longer live: the marks go.
    void endCoach();
    // The status line of a turn: "YOUR TURN." or the seat's name's turn.
    std::string turnStatus(int slot) const;

    // Every handler checks a seat number against 1..6 before it gets here;
    // one that did not is stopped here rather than written past the table.
    SeatDisplay& seat(int n) {
        if (n < 1 || n > 6) std::abort();
        return table_.seats[static_cast<std::size_t>(n - 1)];
    }
    std::string& tile(int n) { return table_.tiles[static_cast<std::size_t>(n - 1)]; }
    bool seated() const { return myseat_ >= 1 && myseat_ <= 6; }

    SessionView& view_;
    game::Lcg& rng_;
    TableState table_;
    net::LineFramer framer_;
    // receivedlist, in two parts merged by arrival number: relays of chat,
    // actions and sounds, and everything else.
    struct Queued {
        std::uint64_t seq;
        std::string line;
    };
    std::deque<Queued> received_;
    std::deque<Queued> relays_;
    std::uint64_t nextSeq_ = 0;
    bool dropNoticed_ = false;  // the chat already says that lines were dropped

    int myseat_ = 0;
    bool loggedin_ = false;
    bool ishost_ = false;
    // This window started the server it plays on: its end is never a drop.
    // (Seat 1 of a headless server is its host, but runs nothing.)
    bool runsServer_ = false;
    std::string myname_;
    std::string hostaddress_;
    std::string loginname_;
    int currentplayer_ = 0;
    bool mayselect_ = false;
    // When the phrase lock ends; no lock before it was ever set.
    std::int64_t phraseReadyAt_ = std::numeric_limits<std::int64_t>::min();
    std::function<std::int64_t()> clock_;
    bool gameAnnounced_ = false;   // a game has named its Marks needed to win
    net::Colour systemcolor_ = net::kPureBlue;
    int popupSeat_ = 0;
    bool playSounds_ = true;
    bool chatterSounds_ = false;
    bool showBestMove_ = false;
    int ownRoll_ = 0;  // dice total of the own roll awaiting a move, 0 when none
    bool settingsLoaded_ = false;  // loadinifile done for this connection
    bool joinedLate_ = false;      // arrived during a game: rounds counted from then
    bool rollSeen_ = false;        // the dice of the current turn have been placed

    int port_ = kDefaultPort;
    std::string connectAddress_;   // where the game connection goes
    bool connected_ = false;       // onConnected seen
    bool closing_ = false;         // closeWindow already asked for
    bool closeWhenDrained_ = false;  // the connection ended with lines queued
    bool discarding_ = false;      // skipping the rest of an overlong line
    std::size_t queuedBytes_ = 0;
    bool dirty_ = false;           // table changed since the last publish
    ChatPacer pacer_;
    bool paceNoticed_ = false;     // the chat already says that lines wait

    std::string seatKey_;          // our seat's key, "" when the server gave none
    int holdSeconds_ = 0;          // how long the server keeps a dropped seat
    bool gameRunning_ = false;     // from a game's start (or joining one) to its winner
    bool leaving_ = false;         // leave() was called: the end is no drop
    bool endedByServer_ = false;   // the server said it is closing
    bool lost_ = false;            // dropped; trying to get back
    bool reclaiming_ = false;      // the table is being brought up to date after getting back
    int keptRounds_ = 0;           // the rounds counter as it was at the drop
    bool keptJoinedLate_ = false;
    bool roundsTold_ = false;      // the server told the rounds played while getting back
    std::string keptRoundsText_;
};

} // namespace tc::client
