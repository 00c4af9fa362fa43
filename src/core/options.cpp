#include "core/options.h"

namespace kv {

std::uint8_t SoundOn = 1;
std::uint8_t CdMusicOn = 1;
std::uint8_t GameSpeed = 1;
std::uint8_t ScrollSpeed = 2;

void ResetOptions() {
    SoundOn = 1;
    CdMusicOn = 1;
    GameSpeed = 1;
    ScrollSpeed = 2;
}

}  // namespace kv
