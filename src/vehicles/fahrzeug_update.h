#pragma once
// Once per tick every vehicle animates, steps along its campaign-map road, turns fire heat into
// damage, works its water cannon, cares for a patient aboard and runs its head order. Later in the
// tick the ladder baskets move.

#include <cstdint>

namespace kv {

// Every used slot in index order; a vehicle created during the pass in a higher slot takes part.
// Allocates nothing.
void UpdateFahrzeuge();
// One step of every running basket lift every 4 ticks, carrying the persons in the basket.
void UpdateKanzelLift();

// The campaign map moves a vehicle one step along its road. It lives above the simulation and is
// installed from there; null removes it, and while none is installed nothing moves.
void SetMoveFahrzeugOnKarteHook(void (*hook)(std::int16_t vehicle));

}  // namespace kv
