#pragma once
// Mission 30's circling and chasing orders: the shark circles a person in the water and attacks;
// a vehicle chases another off the map.

#include <cstdint>

namespace kv {

// Circle the person in the water the mission names: round its four points, then attack.
void RunFahrzeugBefehl80(std::int16_t vehicle);
// Attack the person a from the point of the shark's facing, then swim off.
void RunFahrzeugBefehl81(std::int16_t vehicle);
// Chase vehicle a: half way there at a time until close, then it drives off the top edge.
void RunFahrzeugBefehl82(std::int16_t vehicle);

}  // namespace kv
