#pragma once
// A vehicle pushing a special object aside, as the movement handlers do it.

#include <cstdint>

#include "core/unit_head.h"
#include "movement/unit_type.h"

namespace kv {

// Whether the vehicle, standing at (x, y) facing direction, can push the object one step on
// without the object hitting anything. Refuses every push until the movement handlers come.
bool CanPushSonderObj(const UnitHead& unit, const UnitTypHead& type, float x, float y,
                      std::uint8_t direction, std::int16_t object);

}  // namespace kv
