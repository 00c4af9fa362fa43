#pragma once
// The SDL_mixer output, opened once for everyone who plays through it (music, sound effects,
// videos) and closed when the last of them lets go. A device that cannot be opened is tried once
// per run: the one line about it is printed then, and every later user hears nothing.

namespace kv {

// False when there is no audio output; nothing is held then.
bool AcquireMixer();
void ReleaseMixer();

// For tests: the next AcquireMixer tries the device again.
void ForgetMixerFailure();

}  // namespace kv
