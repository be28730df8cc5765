#pragma once
// The chat under the table: the phrase strip at its left, the chat pane, the
// input line and the smiley button, each of them feeding the session; and
// the Options items of the chat: Text Color, Text Size and the pane's own
// Scroll Chat Off.
#include <functional>
#include <string_view>

#include <QObject>

class QActionGroup;
class QWidget;

namespace tc::chat {
class ChatInput;
class ChatPane;
class PhraseBar;
}

namespace tc::client {

class InputGate;
class MainMenus;
class Session;

class ChatArea final : public QObject {
    Q_OBJECT
public:
    // Builds the chat on `board`, under the table from top 300; it scales
    // with the table. `session` and `gate` must outlive it.
    ChatArea(QWidget* board, Session& session, InputGate& gate);

    // Adds the chat's Options items to `menus`; `save` writes the key it
    // names. The colour dialog opens over `owner`.
    void addMenuItems(MainMenus& menus, QWidget* owner, std::function<void(std::string_view key)> save);

    chat::ChatPane* pane() const { return pane_; }
    chat::ChatInput* input() const { return input_; }
    chat::PhraseBar* phrases() const { return phrases_; }
    // Text Size's items, 8, 10, 12, 14: the size is each action's data.
    QActionGroup* textSizes() const { return textSizes_; }

private:
    Session& session_;
    InputGate& gate_;
    chat::PhraseBar* phrases_ = nullptr;
    chat::ChatPane* pane_ = nullptr;
    chat::ChatInput* input_ = nullptr;
    QActionGroup* textSizes_ = nullptr;
};

} // namespace tc::client
