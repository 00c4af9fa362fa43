#pragma once
// The SDL_mixer output, opened once for everyone who plays through it (music, sound effects) and
// closed when the last of them lets go.

namespace kv {

// False when there is no audio output; nothing is held then.
bool AcquireMixer();
void ReleaseMixer();

}  // namespace kv
