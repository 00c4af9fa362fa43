#include "world/wasser_strahl.h"

namespace kv {

void StopWasserStrahl(UnitHead&, std::uint8_t) {}

void UpdateWasserStrahl(std::int16_t) {}

}  // namespace kv
