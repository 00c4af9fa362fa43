#include "screens/heli_basis.h"

namespace kv {

// The helicopter base's screen is not in the game yet: the map opens again.
void OpenHeliBasis(std::int16_t) {}
std::int16_t HeliBasisShadow = -1;

}  // namespace kv
