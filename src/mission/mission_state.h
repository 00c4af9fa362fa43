#pragma once
// Which mission runs and the limits of its map view, set at mission start and read by the world.

#include <cstdint>

namespace kv {

// 1..30; every per-mission dispatcher switches on it.
extern std::uint8_t MissionNummer;
// 1 while a mission runs its second part.
extern std::uint8_t PartTwo;
// The largest world x and y of the playable map.
extern std::int16_t MapMaxX;
extern std::int16_t MapMaxY;
// The bottom row limit of the view, in map rows.
extern std::uint16_t ViewRowLimit;

// Back to the state before any mission.
void ResetMissionState();

}  // namespace kv
