#include "core/fire_counts.h"

namespace kv {

std::int16_t BrandPhase = 0;

void ResetFireCounts() {
    BurningCellCount = 0;
    BurningHouseCount = 0;
    BurningSonderObjCount = 0;
    BrandPhase = 0;
}

}  // namespace kv
