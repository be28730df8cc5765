#pragma once
// Where the main window hands the sounds the session asks for ("slide",
// "dice", "entered", "wonpoint", "nopoint", "winner", "gameover",
// "wave1".."wave20"). The window plays nothing without one; the sound
// player of the program and recorders in tests implement it.
#include <QString>

namespace tc::client {

class ClientSoundPlayer {
public:
    virtual ~ClientSoundPlayer() = default;
    // Must return at once and must fail quietly where there is no audio.
    virtual void play(const QString& name) = 0;
};

} // namespace tc::client
