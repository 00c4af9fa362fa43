#include "screens/heli_basis.h"

namespace kv {

std::int16_t HeliBasisShadow = -1;

}  // namespace kv
