#pragma once
// Qt Multimedia warns on the console when there is no sound server or
// audio device ("PulseAudioService: pa_context_connect() failed", "No audio
// device detected"). A game without sound is not an error, so warnings of
// the qt.multimedia categories and these few uncategorised ones are
// dropped; every other message goes on to the handler installed before.
namespace tc::client {

// Installs the filter once per process; later calls do nothing.
void installQuietMultimedia();

} // namespace tc::client
