#pragma once
// The options the player switches on the options screen; they last until the program ends.

#include <cstdint>

namespace kv {

extern std::uint8_t CdMusicOn;  // 1 at program start
extern std::uint8_t SoundOn;    // sound effects; 1 at program start

}  // namespace kv
