#pragma once
// What burns: kept by the fire model in the mission counters, zeroed at mission start and saved
// with the game; and the fire model's five-phase step, which the simulation tick advances.

#include <cstdint>

#include "core/mission_counters.h"

namespace kv {

inline std::uint16_t& BurningCellCount = MissionCounters.BurningCellCount;
inline std::uint16_t& BurningHouseCount = MissionCounters.BurningHouseCount;
inline std::uint16_t& BurningSonderObjCount = MissionCounters.BurningSonderObjCount;

// 0..4: which of the five spread patterns the fire uses this tick.
inline constexpr std::int16_t kBrandPhaseCount = 5;
extern std::int16_t BrandPhase;

// The three burning counters and the phase back to 0.
void ResetFireCounts();

}  // namespace kv
