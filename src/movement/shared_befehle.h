#pragma once
// What the person and the vehicle interpreter do alike for the shared orders 8, 11 and 12, on
// the unit head: a step taken only where the unit fits, the straight walk's search for its first
// free step, the path shortcut, and placing at a point.

#include <cstdint>

#include "core/unit_head.h"
#include "movement/unit_type.h"

namespace kv {

// One step from where the unit stands in a direction, its length taken for stepAnim and mode
// (StepMoverFree); taken, facing that way, when the unit's footprint fits there.
bool StepUnitIfFree(UnitHead& unit, const UnitTypHead& type, std::uint8_t direction,
                    std::uint8_t stepAnim, std::uint8_t mode);
// Order 8's first step: from the unit's direction round the circle until a step is free. The
// sense is +1 when the aim point (aimX, aimY) lies counter-clockwise of the facing, which turns
// away from it. False, with nothing moved, when all twelve steps are blocked.
bool TakeFirstFreeStep(UnitHead& unit, const UnitTypHead& type, std::uint8_t stepAnim,
                       std::uint8_t mode);
// Order 11 up to the next order: shortens the planned path by up to 3 waypoints, pops the order,
// closes the shortcut window and marks the unit's direction.
void ShortenPlannedPath(UnitHead& unit, const UnitTypHead& type);
// Order 12: puts the unit at (a, b) facing c once its footprint fits there (a facing outside
// 0..11 keeps the unit's own), pops the order and ends turning, walking and searching (mover
// flag bits 0, 1 and 3). False, with nothing changed, while the spot is taken.
bool PlaceUnitIfFree(UnitHead& unit, const UnitTypHead& type);

}  // namespace kv
