#pragma once
// Civilian traffic paths. Only what the special objects set of them stands here yet; the paths,
// their spawning and the pedestrian paths come with the traffic, and until then there are none.

#include <cstdint>

namespace kv {

extern std::uint8_t ZFWegCount;

// Sets the step length of the vehicles on a path (a gate opening or closing across the lane); a
// path at or past ZFWegCount is left alone.
void SetZFWegSpeed(std::uint16_t path, float speed);

}  // namespace kv
