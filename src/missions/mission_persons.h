#pragma once
// The onlookers and casualties a mission places at its start, as tables of rows.

#include <cstdint>
#include <span>

namespace kv {

// An onlooker standing at a point, facing the direction.
struct MissionGaffer {
    std::int8_t type;
    std::int16_t x;
    std::int16_t y;
    std::uint8_t direction;
};

// A casualty at a point on a storey, with its energy and what it loses a tick.
struct MissionCasualty {
    std::int8_t type;
    std::int16_t x;
    std::int16_t y;
    std::int8_t storey;
    std::uint8_t direction;
    std::int32_t energy;
    std::uint16_t loss;
};

// Creates each row's onlooker on the storey, in order, uncontaminated.
void PlaceGaffers(std::span<const MissionGaffer> rows, std::int8_t storey = 0);

// Creates the row's casualty, uncontaminated, gaining heal while treated; its index or -1.
std::int16_t PlaceCasualty(const MissionCasualty& row, std::int16_t heal);

}  // namespace kv
