#pragma once
// Mission 30's circling and chasing orders.
//
// Declared here for the vehicle order interpreter; until the circling and chasing orders come, each
// does nothing and the order stays at the head.

#include <cstdint>

namespace kv {

// Circle a person in the water.
void RunFahrzeugBefehl80(std::int16_t vehicle);
// Attack, then drive off.
void RunFahrzeugBefehl81(std::int16_t vehicle);
// Chase a vehicle off the map.
void RunFahrzeugBefehl82(std::int16_t vehicle);

}  // namespace kv
