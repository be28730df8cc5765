#pragma once
// The sound output the program loads at its first sound: Qt Multimedia and
// the sound server's libraries it brings (PulseAudio and a handful of
// codecs) cost a few milliseconds of every start when linked, before the
// window can appear, so they live in a module of their own
// (tilecrest-sound.so) that SoundEffectPlayer opens only when a sound is
// first asked for. The module and the program are built together, so this
// interface is shared as C++.
#include <QStringList>

namespace tc::client {

class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // False when the machine has no audio output: nothing is ever played.
    virtual bool present() const = 0;
    // Starts `resource`, one of those the output was made with, after
    // stopping the sound playing; false for a resource it was not given.
    virtual bool play(const QString& resource) = 0;
};

// The module's one exported function: looks for an audio output and, where
// there is one, loads every resource so later sounds start at once. The
// caller owns the result.
using MakeSoundOutput = SoundOutput* (*)(const QStringList& resources);
inline constexpr const char* kMakeSoundOutputSymbol = "tilecrestMakeSoundOutput";
inline constexpr const char* kSoundModuleName = "tilecrest-sound.so";

// A module left from another build (a copy updated by hand without it) may
// not share this interface: it tells its interface's number first, and one
// that differs is never called. Raise it whenever SoundOutput or the
// making function changes.
inline constexpr int kSoundInterface = 1;
using SoundInterface = int (*)();
inline constexpr const char* kSoundInterfaceSymbol = "tilecrestSoundInterface";

} // namespace tc::client
