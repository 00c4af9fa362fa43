#pragma once
// The vehicle array of a mission.

#include <cstdint>

#include "core/unit_head.h"

namespace kv {

// The special object a vehicle pushed last; 0xFFFF none. Reaches no vehicle until the vehicle
// records come.
void SetFahrzeugPushedObject(UnitHead& vehicle, std::uint16_t object);
// How many of the vehicle's seats are taken. 0 until the vehicle records come.
int CountTakenSeats(std::int32_t vehicle);

}  // namespace kv
