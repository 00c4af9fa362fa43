#pragma once
// Civilian traffic paths. Only what stepping reads and the special objects set of them stands here
// yet; the paths, their spawning and the pedestrian paths come with the traffic, and until then
// there are none.

#include <cstdint>
#include <optional>

namespace kv {

extern std::uint8_t ZFWegCount;

// The step length of the vehicles on a path (civilian vehicles step by their path, not by the
// terrain); none for an index that names no path.
std::optional<float> ZFWegSpeed(std::int32_t path);
// Sets it (a gate opening or closing across the lane); a path at or past ZFWegCount is left
// alone.
void SetZFWegSpeed(std::uint16_t path, float speed);

// Gives an idle pedestrian its next walk along its path. Does nothing yet: the pedestrian paths
// come with the traffic.
void StepPassantRoute(std::int16_t person);

}  // namespace kv
