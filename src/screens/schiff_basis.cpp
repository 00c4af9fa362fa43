#include "screens/schiff_basis.h"

namespace kv {

// The ship base's screen is not in the game yet: the map opens again.
void OpenSchiffBasis(std::int16_t) {}

}  // namespace kv
