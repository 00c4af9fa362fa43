#pragma once
// Plane geometry on world pixels.

#include <cstdint>

namespace kv {

// The distance between two points, truncated to an integer.
std::int32_t DistanceInt(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2);

}  // namespace kv
