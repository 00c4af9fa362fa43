#include "screens/lflug_basis.h"

namespace kv {

std::int16_t LflugDropX = 0;
std::int16_t LflugDropY = 0;

// The airfield's screen is not in the game yet: the map opens again.
void OpenLflugBasis(std::int16_t) {}

}  // namespace kv
