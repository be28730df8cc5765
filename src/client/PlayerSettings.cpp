#include "client/PlayerSettings.h"

#include <QAction>
#include <QActionGroup>

#include "chat/ChatInput.h"
#include "chat/ChatPane.h"
#include "chat/PhraseBar.h"
#include "client/GameStartWindow.h"
#include "session/Session.h"

namespace tc::client {

void PlayerSettings::apply(const store::ClientSettings& s, GameStartWindow* gameStart) const {
    w_.pane->setTextSize(s.textSize);
    w_.pane->showTextSize();
    // None is checked for a size that has no item.
    for (QAction* a : w_.textSizes->actions())
        if (a->data().toInt() == s.textSize) a->setChecked(true);
    w_.input->setChatColour(s.textColour);
    for (int n = 1; n <= store::kPhraseCount; ++n) {
        const std::string& p = s.phrases[static_cast<std::size_t>(n - 1)];
        if (!p.empty()) w_.phrases->setPhrase(n, QString::fromStdString(p));
    }
    if (gameStart && s.playToScore) gameStart->setPlayToScore(*s.playToScore);
    w_.playSounds->setChecked(s.playSounds);
    w_.chatterSounds->setChecked(s.chatterSounds);
    session_.setPlaySounds(s.playSounds);
    session_.setChatterSounds(s.chatterSounds);
}

store::SavedSettings PlayerSettings::collect(const store::WindowPlace& place,
                                             const GameStartWindow* gameStart) const {
    store::SavedSettings s;
    s.textSize = w_.pane->textSize();
    s.textColour = w_.input->chatColour();
    s.place = place;
    s.playToScore = gameStart ? gameStart->playToScore() : 5;
    s.playSounds = w_.playSounds->isChecked();
    s.chatterSounds = w_.chatterSounds->isChecked();
    return s;
}

std::array<std::string, store::kPhraseCount> PlayerSettings::takePhrases(const QStringList& phrases) const {
    std::array<std::string, store::kPhraseCount> texts;
    for (int n = 1; n <= store::kPhraseCount; ++n) {
        w_.phrases->setPhrase(n, phrases.value(n - 1));
        texts[static_cast<std::size_t>(n - 1)] = phrases.value(n - 1).toStdString();
    }
    return texts;
}

} // namespace tc::client
