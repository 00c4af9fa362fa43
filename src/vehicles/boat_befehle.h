#pragma once
// Boat orders at boat points and pontoons: the carrier launches its boat at a boat point and
// takes it back there, and a boat passes a laid pontoon chain along x to its far side.

#include <cstdint>

#include "core/unit_head.h"

namespace kv {

// A boat passes the laid chain of pontoon point a: from the entry place on the side it faces
// (facing 3 or 9) to the far side, one boat at a time.
void RunFahrzeugBefehl69(std::int16_t vehicle);
// The carrier F117 on boat point a launches its boat and becomes the empty carrier F119.
void RunFahrzeugBefehl71(std::int16_t vehicle);
// At boat point a the boat's crew gets out, the boat goes onto the empty carrier there and the
// carrier is an F117 again.
void RunFahrzeugBefehl72(std::int16_t vehicle);

// The clean-up of order 69 for pontoon point a: a boat that leaves the order while it holds the
// passage frees it and may be targeted and selected again.
void ReleasePontonPassage(UnitHead& boat, std::int32_t point);

}  // namespace kv
