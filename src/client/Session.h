#pragma once
// The client half of a game without any GUI: session state, the dispatch
// of server messages and every handler's decisions. Inputs arrive as calls
// (bytes from the socket, a timer tick, a click); outputs leave through
// SessionView. Text inside is UTF-8; the wire is Windows-1252.
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "chat/Colour.h"
#include "client/SessionView.h"
#include "client/TableState.h"
#include "game/Lcg.h"
#include "net/LineFramer.h"

namespace tc::client {

inline constexpr const char* kVersion = "1.0.3";

// The items of popup_kick as prepared for one seat.
struct SeatPopup {
    int seat = 0;
    bool removeEnabled = false;
    bool setJustWatchEnabled = false;
    bool unsetJustWatchEnabled = false;
};

class Session {
public:
    Session(SessionView& view, game::Lcg& rng);

    // FormCreate: defaults, clearall. The generator is seeded by the owner.
    void formCreate();
    // processparams with the command-line parameters (program name and
    // our own options already removed).
    void processParams(const std::vector<std::string>& params);

    // --- socket ---
    void onConnected();
    void onConnectFailed(const std::string& reason);
    void onBytes(std::string_view bytes);  // sockRead
    void onSocketClosed();                 // sockInfo "Socket Closed"

    // --- dispatch timer ---
    // Timer1Timer: one queued line, then the phrase cool-down.
    void tick();
    // The owner runs the 1 ms timer only while this is true.
    bool needsTicks() const;

    // --- player input ---
    void clickTile(int tile);        // number_1MouseDown
    void clickRoll();                // button_rollClick
    void clickStart();               // button_startClick of the main window
    void startGame(int marks);       // button_startClick of Tgamestart
    void justWatchClicked();         // JustWatch1Click
    SeatPopup openSeatPopup(int seat);  // label_playername1ContextPopup
    void removeFromGame();           // RemoveFromGame1Click (seat of the last popup)
    void setJustWatch();             // SettoJustWatch1Click
    void unsetJustWatch();           // UnsetJustWatch1Click
    void spyRemove(const std::string& entryUnderPointer);  // popup_kickhimClick; "" = none
    // sendit with the input box's text. Returns true when the box is to be
    // emptied (logged in), false when the text stays.
    bool sendTyped(const std::string& text, chat::Colour colour);

    // --- state ---
    const TableState& table() const { return table_; }
    int myseat() const { return myseat_; }
    bool loggedin() const { return loggedin_; }
    bool ishost() const { return ishost_; }
    const std::string& myname() const { return myname_; }
    int currentplayer() const { return currentplayer_; }
    bool mayselect() const { return mayselect_; }
    chat::Colour systemcolor() const { return systemcolor_; }

private:
    void dispatch(const std::string& line);
    // (the implementation adds one private method per handler)

    SessionView& view_;
    game::Lcg& rng_;
    TableState table_;
    net::LineFramer framer_;
    std::deque<std::string> received_;  // receivedlist

    int myseat_ = 0;
    bool loggedin_ = false;
    bool ishost_ = false;
    std::string myname_;
    std::string hostaddress_;
    std::string loginname_;
    int currentplayer_ = 0;
    bool mayselect_ = false;
    bool phraseready_ = true;
    int phraseticks_ = 0;
    chat::Colour systemcolor_ = chat::kPureBlue;
    int popupSeat_ = 0;
};

} // namespace tc::client
