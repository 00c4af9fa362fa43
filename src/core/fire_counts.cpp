#include "core/fire_counts.h"

namespace kv {

std::int16_t BurningCellCount = 0;
std::int16_t BurningHouseCount = 0;
std::int16_t BurningSonderObjCount = 0;

void ResetFireCounts() {
    BurningCellCount = 0;
    BurningHouseCount = 0;
    BurningSonderObjCount = 0;
}

}  // namespace kv
