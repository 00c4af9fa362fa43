#pragma once
// Where vehicles sent back to base leave the mission's map, on the road and on the water. Every
// mission's level hook sets them; the return to base reads them.

#include <cstdint>

namespace kv {

// Where vehicles sent back to base drive to; side: the map edge (0 left, 1 top, 2 right, 3
// bottom).
struct MapExitPoint {
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::int16_t side = 0;
};

// Road vehicles.
extern MapExitPoint RoadExit;
// The fire boat (vehicle type 13), where a mission offers it.
extern MapExitPoint WaterExit;

// All 0, as before the first mission.
void ResetMissionPoints();

}  // namespace kv
