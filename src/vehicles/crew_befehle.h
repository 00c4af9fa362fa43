#pragma once
// Crew out, doors, leaving the map and burning out.
//
// Declared here for the vehicle order interpreter; until the crew and door orders come, each does
// nothing and the order stays at the head.

#include <cstdint>

namespace kv {

// Door open for a ticks, then the crew gets out.
void RunFahrzeugBefehl40(std::int16_t vehicle);
// Door or hatch animation for a ticks.
void RunFahrzeugBefehl41(std::int16_t vehicle);
// Drive to a map-edge point and leave the map.
void RunFahrzeugBefehl42(std::int16_t vehicle);
// Burn out and explode.
void RunFahrzeugBefehl44(std::int16_t vehicle);

}  // namespace kv
