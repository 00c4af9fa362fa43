#pragma once
// The mission's counters of the dead and injured: raised by persons, fire and the scripts, read by
// the missions' checks and evaluation lines, zeroed at mission start and saved with the game.

#include <cstdint>

namespace kv {

extern std::uint16_t ToteCount;  // persons dead

void ResetMissionCounters();

}  // namespace kv
