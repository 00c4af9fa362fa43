#pragma once
// What the movement benchmarks share: mission 1's generated level and terrain.

#include <cstdint>

namespace kv::bench {

// The movement classes of the sample terrain table.
inline constexpr std::uint8_t kCarMoveClass = 0;
inline constexpr std::uint8_t kPersonMoveClass = 16;

// Loads mission 1's level and terrain from the sample data once; false when they are missing.
bool LoadMissionOne();
// Loads them again, for a benchmark that put a map of its own in their place.
bool RestoreMissionOne();

}  // namespace kv::bench
