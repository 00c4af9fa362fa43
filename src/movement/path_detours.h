#pragma once
// The corners by which a unit may pass the obstacle that stopped its straight run: up to three
// points on each of two sides, taken from the obstacle's box (a vehicle, person, object or piece
// of furniture), the outline of an impassable terrain region, or a house cell's walls.

#include <array>
#include <cstdint>

#include "core/unit_head.h"
#include "movement/unit_type.h"

namespace kv {

// One detour corner. code: the low four bits a side code, bit 5 on the second and third point
// of a side (the corner still needs a vehicle's turn correction).
struct DetourPoint {
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::uint8_t code = 0;
};

struct DetourSide {
    std::array<DetourPoint, 3> points{};
    std::uint8_t count = 0;
};

// Side codes: the direction of travel against the obstacle.
inline constexpr std::uint8_t kSideEast = 1;
inline constexpr std::uint8_t kSideSouth = 2;
inline constexpr std::uint8_t kSideWest = 4;
inline constexpr std::uint8_t kSideNorth = 8;
inline constexpr std::uint8_t kDetourLaterPoint = 0x20;

// PassObstacle's result: the obstacle cannot be gone round.
inline constexpr std::uint8_t kObstacleImpassable = 0x10;

// The detour points around the obstacle met by a run that started facing dir; goalX, goalY is
// the centroid of the search's goals. 0, or kObstacleImpassable for a terrain band across the
// whole map (then side A holds at most the one point in front of the band). An obstacle that
// names nothing (an index outside its array, a unit without an animation, a cell off the map)
// gives no points.
std::uint8_t PassObstacle(const UnitHead& unit, const UnitTypHead& type, bool widen,
                          std::uint8_t kind, std::uint16_t index1, std::uint16_t index2,
                          std::uint16_t index3, std::uint8_t side, float goalX, float goalY,
                          std::uint8_t dir, DetourSide& sideA, DetourSide& sideB);

// The side code of a contact made definite: an edge mask of three or four edges, or of two
// opposite edges, becomes one side, by the mask or by the direction of the run.
std::uint8_t DefiniteSide(std::uint8_t side, std::uint8_t dir);

}  // namespace kv
