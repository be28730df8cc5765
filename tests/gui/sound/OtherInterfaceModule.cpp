// A sound module of another build: it has the making function, but its
// interface's number differs, so the program must never call it. Calling
// it anyway ends the test program at once.
#include <cstdlib>

#include <QStringList>

extern "C" Q_DECL_EXPORT int tilecrestSoundInterface() { return 1000; }

extern "C" Q_DECL_EXPORT void* tilecrestMakeSoundOutput(const QStringList&) { std::abort(); }
