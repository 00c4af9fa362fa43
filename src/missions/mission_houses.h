#pragma once
// The houses a mission places, as one table per mission.

#include <cstdint>
#include <span>

namespace kv {

// A house of a mission's table: its type, the map column and row of its grid's corner, the image
// sets of its lower and upper storeys, and whether the player may mark it for evacuation.
struct MissionHouse {
    std::uint8_t type;
    std::int16_t column;
    std::int16_t row;
    std::uint8_t lowerSet;
    std::uint8_t upperSet;
    std::uint8_t markable = 1;
};

// Sizes the house list to the table and places each row, in order.
void PlaceHouses(std::span<const MissionHouse> houses);

}  // namespace kv
