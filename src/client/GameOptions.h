#pragma once
// The Options items of the game itself: Just Watch (its check mark follows
// the server's answer, not the click), Show Best Move (the coach, kept under
// its own key) and the switches Play Sounds and Play Chatter Sounds (saved
// with the other settings, which read and collect their check marks).
#include <functional>
#include <string_view>

#include <QObject>

class QAction;

namespace tc::client {

class InputGate;
class MainMenus;
class Session;
class SettingsKeeper;
struct TableState;

class GameOptions final : public QObject {
    Q_OBJECT
public:
    // `save` writes the settings for the key it names. `session`, `gate`
    // and `keeper` must outlive it.
    GameOptions(MainMenus& menus, Session& session, InputGate& gate, SettingsKeeper& keeper,
                std::function<void(std::string_view key)> save);

    // Just Watch as the table says: checked, and enabled.
    void showTable(const TableState& table);
    // The coach as read from the settings.
    void setShowBestMove(bool on);
    // A fresh session takes the coach and both sounds as the items show
    // them: the settings may not be read again before it plays.
    void tellSession() const;

    QAction* playSounds() const { return playSounds_; }
    QAction* chatterSounds() const { return chatterSounds_; }

private:
    Session& session_;
    QAction* justWatch_ = nullptr;
    QAction* showBestMove_ = nullptr;  // off until switched on
    QAction* playSounds_ = nullptr;
    QAction* chatterSounds_ = nullptr;
};

} // namespace tc::client
