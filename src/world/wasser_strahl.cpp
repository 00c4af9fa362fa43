#include "world/wasser_strahl.h"

namespace kv {

void StopWasserStrahl(std::int16_t, std::uint8_t) {}

}  // namespace kv
