#pragma once
// Where the main window hands the sounds the session asks for ("slide",
// "dice", "entered", "wonpoint", "nopoint", "winner", "gameover",
// "wave1".."wave20"). The window plays nothing without one; the sound
// player of the program and recorders in tests implement it.
#include <string>

namespace tc::client {

class ClientSoundPlayer {
public:
    virtual ~ClientSoundPlayer() = default;
    // `name` is UTF-8. Must return at once and must fail quietly where
    // there is no audio.
    virtual void play(const std::string& name) = 0;
};

} // namespace tc::client
