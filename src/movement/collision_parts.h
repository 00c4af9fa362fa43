#pragma once
// The steps of the collision tests that look at houses and the map, and the footprint helpers the
// collision files share. Only the collision files include this.

#include <cstdint>

#include "gfx/primitives.h"
#include "movement/collision.h"
#include "world/geometry.h"

namespace kv {

inline std::int16_t To16(int v) {
    return static_cast<std::int16_t>(v);
}

// Furniture on the layer (a storey): an active piece whose box the footprint meets.
std::uint8_t TestHouseObjs(const Rect16& foot, std::int8_t layer, CollisionHit& hit);
// The walls of the house cell under (px, py) on the layer, and the cells of other houses, for a
// footprint that reaches into a neighbouring cell.
std::uint8_t TestHouseWalls(const Rect16& foot, int px, int py, std::uint16_t house,
                            std::int8_t layer, CollisionHit& hit);
// The impassable map cells under the footprint, each by the outline of its region; only on the
// ground (layer 0). A footprint wholly off the map is free.
std::uint8_t TestMapCells(const Rect16& foot, std::int8_t layer, std::uint8_t moveClass,
                          CollisionHit& hit);
// Tramples the fields under a unit that stands at (ux, uy) with this footprint on the ground.
void TrampleCells(const Rect16& foot, int ux, int uy, std::uint8_t moveClass);

}  // namespace kv
