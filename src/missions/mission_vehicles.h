#pragma once
// The cars a mission parks at its start, as one table per mission.

#include <cstdint>
#include <span>

namespace kv {

// A parked car: its type, its point and the direction it faces.
struct MissionCar {
    std::int8_t type;
    std::int16_t x;
    std::int16_t y;
    std::int8_t facing;
};

// Creates each row's car, in order.
void PlaceCars(std::span<const MissionCar> cars);

}  // namespace kv
