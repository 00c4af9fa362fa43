#pragma once
// The sound device: opened at start-up and around videos, closed for them and at the end.

namespace kv {

// Opens the device; without one the game runs silent (SoundAvailable 0).
void InitDirectSound();
void ReleaseDirectSound();

}  // namespace kv
