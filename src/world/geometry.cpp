#include "world/geometry.h"

#include <cmath>

namespace kv {

std::int32_t DistanceInt(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2) {
    // In 64 bits: two 16-bit differences squared overflow 32.
    const std::int64_t dx = static_cast<std::int64_t>(x2) - x1;
    const std::int64_t dy = static_cast<std::int64_t>(y2) - y1;
    return static_cast<std::int32_t>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
}

}  // namespace kv
