#pragma once
// Tests that many missions' checks share.

#include <cstdint>

namespace kv {

// Whether some person in use is still a casualty, waiting to be rescued.
bool RescuePending();

// Whether the rectangle of the map (corners included) is free of units and special objects. Map
// cells do not count: the rectangle is tested for a mover to which ground is no obstacle.
bool StripFree(std::int16_t left, std::int16_t top, std::int16_t right, std::int16_t bottom);

}  // namespace kv
