#pragma once
// The airfield (base type 4, game mode 13): it sells flights of the fire-fighting aircraft, which
// drop their water on a point the player chooses.

#include <cstdint>

namespace kv {

// The world point the next arriving aircraft drops its water on.
extern std::int16_t LflugDropX;
extern std::int16_t LflugDropY;

// Opens the airfield of a base; the campaign map has closed itself before.
void OpenLflugBasis(std::int16_t base);

}  // namespace kv
