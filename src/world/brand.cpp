#include "world/brand.h"

namespace kv {

std::int16_t BrandPhase = 0;

void PassHeatToMapCell(int, int, std::int32_t) {}

void ResetBrand() {
    BrandPhase = 0;
}

}  // namespace kv
