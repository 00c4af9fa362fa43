#pragma once
// The wall byte of a house cell holds a code 1..15 for which of the cell's four sides are walls;
// movement inside houses reads it as a mask of the wall bits of house_types.h. Anything else
// is a cell without walls.

#include <array>
#include <cstdint>

#include "world/house_types.h"

namespace kv {

// Mask of each code; code 0 and codes above 15 have no walls.
inline constexpr std::array<std::uint8_t, 16> kWallMasks = {
    0,
    kWallWest,
    kWallNorth,
    kWallSouth,
    kWallEast,
    kWallNorth | kWallWest,
    kWallNorth | kWallEast,
    kWallNorth | kWallSouth,
    kWallWest | kWallEast,
    kWallWest | kWallSouth,
    kWallSouth | kWallEast,
    kWallNorth | kWallWest | kWallEast,
    kWallWest | kWallSouth | kWallEast,
    kWallNorth | kWallSouth | kWallEast,
    kWallNorth | kWallWest | kWallSouth,
    kWallNorth | kWallWest | kWallSouth | kWallEast,
};

constexpr std::uint8_t WallMask(std::uint8_t code) {
    return code < kWallMasks.size() ? kWallMasks[code] : 0;
}

// The code of a mask of wall bits (bits outside the four sides are ignored): the inverse of
// WallMask, for whoever writes house files.
constexpr std::uint8_t WallCode(std::uint8_t mask) {
    const auto sides =
        static_cast<std::uint8_t>(mask & (kWallSouth | kWallEast | kWallNorth | kWallWest));
    for (std::size_t code = 0; code < kWallMasks.size(); ++code)
        if (kWallMasks[code] == sides) return static_cast<std::uint8_t>(code);
    return 0;
}

}  // namespace kv
