#pragma once
// The footprints of the sample house types: each type's grid of columns and rows (the last row
// its front) and its floors. The house files are drawn to them; a type's door, its facade grids
// and its furniture (kept with the engine) stand inside them.

#include <array>
#include <cstdint>

#include "world/house_types.h"

namespace kv::sampledata {

struct HouseShape {
    std::uint8_t extentI;
    std::uint8_t extentJ;
    std::uint8_t floors;
};

inline constexpr std::array<HouseShape, kHouseTypCount> kHouseShapes = {{
    {6, 4, 3}, {8, 1, 1}, {8, 1, 1},  {5, 4, 3},  {5, 4, 4},  {5, 4, 3},  // 0..5
    {5, 4, 2}, {5, 4, 2}, {5, 4, 3},  {4, 4, 2},  {4, 4, 2},  {5, 4, 4},  // 6..11
    {5, 4, 3}, {5, 4, 2}, {4, 4, 1},  {4, 4, 2},  {7, 4, 3},  {6, 4, 3},  // 12..17
    {2, 5, 2}, {3, 3, 1}, {2, 2, 2},  {3, 3, 1},  {3, 2, 2},  {3, 2, 3},  // 18..23
    {5, 3, 2}, {5, 3, 2}, {3, 3, 1},  {6, 3, 2},  {5, 5, 3},  {3, 3, 1},  // 24..29
    {2, 5, 2}, {3, 2, 4}, {2, 2, 2},  {2, 2, 2},  {3, 3, 2},  {2, 1, 2},  // 30..35
    {3, 3, 3}, {2, 2, 2}, {2, 3, 2},  {2, 4, 2},  {3, 3, 3},  {3, 2, 2},  // 36..41
    {2, 1, 2}, {1, 1, 2}, {4, 3, 3},  {3, 3, 1},  {2, 2, 2},  {3, 3, 1},  // 42..47
    {3, 3, 2}, {3, 3, 1}, {2, 2, 2},  {3, 3, 4},  {3, 3, 1},  {2, 3, 2},  // 48..53
    {2, 2, 2}, {3, 3, 1}, {3, 3, 2},  {3, 3, 1},  {4, 1, 2},  {3, 2, 2},  // 54..59
    {3, 3, 3}, {3, 3, 2}, {16, 8, 4}, {12, 8, 3}, {14, 8, 2}, {8, 4, 3},  // 60..65
    {7, 4, 3}, {7, 4, 2}, {6, 4, 2},  {8, 4, 4},  {8, 4, 2},  {7, 4, 3},  // 66..71
    {9, 4, 4}, {5, 4, 3},                                                 // 72..73
}};

// Plain buildings are drawn without fire classes, so they burn as the loader's default class.
constexpr bool HouseDrawnWithoutMaterials(int type) {
    return type >= 18 && type <= 61;
}

}  // namespace kv::sampledata

namespace kv::sampledata {

// Mission 17 places types 25 and 28 at one corner: 28 stands only on its rows from 3 on, in front
// of 25, whose three rows fill the rest.
inline constexpr int kInterlockedTyp = 28;
inline constexpr int kInterlockedFirstRow = 3;

// Whether the building stands on cell (i, j) of a type: its whole grid, but for the cells between
// the door and the outside, which the door opens onto.
inline bool HouseCellStands(int type, int i, int j) {
    const HouseShape& s = kHouseShapes[static_cast<std::size_t>(type)];
    if (i < 0 || j < 0 || i >= s.extentI || j >= s.extentJ) return false;
    if (type == kInterlockedTyp && j < kInterlockedFirstRow) return false;
    const HouseTypSettings& t = HouseTypSettingsOf(type);
    switch (t.doorSide) {
        case 0:
            return !(i == t.doorI && j < t.doorJ);
        case 1:
            return !(i == t.doorI && j > t.doorJ);
        case 2:
            return !(j == t.doorJ && i < t.doorI);
        default:
            return !(j == t.doorJ && i > t.doorI);
    }
}

}  // namespace kv::sampledata
