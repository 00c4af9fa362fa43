#pragma once
// Person actions that single missions use: felling a tree, holding a vehicle's door, setting a
// mission's flag at a point, stepping out of a vehicle, working at or lighting a house, and two
// rescue poses. A person that does not stand where the action needs it loses its whole queue.

#include <array>
#include <cstdint>

namespace kv {

// Order 176: where the person stands to fell the tree of a cell, by its facing, from the cell's
// pixel origin (32 column - 16 row, 28 row).
struct FellingSpot {
    std::uint8_t facing;
    std::int8_t dx;
    std::int8_t dy;
};
inline constexpr std::array<FellingSpot, 4> kFellingSpots = {{
    {1, 0, 34},
    {3, -18, 14},
    {7, 16, -6},
    {9, 35, 14},
}};
// Ticks of sawing until the tree falls; the wood pile lies this far below the cell's origin.
inline constexpr std::int32_t kFellingTicks = 400;
inline constexpr int kWoodPileDy = 5;

// Order 190: the person within this of the point, in x and in y.
inline constexpr int kFlagReach = 5;

// Order 176 (a = column, b = row, c = ticks sawn): at the cell the person saws for 400 ticks, to
// the power saw's sound; then a wood pile lies at the cell, which shows burnt a while later, and
// the cell's terrain is felled. A cell that burns ends the work; without a free special-object
// slot the saw runs on until one is free.
void RunPersonBefehl176(std::int16_t person);
// Order 184 (a = vehicle, (b, c) = its door point): at the door the person has the vehicle open
// it; a traffic car keeps its drive behind. Once it stands open, mission 3 keeps the person as
// the one waiting at it.
void RunPersonBefehl184(std::int16_t person);
// Order 190 (a, b = point, c = flag index): near the point the person sets the mission's flag c
// (mission 10's three gates), with the mission's sound looping for object c. A flag already set,
// or a mission without flags, clears the queue.
void RunPersonBefehl190(std::int16_t person);
// Order 191: the person steps out, facing 9, through one run of its animation 2.
void RunPersonBefehl191(std::int16_t person);
// Order 194 (a = house, b = the number of target houses): the house's ignition cell catches fire;
// in mission 25 the arsonist's next target moves on round the b houses and the fire flag is set.
void RunPersonBefehl194(std::int16_t person);
// Order 195 (a, b = point, c = house, d = work cycles): facing 1 on the point the person works at
// the house, to sound 72, and marks it evacuated when done. A house marked already clears the
// queue.
void RunPersonBefehl195(std::int16_t person);
inline constexpr std::uint8_t kOpSearchCrevice = 209;
inline constexpr std::uint8_t kOpRopeRescue = 210;

// Order 209 (a, b = point, c = a hidden person or -1): facing 1 on the point the person plays
// animation 6 with sound 82; at its frame 6 person c shows on the map.
void RunPersonBefehl209(std::int16_t person);
// Order 210 (a, b = point, c = a stuck person or -1): facing 1 on the point the person plays
// animation 2; at its last frame person c is pushed free, and the person is a plain fire-fighter
// (type 1) afterwards.
void RunPersonBefehl210(std::int16_t person);

}  // namespace kv
