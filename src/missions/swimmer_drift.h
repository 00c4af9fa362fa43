#pragma once
// A person in distress in the water who has caught a ring bobs about its spot: every fifth tick
// it moves a pixel further or back in x and in y, never more than 3 px from where it started, and
// never onto land.

#include <cstdint>

namespace kv {

// The animation of a person in distress holding the ring it caught (order 206).
inline constexpr std::uint16_t kAnimHoldingRing = 5;

// One tick of the person's drift. Only a used, present person on the map with the deadline-plan
// flag and the ring-holding animation drifts; its idle-stand byte is cleared every tick, and its
// position moves on ticks that are multiples of 5, when it holds a plan. A drift step onto a spot
// the collision test in this mode finds free (land) goes back to where the person stood.
void DriftSwimmer(std::int16_t person, std::uint16_t collisionMode);

}  // namespace kv
