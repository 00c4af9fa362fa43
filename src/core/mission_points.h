#pragma once
// Points on the map edge that the mission's level set-up gives: where vehicles sent back to base
// leave the map (RoadExit), and where the fire boat leaves it (WaterExit).

#include <cstdint>

namespace kv {

// Which map edge a point lies on.
inline constexpr std::int16_t kEdgeLeft = 0;
inline constexpr std::int16_t kEdgeTop = 1;
inline constexpr std::int16_t kEdgeRight = 2;
inline constexpr std::int16_t kEdgeBottom = 3;

struct ExitPoint {
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::int16_t side = kEdgeLeft;
};
extern ExitPoint RoadExit;
extern ExitPoint WaterExit;

// Back to the state before any mission.
void ResetMissionPoints();

}  // namespace kv
