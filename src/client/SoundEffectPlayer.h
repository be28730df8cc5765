#pragma once
// The program's sound player: plays the packaged sounds (:/sounds/*.wav)
// through Qt Multimedia. One channel: a new sound stops the one playing.
// Playing only starts a sound and returns. Nothing touches the audio system
// until the first sound is asked for; a machine without an audio device
// then plays nothing, and Qt Multimedia's complaints about it are kept off
// the console (QuietMultimedia).
#include <map>
#include <memory>

#include <QString>

#include "session/ClientSoundPlayer.h"

class QSoundEffect;

namespace tc::client {

class SoundEffectPlayer final : public ClientSoundPlayer {
public:
    SoundEffectPlayer();
    ~SoundEffectPlayer() override;
    SoundEffectPlayer(const SoundEffectPlayer&) = delete;
    SoundEffectPlayer& operator=(const SoundEffectPlayer&) = delete;

    // `name` without regard to case; an unknown name plays the system's
    // alert instead.
    void play(const std::string& name) override;

    // The resource that `name` plays (":/sounds/DICE.wav" for "dice"), or
    // an empty string when no packaged sound has that name. "winner",
    // asked for at a win just before "gameover", plays the same fanfare.
    static QString resourceFor(const QString& name);

private:
    // Looks for an audio device once, then loads every sound, so later
    // sounds start at once.
    bool ready();
    void stopCurrent();

    enum class Audio { Unknown, Absent, Present };
    Audio audio_ = Audio::Unknown;
    std::map<QString, std::unique_ptr<QSoundEffect>> effects_;  // by resource
    QSoundEffect* current_ = nullptr;
};

} // namespace tc::client
