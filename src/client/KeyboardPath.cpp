#include "client/KeyboardPath.h"

#include <vector>

#include <QMainWindow>

#include "chat/ChatInput.h"
#include "chat/ChatPane.h"
#include "chat/PhraseBar.h"
#include "chat/RovingFocus.h"
#include "chat/SmileyButton.h"
#include "client/BoardPanel.h"
#include "client/BoardPictureButton.h"
#include "client/ChatArea.h"
#include "client/DicePanel.h"
#include "client/FocusRing.h"
#include "client/InputGate.h"
#include "client/TableKeys.h"
#include "session/Session.h"

namespace tc::client {

KeyboardPath::KeyboardPath(QMainWindow* window, MainMenus& menus, BoardPanel* board, const ChatArea& chat,
                           Session& session, InputGate& gate) {
    keys_ = new TableKeys(window, menus);
    connect(keys_, &TableKeys::tileWanted, this, [&session, &gate](int t) { gate.feed([&session, t] { session.clickTile(t); }); });
    connect(keys_, &TableKeys::rollWanted, this, [&session, &gate] { gate.feed([&session] { session.clickRoll(); }); });
    connect(keys_, &TableKeys::backUpWanted, this, [&session, &gate] { gate.feed([&session] { session.putTilesBackUp(); }); });

    // Tab goes round: the tile rack, Start Game or Roll Dice, the seat list,
    // the phrase buttons, the smiley button, the chat input, the chat.
    DicePanel* dice = board->dicePanel();
    auto* smilies = board->findChild<chat::SmileyButton*>();
    std::vector<QWidget*> path;
    auto group = [&path](const chat::RovingFocus* g) {
        for (int i = 0; i < g->count(); ++i) path.push_back(g->member(i));
    };
    group(board->tileFocus());
    path.push_back(dice->startButton());
    path.push_back(dice->rollButton());
    group(board->seatFocus());
    group(chat.phrases()->focus());
    path.push_back(smilies);
    path.push_back(chat.input());
    path.push_back(chat.pane());
    chat::RovingFocus::chain(path);
    // The window opens with the focus where it always did, on the chat
    // (the first stop of the window's focus order before there was a
    // path); Shift+Tab leads to the input, Tab to the tiles.
    chat.pane()->setFocus();

    ring_ = new FocusRing(window->centralWidget());
    for (QWidget* w : path) ring_->watch(w);
}

} // namespace tc::client
