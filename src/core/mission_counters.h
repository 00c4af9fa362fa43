#pragma once
// The mission's counters of the dead and of vehicles bought and lost: raised by persons, vehicles,
// fire and the scripts, read by the missions' checks, the evaluation and the base screens, zeroed
// at mission start and saved with the game. The arithmetic is u16 and wraps.

#include <cstdint>

namespace kv {

extern std::uint16_t ToteCount;                 // persons dead
extern std::uint16_t LostBoughtFahrzeugCount;   // bought vehicles destroyed
extern std::uint16_t LostMissionFahrzeugCount;  // vehicles placed by the mission destroyed
extern std::uint16_t BoughtFahrzeugCount;       // bought vehicles in play
extern std::uint16_t F101Count;                 // command cars in play

void ResetMissionCounters();

}  // namespace kv
