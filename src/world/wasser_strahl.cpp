#include "world/wasser_strahl.h"

namespace kv {

void StopWasserStrahl(std::int16_t, std::uint8_t) {}

void UpdateWasserStrahl(std::int16_t) {}

}  // namespace kv
