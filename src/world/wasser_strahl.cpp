#include "world/wasser_strahl.h"

namespace kv {

void StopWasserStrahl(UnitHead&, std::uint8_t) {}

}  // namespace kv
