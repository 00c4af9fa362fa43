#pragma once
// A vehicle pushing a special object aside, as the drive step does it.

#include <cstdint>

#include "core/unit_head.h"
#include "movement/unit_type.h"

namespace kv {

// Whether the vehicle, standing at (x, y) facing direction, can push the object one step on
// without the object hitting anything: the object moves one step of the vehicle along the axis that
// the vehicle's direction gives, is tested against the map edge, units, objects and the
// vehicle's impassable cells, and is put back. False for an index that names no object.
bool CanPushSonderObj(const UnitHead& unit, const UnitTypHead& type, float x, float y,
                      std::uint8_t direction, std::int16_t object);
// The same step, kept and untested.
void PushSonderObj(const UnitHead& unit, const UnitTypHead& type, float x, float y,
                   std::uint8_t direction, std::int16_t object);

}  // namespace kv
