#pragma once
// The program's sound player: plays the packaged sounds (:/sounds/*.wav)
// through the sound module (SoundOutput). One channel: a new sound stops
// the one playing. Playing only starts a sound and returns. Nothing touches
// the audio system, or even loads the module, until the first sound is
// asked for; a machine without an audio device, or a copy without its
// module, then plays nothing, and Qt Multimedia's complaints about it are
// kept off the console (QuietMultimedia).
#include <memory>

#include <QString>

#include "session/ClientSoundPlayer.h"

namespace tc::client {

class SoundOutput;

class SoundEffectPlayer final : public ClientSoundPlayer {
public:
    // `modulePath` names the sound module; empty looks beside the program,
    // then where an install puts it (modulePaths()).
    explicit SoundEffectPlayer(QString modulePath = {});
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

    // Where the program looks for its sound module, in order: beside
    // itself (a build or an unpacked copy), then the install's library
    // folder relative to the program's.
    static QStringList modulePaths();

    enum class Audio { Unknown, NoModule, Absent, Present };
    // Unknown until the first sound; then whether the module was found and
    // the machine has an audio output.
    Audio audio() const { return audio_; }

private:
    // Loads the module and looks for an audio device once; every sound is
    // loaded then, so later sounds start at once.
    bool ready();

    QString modulePath_;
    Audio audio_ = Audio::Unknown;
    std::unique_ptr<SoundOutput> output_;
};

} // namespace tc::client
