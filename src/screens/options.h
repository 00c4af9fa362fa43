#pragma once
// The options the player switches on the options screen; they last for the run, never saved.

#include <cstdint>

namespace kv {

extern std::uint8_t SoundOn;    // sound effects
extern std::uint8_t CdMusicOn;  // music

}  // namespace kv
