#pragma once
// The options the player switches on the options screen; they last for the run, never saved.

#include <cstdint>

namespace kv {

extern std::uint8_t SoundOn;      // sound effects
extern std::uint8_t CdMusicOn;    // music
extern std::uint8_t GameSpeed;    // simulation ticks per frame, 1..3
extern std::uint8_t ScrollSpeed;  // 1..3

// The options at program start.
void ResetOptions();

}  // namespace kv
