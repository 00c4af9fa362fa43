#include "screens/options.h"

namespace kv {

std::uint8_t SoundOn = 1;
std::uint8_t CdMusicOn = 1;

}  // namespace kv
