#pragma once
// Civilian traffic paths. Only what stepping reads of them stands here yet; the paths, their
// spawning and the pedestrian paths come with the traffic.

#include <cstdint>
#include <optional>

namespace kv {

// The step length of the vehicles on a path (civilian vehicles step by their path, not by the
// terrain); none for an index that names no path.
std::optional<float> ZFWegSpeed(std::int32_t path);

}  // namespace kv
