#pragma once
// Boat points: where boats are launched and taken back, and the order that takes a person in
// distress aboard.
//
// Declared here for the vehicle order interpreter; until the boat points come, each does nothing
// and the order stays at the head.

#include <cstdint>

namespace kv {

// Take the person in distress into the first free seat.
void RunFahrzeugBefehl77(std::int16_t vehicle);

}  // namespace kv
