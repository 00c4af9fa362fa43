#pragma once
// Where the mission's world meets the outside: the points where bought vehicles drive in and
// where they leave for their base, on the road and on the water, and the mission's site on the
// campaign map. Every mission's level hook sets them; the arrival from the map edge, the return
// to base and the campaign map read them.

#include <cstdint>

namespace kv {

// Where vehicles appear (x usually off the left edge), how far they drive in and their facing.
struct MapEntryPoint {
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::int16_t run = 0;
    std::int16_t facing = 0;
};

// Which map edge an exit lies on.
inline constexpr std::int16_t kEdgeLeft = 0;
inline constexpr std::int16_t kEdgeTop = 1;
inline constexpr std::int16_t kEdgeRight = 2;
inline constexpr std::int16_t kEdgeBottom = 3;

// Where vehicles sent back to base drive to; on the left edge a vehicle leaves the map once it is
// left of x + 50.
struct MapExitPoint {
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::int16_t side = kEdgeLeft;
};

// A point of the campaign map's 800 x 600 screen.
struct KartePoint {
    std::int16_t x = 0;
    std::int16_t y = 0;
};

// Road vehicles.
extern MapEntryPoint RoadEntry;
extern MapExitPoint RoadExit;
// The fire boat (vehicle type 13), where a mission offers it.
extern MapEntryPoint WaterEntry;
extern MapExitPoint WaterExit;
// The mission's site on the campaign map: its marker, and where every map road ends.
extern KartePoint KarteMarker;

// All 0, as before the first mission.
void ResetMissionPoints();

}  // namespace kv
