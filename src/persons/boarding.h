#pragma once
// Boarding: the selected person is sent to a vehicle's door and gets in there.
//
// Declared here for the commands and the clicks; until the rescue and boarding orders come, it
// refuses every boarding.

#include <cstdint>

namespace kv {

// For the selected person: checks that its type may board the vehicle's type and that a seat is
// free, then gives the walk to the door and the boarding order. 1 when the orders were given, 0
// when boarding is refused.
std::uint8_t OrderPersonIntoFahrzeug(std::int16_t vehicle);

}  // namespace kv
