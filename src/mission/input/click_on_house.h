#pragma once
// A left click on a house: the house opened at a storey or shown whole again, water at a storey,
// the ladder's basket sent to a window, staff sent in through the door (the house marked as
// searched), a change of storey inside, the jump cushion put under the facade, or the persons
// inside moved.

#include <array>
#include <cstdint>

#include "mission/input/click_orders.h"

namespace kv {

// Where a person stands at the door of a house, by the type's door side, from the door cell's
// corner: W in front of the door, facing it; N in the doorway and O beyond it. A civilian marking
// the house turns round at W and steps back to O (it has no N); staff go in from N and stop at O
// inside.
struct DoorWalk {
    std::int16_t wx;
    std::int16_t wy;
    std::int16_t nx;
    std::int16_t ny;
    std::int16_t ox;
    std::int16_t oy;
    std::uint8_t facing;
};
inline constexpr std::array<DoorWalk, 4> kDoorMarkWalk = {{
    {16, -8, 0, 0, 16, -38, 6},
    {0, 36, 0, 0, 0, 66, 0},
    {-24, 14, 0, 0, -54, 14, 3},
    {40, 14, 0, 0, 70, 14, 9},
}};
inline constexpr std::array<DoorWalk, 4> kDoorEnterWalk = {{
    {16, -8, 16, -6, 16, 30, 6},
    {0, 36, 0, 34, 0, -2, 0},
    {-24, 14, -17, 14, 22, 14, 3},
    {40, 14, 33, 14, -6, 14, 9},
}};

// The ladder basket's column at facade column 0..4 of a house: 10, 11, 0, 1, 2.
constexpr int BasketColumnAtFacade(int column) {
    return column + 10 > 11 ? column - 2 : column + 10;
}

// HoverIds: house-grid column, row, storey and the house; HoverKind the piece of the storey.
void HandleHouseClick(const ClickPoints& click);

}  // namespace kv
