#pragma once
// A vehicle that comes into the mission from outside (off its campaign-map road, or ordered in
// directly) drives in from the mission's entry point, and backs off from any vehicle it would
// stand on.

#include <cstdint>

#include "core/mission_points.h"

namespace kv {

// The one drive order of an arriving vehicle: its orders cleared, then a drive to the point the
// entry's run away along its facing (1, 3, 7 or 9; another facing drives nowhere new).
void DriveFahrzeugIn(std::int16_t index, const MapEntryPoint& entry);
// Backs the vehicle off against its facing, a step at a time, while it overlaps another vehicle
// on its layer; then it plans its moves from where it stands, as it faces. The steps are bounded,
// so a vehicle hemmed in for good stops backing off rather than hanging the game.
void BackFahrzeugOff(std::int16_t index);

}  // namespace kv
