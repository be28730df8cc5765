#pragma once
// The player's settings as the window shows them: chat text size and
// colour, the phrase buttons, the start dialog's Marks, the sound options.
// Reads them into the widgets and the session, and back out for a save;
// where the file lives and when it is written is the window's business.
#include <array>
#include <string>

#include <QStringList>

class QAction;
class QActionGroup;

#include "store/ClientSettings.h"
#include "store/Phrases.h"

namespace tc::chat {
class ChatInput;
class ChatPane;
class PhraseBar;
}

namespace tc::client {

class GameStartWindow;
class Session;

class PlayerSettings {
public:
    struct Widgets {
        chat::ChatPane* pane = nullptr;
        chat::ChatInput* input = nullptr;
        chat::PhraseBar* phrases = nullptr;
        QActionGroup* textSizes = nullptr;  // the size is each action's data
        QAction* playSounds = nullptr;
        QAction* chatterSounds = nullptr;
    };
    // `session` is the window's session, which stays at the same place
    // when a game is left.
    PlayerSettings(Widgets widgets, Session& session) : w_(widgets), session_(session) {}

    // Everything read from the file but the window's place. `gameStart`
    // may be null.
    void apply(const store::ClientSettings& s, GameStartWindow* gameStart) const;
    // What the window shows now, with `place` as the window's place.
    store::SavedSettings collect(const store::WindowPlace& place, const GameStartWindow* gameStart) const;
    // The phrase editor's Done: the buttons take `phrases`; returns them
    // as stored.
    std::array<std::string, store::kPhraseCount> takePhrases(const QStringList& phrases) const;

private:
    Widgets w_;
    Session& session_;
};

} // namespace tc::client
