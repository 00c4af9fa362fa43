#include "world/fire_counts.h"

namespace kv {

std::int16_t BurningCellCount = 0;
std::int16_t BurningHouseCount = 0;

}  // namespace kv
